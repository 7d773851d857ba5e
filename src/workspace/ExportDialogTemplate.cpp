// Template 130, the export options dialog "数据结果导出": eight section check boxes,
// the path with its file-name button, the report's encoding (GBK or UTF-8), OK and
// Cancel. Rectangles in dialog units.
#include "workspace/ControlIds.h"
#include "workspace/DialogTemplate.h"

const DialogTemplate& ExportDialogTemplate() {
    // clang-format off
    // A frame's first row sits 16 units below its top, clear of a title drawn above the
    // frame's line as well as on it.
    static const DialogTemplate kTemplate{
        130, "数据结果导出", "宋体", 9, 175, 150,
        {
            {-1,                    ControlKind::GroupBox,          "输出内容",   7,  3,  121, 69},
            {ctl::kOptApproxCoords, ControlKind::CheckBox,          "近似坐标",   13, 19, 54,  10},
            {ctl::kOptAdjCoords,    ControlKind::CheckBox,          "坐标平差值", 70, 19, 56,  10},
            {ctl::kOptAdjSides,     ControlKind::CheckBox,          "边平差值",   13, 32, 55,  10},
            {ctl::kOptPrecision,    ControlKind::CheckBox,          "精度评定表", 70, 32, 53,  10},
            {ctl::kOptHeader,       ControlKind::CheckBox,          "表头",       13, 45, 40,  10},
            {ctl::kOptClosures,     ControlKind::CheckBox,          "闭合差与精度", 55, 45, 71, 10},
            {ctl::kOptHeights,      ControlKind::CheckBox,          "高程平差",   13, 58, 55,  10},
            {ctl::kOptTests,        ControlKind::CheckBox,          "粗差检验",   70, 58, 53,  10},
            {-1,                    ControlKind::GroupBox,          "输出路径",   7,  76, 160, 34},
            {ctl::kOptFileName,     ControlKind::PushButton,        "文件名",     13, 92, 36,  14},
            {ctl::kOptPath,         ControlKind::Edit,              "",           53, 92, 108, 14},
            {-1,                    ControlKind::GroupBox,          "报告编码",   7,  114, 160, 30},
            {ctl::kOptEncodingGbk,  ControlKind::RadioButton,       "GBK",        13, 130, 60, 10, false, true},
            {ctl::kOptEncodingUtf8, ControlKind::RadioButton,       "UTF-8",      80, 130, 60, 10},
            {ctl::kOk,              ControlKind::DefaultPushButton, "确认",       135, 11, 32, 14},
            {ctl::kCancel,          ControlKind::PushButton,        "取消",       135, 34, 32, 14},
        }};
    // clang-format on
    return kTemplate;
}
