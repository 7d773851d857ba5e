// The system's open and save dialogs (the common dialogs), with filters written
// "label|pattern|label|pattern||" and paths in UTF-8.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The filter as the common dialogs want it: each '|' a terminating zero.
std::wstring CommonDialogFilter(const std::string& filter);

// An existing file; no value when cancelled.
std::optional<std::string> ShowOpenDialog(HWND owner, const std::string& filter);
// Any name, with defaultExt added when the name has none; no question before replacing.
std::optional<std::string> ShowSaveDialog(HWND owner, const std::string& defaultExt,
                                          const std::string& initialName,
                                          const std::string& filter);
