// The observation grid as a window of our own: the cells kept in memory, drawn with one
// fixed header row and column in the button colour, the other cells on the default
// background, fixed row heights and column widths in pixels. It scrolls by whole rows
// and columns, the fixed ones staying in view. Read-only: the program fills it; a left
// click on a row is handed to the handler set, if any.
#pragma once

#include "workspace/MemoryGrid.h"

#include <windows.h>

#include <functional>

class CWinGridCtrl : public CMemoryGrid {
public:
    // Registers the window class "TraverseGrid" of instance; true when it exists.
    static bool RegisterClass(HINSTANCE instance);
    static constexpr const wchar_t* kClassName = L"TraverseGrid";

    void Attach(HWND window);
    HWND Window() const { return m_hwnd; }

    bool SetRowCount(int rows) override;
    bool SetColumnCount(int cols) override;
    bool SetItemText(int row, int col, const std::string& text) override;
    void SetDefaultCellBackground(unsigned rgb) override;
    void Refresh() override;
    // Scrolls by whole rows until row is in view; columns stay.
    void EnsureVisible(int row, int col) override;

    int RowHeight(int row) const;
    int ColumnWidth(int col) const;
    // The row drawn at y pixels from the client area's top, counted with the fixed rows
    // as the cells are (scrolled rows skipped); -1 below the last row.
    int RowAt(int y) const;
    // handler(row) on a left click on a row, row as RowAt counts.
    void OnRowClicked(std::function<void(int)> handler) { m_rowClicked = std::move(handler); }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
    void Paint(HDC dc, const RECT& client) const;
    void PaintCell(HDC dc, int row, int col, const RECT& cell) const;
    void Scroll(int bar, int request);
    void UpdateScrollBars();
    // The visible rows (or columns): the fixed ones, then from the first scrolled one.
    int VisibleAfterFixed(int bar) const;

    HWND m_hwnd = nullptr;
    int m_firstRow = 0; // first non-fixed row in view, counted from the first non-fixed
    int m_firstColumn = 0;
    std::function<void(int)> m_rowClicked;
};
