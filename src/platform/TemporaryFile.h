// The temporary file a report is written to before it replaces the target:
// ".traverse-adjust-PID-N.tmp" in the target's folder, so that one left by a killed
// run says what it is. While any exists, SIGINT, SIGTERM, SIGHUP and SIGQUIT remove
// every one before the program ends with the signal, and SIGXFSZ is ignored, so that
// a file-size limit makes the write fail (EFBIG) instead of ending the program. Up to
// 16 at a time per process (one thread).
#pragma once

#include <string>

namespace traverse {

class CTemporaryFile {
public:
    // Creates the file in the open folder folderFd, mode 0666 less the umask.
    explicit CTemporaryFile(int folderFd);
    // Closes it and, unless it was renamed, removes it.
    ~CTemporaryFile();
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;

    int Fd() const { return m_fd; }       // -1 when it could not be created
    int Error() const { return m_error; } // errno of the failed creation
    const std::string& Name() const { return m_name; }
    // Closes the descriptor; 0, or the errno of close.
    int Close();
    // Renames it to name in its folder; 0, or the errno of the rename. Afterwards
    // nothing is left to remove.
    int RenameTo(const std::string& name);

private:
    int m_folderFd;
    int m_fd = -1;
    int m_error = 0;
    int m_slot = -1; // where the signal handler finds it while it exists
    bool m_renamed = false;
    std::string m_name;
};

} // namespace traverse
