// The diagram control as a window of our own: it shows a bitmap file by path, scaled to
// fit (never enlarged) with its proportions kept, centred on white. A file that cannot be
// read leaves it white.
#pragma once

#include "workspace/WindowPort.h"

#include <windows.h>

class CWinImgEdit : public CImgEdit {
public:
    ~CWinImgEdit() override;
    // Registers the window class "TraverseDiagram" of instance; true when it exists.
    static bool RegisterClass(HINSTANCE instance);
    static constexpr const wchar_t* kClassName = L"TraverseDiagram";

    void Attach(HWND window);

    void SetImage(const std::string& path) override { m_path = path; }
    void SetFlag26(bool value) override { m_flag26 = value; }
    // Loads the picture named by SetImage and shows it.
    void Display() override;

    const std::string& Image() const { return m_path; }
    bool Loaded() const { return m_bitmap != nullptr; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
    void Paint(HDC dc, const RECT& client) const;

    HWND m_hwnd = nullptr;
    HBITMAP m_bitmap = nullptr;
    std::string m_path;
    bool m_flag26 = false;
};
