#include "win/WinGrid.h"

#include "platform/WideText.h"

#include <windowsx.h>

#include <algorithm>

using namespace traverse;

namespace {
constexpr int kDefaultRowHeight = 20, kDefaultColumnWidth = 64; // pixels
constexpr COLORREF kLineColour = RGB(192, 192, 192);

// What a cell shows: its text without the white space around it (numbers are stored
// "\t 294.489000\n").
std::wstring CellText(const std::string& utf8) {
    const std::wstring text = Widen(utf8);
    const size_t first = text.find_first_not_of(L" \t\r\n");
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L" \t\r\n") - first + 1);
}
} // namespace

bool CWinGridCtrl::RegisterClass(HINSTANCE instance) {
    WNDCLASSW wc{};
    if (GetClassInfoW(instance, kClassName, &wc)) return true;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    return ::RegisterClassW(&wc) != 0;
}

void CWinGridCtrl::Attach(HWND window) {
    m_hwnd = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    UpdateScrollBars();
}

bool CWinGridCtrl::SetRowCount(int r) {
    const bool ok = CMemoryGrid::SetRowCount(r);
    m_firstRow = 0;
    Refresh();
    return ok;
}

bool CWinGridCtrl::SetColumnCount(int c) {
    const bool ok = CMemoryGrid::SetColumnCount(c);
    m_firstColumn = 0;
    Refresh();
    return ok;
}

bool CWinGridCtrl::SetItemText(int row, int col, const std::string& text) {
    const bool ok = CMemoryGrid::SetItemText(row, col, text);
    if (m_hwnd != nullptr) InvalidateRect(m_hwnd, nullptr, FALSE);
    return ok;
}

void CWinGridCtrl::SetDefaultCellBackground(unsigned rgb) {
    CMemoryGrid::SetDefaultCellBackground(rgb);
    Refresh();
}

void CWinGridCtrl::Refresh() {
    if (m_hwnd == nullptr) return;
    UpdateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void CWinGridCtrl::EnsureVisible(int row, int) {
    if (m_hwnd == nullptr || row < fixedRows || row >= rows) return;
    const int scrolled = row - fixedRows;
    if (scrolled < m_firstRow) m_firstRow = scrolled;
    while (scrolled >= m_firstRow + VisibleAfterFixed(SB_VERT))
        ++m_firstRow;
    Refresh();
}

int CWinGridCtrl::RowHeight(int row) const {
    auto it = rowHeights.find(row);
    return it == rowHeights.end() ? kDefaultRowHeight : it->second;
}

int CWinGridCtrl::ColumnWidth(int col) const {
    auto it = colWidths.find(col);
    return it == colWidths.end() ? kDefaultColumnWidth : it->second;
}

int CWinGridCtrl::RowAt(int y) const {
    if (y < 0) return -1;
    int bottom = 0;
    for (int r = 0; r < rows; ++r) {
        if (r >= fixedRows && r < fixedRows + m_firstRow) continue;
        bottom += RowHeight(r);
        if (y < bottom) return r;
    }
    return -1;
}

int CWinGridCtrl::VisibleAfterFixed(int bar) const {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    const bool vertical = bar == SB_VERT;
    const int count = vertical ? rows : cols, fixed = vertical ? fixedRows : fixedCols;
    int room = vertical ? client.bottom : client.right;
    for (int i = 0; i < fixed && i < count; ++i)
        room -= vertical ? RowHeight(i) : ColumnWidth(i);
    int shown = 0;
    for (int i = fixed + (vertical ? m_firstRow : m_firstColumn); i < count; ++i) {
        room -= vertical ? RowHeight(i) : ColumnWidth(i);
        if (room < 0) break;
        ++shown;
    }
    return std::max(shown, 1);
}

void CWinGridCtrl::UpdateScrollBars() {
    for (int bar : {SB_VERT, SB_HORZ}) {
        const bool vertical = bar == SB_VERT;
        const int scrollable = vertical ? rows - fixedRows : cols - fixedCols;
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        info.nMax = std::max(scrollable - 1, 0);
        info.nPage = static_cast<UINT>(VisibleAfterFixed(bar));
        info.nPos = vertical ? m_firstRow : m_firstColumn;
        SetScrollInfo(m_hwnd, bar, &info, TRUE);
    }
}

void CWinGridCtrl::Scroll(int bar, int request) {
    const bool vertical = bar == SB_VERT;
    int& first = vertical ? m_firstRow : m_firstColumn;
    const int page = VisibleAfterFixed(bar);
    const int last = std::max((vertical ? rows - fixedRows : cols - fixedCols) - page, 0);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(m_hwnd, bar, &info);
    switch (request) {
    case SB_LINEUP:
        first -= 1;
        break;
    case SB_LINEDOWN:
        first += 1;
        break;
    case SB_PAGEUP:
        first -= page;
        break;
    case SB_PAGEDOWN:
        first += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        first = info.nTrackPos;
        break;
    case SB_TOP:
        first = 0;
        break;
    case SB_BOTTOM:
        first = last;
        break;
    default:
        return;
    }
    first = std::clamp(first, 0, last);
    UpdateScrollBars();
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CWinGridCtrl::PaintCell(HDC dc, int row, int col, const RECT& cell) const {
    const bool fixed = row < fixedRows || col < fixedCols;
    const HBRUSH brush = fixed ? GetSysColorBrush(COLOR_BTNFACE) : CreateSolidBrush(background);
    FillRect(dc, &cell, brush);
    if (!fixed) DeleteObject(brush);
    MoveToEx(dc, cell.right - 1, cell.top, nullptr);
    LineTo(dc, cell.right - 1, cell.bottom - 1);
    LineTo(dc, cell.left - 1, cell.bottom - 1);

    const auto format = formats.find({row, col});
    UINT flags = format == formats.end() ? DT_LEFT | DT_VCENTER : format->second;
    if (flags & DT_VCENTER) flags = (flags & ~UINT(DT_WORDBREAK)) | DT_SINGLELINE;
    RECT text = {cell.left + 2, cell.top, cell.right - 3, cell.bottom - 1};
    std::wstring shown = CellText(GetItemText(row, col));
    DrawTextW(dc, shown.c_str(), int(shown.size()), &text, flags | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CWinGridCtrl::Paint(HDC dc, const RECT& client) const {
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    const HPEN pen = CreatePen(PS_SOLID, 1, kLineColour);
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    const HGDIOBJ oldFont = SelectObject(
        dc, reinterpret_cast<HFONT>(SendMessageW(GetParent(m_hwnd), WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    int y = 0;
    for (int r = 0; r < rows && y < client.bottom; ++r) {
        if (r >= fixedRows && r < fixedRows + m_firstRow) continue;
        int x = 0;
        for (int c = 0; c < cols && x < client.right; ++c) {
            if (c >= fixedCols && c < fixedCols + m_firstColumn) continue;
            const RECT cell = {x, y, x + ColumnWidth(c), y + RowHeight(r)};
            PaintCell(dc, r, c, cell);
            x = cell.right;
        }
        y += RowHeight(r);
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

LRESULT CALLBACK CWinGridCtrl::WindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    auto* grid = reinterpret_cast<CWinGridCtrl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (grid == nullptr) return DefWindowProcW(hwnd, msg, w, l);
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        grid->Paint(dc, client);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_VSCROLL:
        grid->Scroll(SB_VERT, LOWORD(w));
        return 0;
    case WM_HSCROLL:
        grid->Scroll(SB_HORZ, LOWORD(w));
        return 0;
    case WM_MOUSEWHEEL:
        grid->Scroll(SB_VERT, GET_WHEEL_DELTA_WPARAM(w) > 0 ? SB_LINEUP : SB_LINEDOWN);
        return 0;
    case WM_SIZE:
        grid->UpdateScrollBars();
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        if (const int row = grid->RowAt(GET_Y_LPARAM(l)); row >= 0 && grid->m_rowClicked)
            grid->m_rowClicked(row);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (w == VK_UP || w == VK_DOWN) grid->Scroll(SB_VERT, w == VK_UP ? SB_LINEUP : SB_LINEDOWN);
        if (w == VK_PRIOR || w == VK_NEXT)
            grid->Scroll(SB_VERT, w == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        break;
    }
    return DefWindowProcW(hwnd, msg, w, l);
}
