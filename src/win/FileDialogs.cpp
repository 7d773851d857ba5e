#include "win/FileDialogs.h"

#include "platform/WideText.h"

#include <commdlg.h>

using namespace traverse;

namespace {
constexpr DWORD kPathRoom = 32768; // characters: the longest path Windows knows

std::optional<std::string> Run(OPENFILENAMEW& ofn, std::wstring& path, bool save) {
    const BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok) return std::nullopt;
    path.resize(wcslen(path.c_str()));
    return Narrow(path);
}

OPENFILENAMEW Dialog(HWND owner, const std::wstring& filter, std::wstring& path) {
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = kPathRoom;
    ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    return ofn;
}
} // namespace

std::wstring CommonDialogFilter(const std::string& filter) {
    std::wstring wide = Widen(filter);
    for (wchar_t& c : wide)
        if (c == L'|') c = L'\0';
    wide.push_back(L'\0');
    return wide;
}

std::optional<std::string> ShowOpenDialog(HWND owner, const std::string& filter) {
    const std::wstring wideFilter = CommonDialogFilter(filter);
    std::wstring path(kPathRoom, L'\0');
    OPENFILENAMEW ofn = Dialog(owner, wideFilter, path);
    ofn.Flags |= OFN_FILEMUSTEXIST;
    return Run(ofn, path, false);
}

std::optional<std::string> ShowSaveDialog(HWND owner, const std::string& defaultExt,
                                          const std::string& initialName,
                                          const std::string& filter) {
    const std::wstring wideFilter = CommonDialogFilter(filter);
    const std::wstring ext = Widen(defaultExt);
    std::wstring path(kPathRoom, L'\0');
    const std::wstring initial = Widen(initialName).substr(0, kPathRoom - 1);
    initial.copy(path.data(), initial.size());
    OPENFILENAMEW ofn = Dialog(owner, wideFilter, path);
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    return Run(ofn, path, true);
}
