// What the core tests take from POSIX, for their Windows build: a private folder
// (mkdtemp) in Windows' temporary folder instead of /tmp, for a path that is not a
// regular file a folder where POSIX makes a named pipe (Windows keeps its pipes out of
// the file system), and hard links. Included before every core test source.
#pragma once

#include <direct.h>
#include <windows.h>
#undef LoadString // the string table's, not the Windows macro

#include <cstring>
#include <string>

inline char* mkdtemp(char* pattern) {
    static std::string made;
    char parent[MAX_PATH + 1];
    if (GetTempPathA(sizeof parent, parent) == 0) return nullptr;
    const char* name = std::strrchr(pattern, '/');
    std::string base = std::string(parent) + (name != nullptr ? name + 1 : pattern);
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        made = base.substr(0, base.size() - 6) +
               std::to_string(GetCurrentProcessId() * 1000 + attempt);
        if (CreateDirectoryA(made.c_str(), nullptr)) return made.data();
    }
    return nullptr;
}

inline int mkfifo(const char* path, int) { return _mkdir(path); }

// A second name of the file existing; 0 when made, -1 otherwise.
inline int link(const char* existing, const char* name) {
    return CreateHardLinkA(name, existing, nullptr) ? 0 : -1;
}

// stat's inode, which the C runtime leaves 0, as the low bits of the file index that
// the import keeps (the same file gives the same number, another file another one).
#include <sys/stat.h>
inline int TaStat(const char* path, struct stat* st) {
    const int result = stat(path, st);
    const HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    if (file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &info))
        st->st_ino = static_cast<decltype(st->st_ino)>(info.nFileIndexLow);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return result;
}
#define stat(path, st) TaStat(path, st)
