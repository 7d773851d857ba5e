#include "win/FileDialogs.h"

#include "platform/WideText.h"

#include <cderr.h>
#include <commdlg.h>

using namespace traverse;

namespace {
constexpr DWORD kPathRoom = 32768; // characters: the longest path Windows knows
// Characters for several files: a folder and some thousand names at first; grown when the
// answer did not fit, the dialog then shown again.
constexpr DWORD kChoiceRoom = 8 * kPathRoom, kChoiceLimit = 512 * kPathRoom;

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
    ofn.nMaxFile = static_cast<DWORD>(path.size());
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

std::vector<std::wstring> SplitMultipleChoice(const wchar_t* answer) {
    const std::wstring first = answer;
    if (first.empty()) return {};
    const wchar_t* name = answer + first.size() + 1;
    if (*name == L'\0') return {first};
    const std::wstring folder = first.back() == L'\\' ? first : first + L'\\';
    std::vector<std::wstring> paths;
    for (; *name != L'\0'; name += wcslen(name) + 1)
        paths.push_back(folder + name);
    return paths;
}

std::vector<std::string> ShowOpenFilesDialog(HWND owner, const std::string& filter) {
    const std::wstring wideFilter = CommonDialogFilter(filter);
    for (DWORD room = kChoiceRoom; room <= kChoiceLimit; room *= 4) {
        std::wstring answer(room, L'\0');
        OPENFILENAMEW ofn = Dialog(owner, wideFilter, answer);
        ofn.Flags |= OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT;
        if (GetOpenFileNameW(&ofn)) {
            std::vector<std::string> paths;
            for (const std::wstring& path : SplitMultipleChoice(answer.c_str()))
                paths.push_back(Narrow(path));
            return paths;
        }
        if (CommDlgExtendedError() != FNERR_BUFFERTOOSMALL) break;
    }
    return {};
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
