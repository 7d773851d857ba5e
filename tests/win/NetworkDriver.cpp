// Drives the real window through a network (导线网) as a user would: picks the fifth type
// and checks its layout, imports three files at once through the open dialog, fills the
// known points from a file, brings one into the edits by a click on its row (the table
// scrolled), removes it and types it again, adjusts, checks 平差成果 (each line's
// closures, no calculation sheet), saves its CSV and ends the host through "退出".
//
// network_driver HOST FOLDER CSV WORKDIR [PAUSE]; FOLDER holds examples/network (south.txt,
// north.txt, east.txt, known.dat). With PAUSE, it creates that file once the adjusted
// network is shown and once 平差成果 is open, and waits each time until it is deleted.
#include "DriverSupport.h"

#include "workspace/ControlIds.h"

#include <cstdio>
#include <string>

using namespace driver;

namespace {
constexpr int kResultsText = 2002, kResultsCsv = 2003;
constexpr int kResultsSheet = 2007; // inside 平差成果
constexpr int kPointGroups[] = {ctl::kInitName1,    ctl::kInitX1,    ctl::kInitName2,
                                ctl::kGoalName1,    ctl::kGoalName2, ctl::kGroup1Heading,
                                ctl::kGroup4Heading};
constexpr int kRowPixels = 20; // the table's rows, its header's too

bool Shown(HWND main, int id) { return IsWindowVisible(GetDlgItem(main, id)) != FALSE; }

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void ChooseNetwork(HWND main) {
    SendMessageW(GetDlgItem(main, ctl::kRadioNetwork), BM_CLICK, 0, 0);
    bool groups = false, table = true;
    for (int id : kPointGroups)
        groups = groups || Shown(main, id);
    for (int id : ctl::kNetworkControls)
        table = table && Shown(main, id);
    Check(!groups, "导线网 hides the four point groups");
    Check(table, "导线网 shows the known-point table with its edits and buttons");
}

void ImportNetwork(HWND main, const std::wstring& folder) {
    Click(main, ctl::kImport);
    HWND open = WaitDialog({main});
    Check(open != nullptr &&
              AnswerFilesDialog(open, folder.c_str(), {L"south.txt", L"north.txt", L"east.txt"}),
          "three files at once through the open dialog");
    const std::wstring caption = L"导线平差 — 导线网 south.txt、north.txt、east.txt";
    Check(WaitFor([&] { return TextOf(main) == caption; }, 10), "the caption names the files");
    Click(main, ctl::kImportKnown);
    open = WaitDialog({main});
    Check(open != nullptr && AnswerFileDialog(open, (folder + L"\\known.dat").c_str()),
          "导入已知点… through the open dialog");
    Check(AnswerMessage(main).rfind(L"已从“known.dat”填入 6 个已知点：", 0) == 0,
          "导入已知点… fills the six known points");
}

// Rows K2 K1 S1 S2 J1 K4 …: three rows down, K4 is the third row under the header.
void ChooseRowByClick(HWND main) {
    const HWND grid = GetDlgItem(main, ctl::kKnownGrid);
    for (int i = 0; i < 3; ++i)
        SendMessageW(grid, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 3 * kRowPixels + 5));
    Check(TextOf(GetDlgItem(main, ctl::kNetName)) == L"K4" &&
              TextOf(GetDlgItem(main, ctl::kNetX)) == L"3381250" &&
              TextOf(GetDlgItem(main, ctl::kNetY)) == L"500300",
          "a click on a row of the scrolled table brings its point into the edits");
}

void RemoveAndTypeAgain(HWND main) {
    Click(main, ctl::kNetRemove);
    Check(WaitFor([&] { return TextOf(GetDlgItem(main, ctl::kNetX)).empty(); }, 10),
          "删除已知点 empties the edits");
    Type(main, ctl::kNetX, L"3381250");
    Type(main, ctl::kNetY, L"500300");
    Click(main, ctl::kNetSet);
    Sleep(700);
    Check(FindDialog({main}) == nullptr, "设为已知点 takes the coordinates typed");
}

void CheckAndSaveResults(HWND main, const wchar_t* csv, const wchar_t* pause) {
    const HWND results = OpenResults(main, pause);
    if (results == nullptr) return;
    const std::wstring text = TextOf(GetDlgItem(results, kResultsText));
    Check(text.find(L"导线节 3（east.txt）：K5–E1–E2–J1") != std::wstring::npos &&
              text.find(L"等级 图根：合格") != std::wstring::npos &&
              text.find(L"\r\nJ1\t") != std::wstring::npos,
          "平差成果 shows each line's closures, the verdict and the points");
    Check(GetDlgItem(results, kResultsSheet) == nullptr, "a network has no calculation sheet");
    Click(results, kResultsCsv);
    HWND save = WaitDialog({main, results});
    Check(save != nullptr && AnswerFileDialog(save, csv), "保存为 CSV… through the save dialog");
    Check(WaitFor([&] { return FileExists(csv); }), "the CSV is written");
    CloseResults(results);
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5 && argc != 6) {
        std::fputs("usage: network_driver HOST FOLDER CSV WORKDIR [PAUSE]\n", stderr);
        return 2;
    }
    const wchar_t* pause = argc == 6 ? argv[5] : nullptr;
    PROCESS_INFORMATION pi{};
    const HWND main = StartHost(argv[1], argv[4], pi);
    if (main == nullptr) return Summary();
    ChooseNetwork(main);
    ImportNetwork(main, argv[2]);
    ChooseRowByClick(main);
    RemoveAndTypeAgain(main);
    Click(main, ctl::kAdjust);
    Check(AnswerMessage(main) == L"导线平差已完成,请导出结果.", "adjust: 导线平差已完成");
    if (pause != nullptr) PauseFor(pause);
    CheckAndSaveResults(main, argv[3], pause);
    ExitHost(main, pi.hProcess);
    return Summary();
}
