// The module's application object on Windows: COM for the calling thread (the common
// dialogs and the shell's open action use it) for the duration of one call of the entry.
#pragma once

class CTraverseApp {
public:
    CTraverseApp() = default;
    ~CTraverseApp() { ExitInstance(); }
    CTraverseApp(const CTraverseApp&) = delete;
    CTraverseApp& operator=(const CTraverseApp&) = delete;

    bool InitInstance();
    void ExitInstance();

private:
    bool m_comStarted = false;
};
