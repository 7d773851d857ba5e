// traverse-adjust-host.exe: loads traverse-adjust.dll from its own folder, calls its
// entry __Kavrel@0 and exits with the entry's result (2 after "退出", -1 when no window
// could be created). Exit status 1, with a message box, when the module or its entry is
// missing.
#include <windows.h>

#include <string>

namespace {
constexpr const wchar_t* kModuleName = L"traverse-adjust.dll";
constexpr const char* kEntryName = "__Kavrel@0";

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD n = 0;
    while ((n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()))) == path.size())
        path.resize(path.size() * 2);
    path.resize(n);
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

int Fail(const std::wstring& text) {
    MessageBoxW(nullptr, text.c_str(), L"traverse-adjust-host", MB_OK | MB_ICONERROR);
    return 1;
}
} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::wstring module = ProgramFolder() + kModuleName;
    const HMODULE handle = LoadLibraryW(module.c_str());
    if (handle == nullptr) return Fail(L"无法加载模块 " + module);
    using Entry = int(__stdcall*)();
    const auto entry =
        reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(handle, kEntryName)));
    if (entry == nullptr) return Fail(L"模块 " + module + L" 中没有入口 __Kavrel@0");
    const int result = entry();
    FreeLibrary(handle);
    return result;
}
