// Control ids of the main window (template 102) and the export options dialog
// (template 130). The window, the batch tool and the tests address controls by these.
#pragma once

namespace ctl {
// commands
constexpr int kImport = 3;         // "测量数据导入", default button
constexpr int kImportKnown = 1058; // "导入已知点…"
constexpr int kExit = 2;           // "退出"
constexpr int kAdjust = 1021;      // "导线平差"
constexpr int kExport = 1020;      // "数据结果导出"
constexpr int kResults = 1051;     // "平差成果", enabled while an adjustment is current
constexpr int kGrid = 102;
constexpr int kDiagram = 1026;

// point groups: name, X, Y, Z edits
constexpr int kInitName1 = 1000, kInitX1 = 1012, kInitY1 = 1002, kInitZ1 = 1003;
constexpr int kInitName2 = 1004, kInitX2 = 1005, kInitY2 = 1006, kInitZ2 = 1007;
constexpr int kGoalName1 = 1001, kGoalX1 = 1013, kGoalY1 = 1014, kGoalZ1 = 1015;
constexpr int kGoalName2 = 1008, kGoalX2 = 1009, kGoalY2 = 1010, kGoalZ2 = 1011;
// group headings and coordinate labels
constexpr int kGroup1Heading = 1030, kGroup1LabelX = 1027, kGroup1LabelY = 1028,
              kGroup1LabelZ = 1029;
constexpr int kGroup2Heading = 1031, kGroup2LabelX = 1032, kGroup2LabelY = 1033,
              kGroup2LabelZ = 1034;
constexpr int kGroup3Heading = 1035, kGroup3LabelX = 1036, kGroup3LabelY = 1037,
              kGroup3LabelZ = 1038;
constexpr int kGroup4Heading = 1039, kGroup4LabelX = 1040, kGroup4LabelY = 1041,
              kGroup4LabelZ = 1042;

// the two-face tolerance of ".con" imports, arc seconds (an edit and its caption)
constexpr int kFaceTolerance = 1056, kFaceToleranceLabel = 1057;

// the instrument's precision, a row under the frames: σβ (″), a (mm), b (ppm); empty:
// the classic weights
constexpr int kSigmaAngle = 1059, kSigmaDistance = 1060, kSigmaPpm = 1061;
constexpr int kInstrumentEdits[] = {kSigmaAngle, kSigmaDistance, kSigmaPpm};
// the refraction coefficient k of the heights, beside them; empty: 0.13
constexpr int kRefraction = 1062;

// closures
constexpr int kWx = 1016, kWy = 1017, kWz = 1018, kAzimuthClosure = 1019;
constexpr int kAzimuthClosureLabel = 1050;

// every number edit, in the order of the data exchange
constexpr int kNumberEdits[] = {kInitX1, kInitX2, kInitY1, kInitY2,        kInitZ1, kInitZ2,
                                kWx,     kWy,     kWz,     kGoalX1,        kGoalX2, kGoalY2,
                                kGoalY1, kGoalZ1, kGoalZ2, kAzimuthClosure};

// the known-point number edits (empty until typed) and the closure edits (results)
constexpr int kKnownPointEdits[] = {kInitX1, kInitY1, kInitZ1, kInitX2, kInitY2, kInitZ2,
                                    kGoalX1, kGoalY1, kGoalZ1, kGoalX2, kGoalY2, kGoalZ2};
constexpr int kClosureEdits[] = {kWx, kWy, kWz, kAzimuthClosure};

// traverse type radio group, in the order of TraverseType 0..3
constexpr int kRadioNonOriented = 1022;
constexpr int kRadioSingle = 1024;
constexpr int kRadioClosed = 1023;
constexpr int kRadioDouble = 1025;
constexpr int kTypeRadioGroup = kRadioNonOriented;
// the fifth button, 导线网, after the four: index 4 of the group
constexpr int kRadioNetwork = 1065;

// the network's known points, in place of the four groups: a table (点名, X, Y, H), and
// one row of edits with the buttons that set a point's coordinates or remove them
constexpr int kKnownGrid = 1066;
constexpr int kNetName = 1067, kNetX = 1068, kNetY = 1069, kNetH = 1070;
constexpr int kNetSet = 1071, kNetRemove = 1072;
constexpr int kNetNameLabel = 1073, kNetXLabel = 1074, kNetYLabel = 1075, kNetHLabel = 1076;
constexpr int kNetworkControls[] = {kKnownGrid, kNetName,      kNetX,      kNetY,
                                    kNetH,      kNetSet,       kNetRemove, kNetNameLabel,
                                    kNetXLabel, kNetYLabel,    kNetHLabel};

// export options dialog (template 130)
constexpr int kOptApproxCoords = 1044;
constexpr int kOptAdjCoords = 1045;
constexpr int kOptPrecision = 1046;
constexpr int kOptFileName = 1047;
constexpr int kOptPath = 1048;
constexpr int kOptAdjSides = 1049;
// the report's encoding, a radio group in the order of m_nEncoding: GBK, UTF-8
constexpr int kOptEncodingGbk = 1052;
constexpr int kOptEncodingUtf8 = 1053;
// the report's header and its closures and precision, the sections around the tables
constexpr int kOptHeader = 1054;
constexpr int kOptClosures = 1055;
// the heights' table (高程平差) and the tests for blunders (粗差检验)
constexpr int kOptHeights = 1063;
constexpr int kOptTests = 1064;
constexpr int kOk = 1;
constexpr int kCancel = 2;
} // namespace ctl
