// The system's open and save dialogs (the common dialogs), with filters written
// "label|pattern|label|pattern||" and paths in UTF-8.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The filter as the common dialogs want it: each '|' a terminating zero.
std::wstring CommonDialogFilter(const std::string& filter);

// An existing file; no value when cancelled.
std::optional<std::string> ShowOpenDialog(HWND owner, const std::string& filter);
// Several existing files of one folder (the dialog's several choice); empty when cancelled.
std::vector<std::string> ShowOpenFilesDialog(HWND owner, const std::string& filter);
// The paths of a several-choice answer: "folder\0name\0name\0\0", or one whole path
// "path\0\0" when one file was chosen.
std::vector<std::wstring> SplitMultipleChoice(const wchar_t* answer);
// Any name, with defaultExt added when the name has none; no question before replacing.
std::optional<std::string> ShowSaveDialog(HWND owner, const std::string& defaultExt,
                                          const std::string& initialName,
                                          const std::string& filter);
