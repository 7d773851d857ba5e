// Dialog templates as data: controls with ids, kinds, texts and rectangles in dialog
// units. The Qt window builds itself from these; the layout logic addresses the ids.
#pragma once

#include <string_view>
#include <vector>

enum class ControlKind {
    GroupBox,
    Label,
    Edit,
    PushButton,
    DefaultPushButton,
    RadioButton,
    CheckBox,
    Grid,
    Picture,
};

struct ControlTemplate {
    int id; // -1 for a static control without an id
    ControlKind kind;
    std::string_view text;   // UTF-8
    int x, y, width, height; // dialog units
    bool disabled = false;
    bool groupStart = false; // first button of a radio group
};

struct DialogTemplate {
    int id;
    std::string_view caption;
    std::string_view fontName;
    int fontPoints;
    int width, height; // dialog units
    std::vector<ControlTemplate> controls;
};

// Template 102, the main window "导线平差".
const DialogTemplate& MainDialogTemplate();
// Template 130, the export options dialog "数据结果导出".
const DialogTemplate& ExportDialogTemplate();
