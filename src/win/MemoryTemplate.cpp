#include "win/MemoryTemplate.h"

#include "platform/WideText.h"
#include "win/WinDiagram.h"
#include "win/WinGrid.h"

using namespace traverse;

namespace {
// Predefined control classes by atom.
constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082;

struct ControlClass {
    WORD atom;           // 0 when the class is named
    const wchar_t* name; // our own classes
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::GroupBox:
        return {kButton, nullptr, BS_GROUPBOX, 0};
    case ControlKind::Label:
        return {kStatic, nullptr, SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::Edit:
        return {kEdit, nullptr, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0};
    case ControlKind::PushButton:
        return {kButton, nullptr, BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::DefaultPushButton:
        return {kButton, nullptr, BS_DEFPUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::RadioButton:
        return {kButton, nullptr, BS_AUTORADIOBUTTON, 0};
    case ControlKind::CheckBox:
        return {kButton, nullptr, BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case ControlKind::Grid:
        return {0, CWinGridCtrl::kClassName, WS_BORDER | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL, 0};
    case ControlKind::Picture:
        return {0, CWinImgEdit::kClassName, 0, WS_EX_CLIENTEDGE};
    }
    return {kStatic, nullptr, 0, 0};
}

class TemplateWriter {
public:
    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(std::string_view utf8) {
        for (wchar_t c : Widen(utf8))
            Word(static_cast<WORD>(c));
        Word(0);
    }
    void Wide(const wchar_t* text) {
        for (; *text != L'\0'; ++text)
            Word(static_cast<WORD>(*text));
        Word(0);
    }
    void AlignDword() {
        if (m_words.size() % 2 != 0) Word(0);
    }
    std::vector<WORD>& Words() { return m_words; }

private:
    std::vector<WORD> m_words;
};

void WriteHeader(TemplateWriter& out, const DialogTemplate& t, DialogStyle style) {
    out.Word(1);      // version
    out.Word(0xFFFF); // extended template
    out.Dword(0);     // help id
    out.Dword(style.exStyle);
    out.Dword(style.style);
    out.Word(static_cast<WORD>(t.controls.size()));
    for (int v : {0, 0, t.width, t.height})
        out.Word(static_cast<WORD>(v));
    out.Word(0); // no menu
    out.Word(0); // the dialog class
    out.Text(t.caption);
    out.Word(static_cast<WORD>(t.fontPoints));
    out.Word(FW_NORMAL);
    out.Word(MAKEWORD(0, GB2312_CHARSET)); // not italic; the Chinese character set
    out.Text(t.fontName);
}

// Every control but the buttons after the first of a radio group starts a group, so that
// the arrow keys move within the radio group only.
void WriteControl(TemplateWriter& out, const ControlTemplate& c) {
    out.AlignDword();
    const ControlClass cls = ClassOf(c.kind);
    DWORD style = WS_CHILD | WS_VISIBLE | cls.style;
    if (c.kind != ControlKind::RadioButton || c.groupStart) style |= WS_GROUP;
    if (c.kind == ControlKind::RadioButton && c.groupStart) style |= WS_TABSTOP;
    if (c.disabled) style |= WS_DISABLED;
    out.Dword(0); // help id
    out.Dword(cls.exStyle);
    out.Dword(style);
    for (int v : {c.x, c.y, c.width, c.height})
        out.Word(static_cast<WORD>(v));
    out.Dword(static_cast<DWORD>(c.id)); // -1 for a control without an id
    if (cls.atom != 0) {
        out.Word(0xFFFF);
        out.Word(cls.atom);
    } else {
        out.Wide(cls.name);
    }
    out.Text(c.text);
    out.Word(0); // no creation data
}
} // namespace

std::vector<WORD> BuildMemoryTemplate(const DialogTemplate& t, DialogStyle style) {
    TemplateWriter out;
    WriteHeader(out, t, style);
    for (const ControlTemplate& c : t.controls)
        WriteControl(out, c);
    return std::move(out.Words());
}
