// The main window's initialisation: the observation grid (one header row and column,
// 100 rows, 9 columns, row numbers and the eight observation headers), the first
// diagram and the layout of the non-oriented traverse.
#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"
#include "workspace/TypeLayouts.h"

#include "resources/StringTable.h"

#include <limits>
#include <new>
#include <string>

using namespace traverse;

namespace {
constexpr int kGridRows = 100;
constexpr int kGridColumns = 9;
constexpr int kRowHeight = 20;                                            // pixels
constexpr int kRowNumberWidth = 30;                                       // pixels, column 0
constexpr int kDataColumnWidth = 100;                                     // pixels, columns 1..8
constexpr unsigned kHeaderFormat = kDtCenter | kDtVCenter | kDtWordBreak; // 21
constexpr unsigned kCellBackground = 0x00D7E4FFu; // RGB(255, 228, 215) as 0x00BBGGRR
} // namespace

void CTraverseAdjustDlg::OnInitDialog() {
    if (m_pPort == nullptr) return;
    ShowWorkspace();

    CGridCtrl& grid = m_pPort->Grid();
    m_pGrid = &grid;
    grid.SetDefaultCellBackground(kCellBackground);
    try {
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetRowCount(kGridRows);
        grid.SetColumnCount(kGridColumns);
    } catch (const std::bad_alloc&) {
        // Go on with whatever size the grid reached.
        ShowMessage(str::kOutOfMemory);
    }

    grid.SetColumnWidth(0, kRowNumberWidth);
    const int rows = grid.GetRowCount();
    const int columns = grid.GetColumnCount();
    if (columns > 0) {
        for (int r = 0; r < rows; ++r) {
            grid.SetRowHeight(r, kRowHeight);
            grid.SetItemText(r, 0, r >= 1 ? std::to_string(r) : std::string());
            grid.SetItemFormat(r, 0, kHeaderFormat);
        }
    }
    if (rows > 0) {
        for (int c = 1; c < kGridColumns && c < columns; ++c) {
            grid.SetColumnWidth(c, kDataColumnWidth);
            grid.SetItemText(0, c, std::string(LoadString(str::kFirstGridHeader + c - 1)));
            grid.SetItemFormat(0, c, kHeaderFormat);
        }
    }

    CImgEdit& diagram = m_pPort->Diagram();
    m_pImgEdit = &diagram;
    diagram.SetImage(m_pPort->ModuleDirectory() + std::string(DiagramFileName(kNonOriented)));
    diagram.SetFlag26(false);
    diagram.Display();

    // The known points start untyped, the closures at 0, the non-oriented layout shown.
    ReadWindow();
    const double untyped = std::numeric_limits<double>::quiet_NaN();
    m_dInitX1 = m_dInitX2 = m_dInitY1 = m_dInitY2 = m_dInitZ1 = m_dInitZ2 = untyped;
    m_dGoalX1 = m_dGoalX2 = m_dGoalY2 = m_dGoalY1 = m_dGoalZ1 = m_dGoalZ2 = untyped;
    m_nTraverseType = kNonOriented;
    DiscardResults();
    ShowWorkspace();
    ApplyLayout(kNonOriented);
}
