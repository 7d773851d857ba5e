// The Win32 window's pieces that need no window: the open dialog's answer of several
// files split into paths, and the grid's row under a point.
#include "win/FileDialogs.h"
#include "win/WinGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The buffer's characters, every zero in it kept.
template <size_t N> std::wstring Answer(const wchar_t (&buffer)[N]) { return {buffer, N}; }

struct ChoiceCase {
    const char* name;
    std::wstring answer; // as the dialog fills its buffer, zeros included
    std::vector<std::wstring> paths;
};

TEST(FileDialogs, SplitsTheSeveralChoiceAnswer) {
    const ChoiceCase cases[] = {
        {"one file: the whole path", Answer(L"C:\\data\\south.txt\0\0"), {L"C:\\data\\south.txt"}},
        {"several: the folder, then the names",
         Answer(L"C:\\data\0south.txt\0north.txt\0east.txt\0\0"),
         {L"C:\\data\\south.txt", L"C:\\data\\north.txt", L"C:\\data\\east.txt"}},
        {"a drive's root ends in its backslash already",
         Answer(L"D:\\\0a.txt\0b.con\0\0"),
         {L"D:\\a.txt", L"D:\\b.con"}},
        {"Chinese names",
         Answer(L"C:\\测量\0闭合导线.txt\0附合.txt\0\0"),
         {L"C:\\测量\\闭合导线.txt", L"C:\\测量\\附合.txt"}},
        {"nothing", Answer(L"\0"), {}},
    };
    for (const ChoiceCase& c : cases)
        EXPECT_EQ(SplitMultipleChoice(c.answer.c_str()), c.paths) << c.name;
}

// Header 20 pixels, then rows of 20 and one of 30: a click's y gives the row the grid
// counts, header included; none below the last.
TEST(WinGrid, RowUnderAPoint) {
    CWinGridCtrl grid;
    grid.SetRowCount(4);
    grid.SetFixedRowCount(1);
    grid.SetRowHeight(2, 30);
    const std::pair<int, int> cases[] = {{0, 0},  {19, 0}, {20, 1}, {39, 1},  {40, 2},
                                         {69, 2}, {70, 3}, {89, 3}, {90, -1}, {-1, -1}};
    for (const auto& [y, row] : cases)
        EXPECT_EQ(grid.RowAt(y), row) << "y = " << y;
}

} // namespace
