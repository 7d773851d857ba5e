#include "win/WinDiagram.h"

#include "platform/WideText.h"

#include <algorithm>

using namespace traverse;

CWinImgEdit::~CWinImgEdit() {
    if (m_bitmap != nullptr) DeleteObject(m_bitmap);
}

bool CWinImgEdit::RegisterClass(HINSTANCE instance) {
    WNDCLASSW wc{};
    if (GetClassInfoW(instance, kClassName, &wc)) return true;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClassName;
    return ::RegisterClassW(&wc) != 0;
}

void CWinImgEdit::Attach(HWND window) {
    m_hwnd = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void CWinImgEdit::Display() {
    if (m_bitmap != nullptr) DeleteObject(m_bitmap);
    m_bitmap = static_cast<HBITMAP>(LoadImageW(nullptr, Widen(m_path).c_str(), IMAGE_BITMAP, 0, 0,
                                               LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (m_hwnd != nullptr) InvalidateRect(m_hwnd, nullptr, TRUE);
}

void CWinImgEdit::Paint(HDC dc, const RECT& client) const {
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (m_bitmap == nullptr) return;
    BITMAP bm{};
    GetObjectW(m_bitmap, sizeof bm, &bm);
    if (bm.bmWidth <= 0 || bm.bmHeight <= 0) return;
    const int roomW = client.right - client.left, roomH = client.bottom - client.top;
    const double scale = std::min({1.0, double(roomW) / bm.bmWidth, double(roomH) / bm.bmHeight});
    const int w = int(bm.bmWidth * scale + 0.5), h = int(bm.bmHeight * scale + 0.5);
    const HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(source, m_bitmap);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, (roomW - w) / 2, (roomH - h) / 2, w, h, source, 0, 0, bm.bmWidth, bm.bmHeight,
               SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

LRESULT CALLBACK CWinImgEdit::WindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    auto* diagram = reinterpret_cast<CWinImgEdit*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (diagram != nullptr && msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        diagram->Paint(dc, client);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcW(hwnd, msg, w, l);
}
