// The files the results windows save, each with its extension, the name it gets after
// the observation file's ("closed-坐标成果.csv") and the save dialog's filter.
#pragma once

namespace traverse {

struct ResultFileKind {
    const char* extension; // without the point
    const char* what;      // the default name's part after "<observation file>-"
    const char* filter;    // "label|pattern||"
};

inline constexpr ResultFileKind kCoordinatesCsvFile = {"csv", "坐标成果.csv",
                                                       "CSV 文件 (*.csv)|*.csv||"};
inline constexpr ResultFileKind kCoordinatesDatFile = {"dat", "坐标成果.dat",
                                                       "DAT 坐标文件 (*.dat)|*.dat||"};
inline constexpr ResultFileKind kPlotPngFile = {"png", "导线图.png", "PNG 图片 (*.png)|*.png||"};
inline constexpr ResultFileKind kPlotSvgFile = {"svg", "导线图.svg", "SVG 图形 (*.svg)|*.svg||"};
inline constexpr ResultFileKind kHtmlReportFile = {"html", "平差报告.html",
                                                   "网页文件 (*.html)|*.html||"};
inline constexpr ResultFileKind kPdfReportFile = {"pdf", "平差报告.pdf",
                                                  "PDF 文件 (*.pdf)|*.pdf||"};
inline constexpr ResultFileKind kCalculationSheetFile = {"csv", "导线计算表.csv",
                                                         "CSV 文件 (*.csv)|*.csv||"};

} // namespace traverse
