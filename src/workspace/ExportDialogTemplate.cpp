// Template 130, the export options dialog "数据结果导出": six section check boxes,
// the path with its file-name button, the report's encoding (GBK or UTF-8), OK and
// Cancel. Rectangles in dialog units.
#include "workspace/ControlIds.h"
#include "workspace/DialogTemplate.h"

const DialogTemplate& ExportDialogTemplate() {
    // clang-format off
    static const DialogTemplate kTemplate{
        130, "数据结果导出", "宋体", 9, 175, 143,
        {
            {-1,                    ControlKind::GroupBox,          "输出内容",   7,  3,  121, 67},
            {ctl::kOptApproxCoords, ControlKind::CheckBox,          "近似坐标",   13, 15, 54,  9},
            {ctl::kOptAdjCoords,    ControlKind::CheckBox,          "坐标平差值", 70, 15, 56,  9},
            {ctl::kOptAdjSides,     ControlKind::CheckBox,          "边平差值",   13, 33, 55,  9},
            {ctl::kOptPrecision,    ControlKind::CheckBox,          "精度评定表", 70, 33, 53,  9},
            {ctl::kOptHeader,       ControlKind::CheckBox,          "表头",       13, 51, 40,  9},
            {ctl::kOptClosures,     ControlKind::CheckBox,          "闭合差与精度", 55, 51, 71, 9},
            {-1,                    ControlKind::GroupBox,          "输出路径",   7,  76, 160, 31},
            {ctl::kOptFileName,     ControlKind::PushButton,        "文件名",     16, 86, 32,  14},
            {ctl::kOptPath,         ControlKind::Edit,              "",           57, 86, 100, 14},
            {-1,                    ControlKind::GroupBox,          "报告编码",   7,  111, 160, 26},
            {ctl::kOptEncodingGbk,  ControlKind::RadioButton,       "GBK",        16, 123, 60, 10, false, true},
            {ctl::kOptEncodingUtf8, ControlKind::RadioButton,       "UTF-8",      80, 123, 60, 10},
            {ctl::kOk,              ControlKind::DefaultPushButton, "确认",       135, 11, 32, 14},
            {ctl::kCancel,          ControlKind::PushButton,        "取消",       135, 34, 32, 14},
        }};
    // clang-format on
    return kTemplate;
}
