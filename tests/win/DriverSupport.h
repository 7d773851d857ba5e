// What the drivers of the real window share: waiting (polls every 0.1 s, for seconds),
// finding the host's dialogs (class #32770) and message boxes, clicking and typing by
// control id, answering the common file dialogs, and counting the checks ("ok: …" or
// "FAILED: …", one line each, then "N passed, N failed").
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace driver {

bool WaitFor(const std::function<bool()>& ready, int seconds = 20);
std::wstring TextOf(HWND h);
// A visible dialog of the host other than those in except; nullptr when none shows.
HWND FindDialog(const std::vector<HWND>& except);
HWND WaitDialog(const std::vector<HWND>& except, int seconds = 20);
// Every static text of a message box, joined.
std::wstring MessageText(HWND box);
void Click(HWND dialog, int id);
void Type(HWND dialog, int id, const wchar_t* text);
void Check(bool ok, const char* what);
// Answers a common file dialog with path; true when it closed. The file name box is an
// edit, alone or inside a combo box.
bool AnswerFileDialog(HWND dialog, const wchar_t* path);
// Several files of folder: the folder typed first, which the dialog opens, then the
// names, each in quotes; true when it closed.
bool AnswerFilesDialog(HWND dialog, const wchar_t* folder, const std::vector<std::wstring>& names);
// Reads the message box on top of owner, then presses its OK.
std::wstring AnswerMessage(HWND owner);
// Creates the file marker and waits (at most two minutes) until it is deleted.
void PauseFor(const wchar_t* marker);
// Starts the host in folder; its window "导线平差" once it shows, nullptr (the host ended)
// when it never does.
HWND StartHost(const wchar_t* host, const wchar_t* folder, PROCESS_INFORMATION& pi);
// "平差成果" opened from main, after the pause (with a marker) for a picture; nullptr when
// it does not open.
HWND OpenResults(HWND main, const wchar_t* pause);
// Its "关闭", checked.
void CloseResults(HWND results);
std::string Utf8(const std::wstring& text);
// Clicks "退出" and checks that the host ends with 2 (ended by force otherwise).
void ExitHost(HWND main, HANDLE host);
// Prints the count of checks passed and failed; the exit code: 0 when none failed.
int Summary();

} // namespace driver
