// Texts of the string table, UTF-8. Keep each subsystem's added messages in its range.
#include "resources/StringTable.h"

#include <array>
#include <utility>

namespace {
struct Entry {
    int id;
    const char* text;
};

// clang-format off
constexpr Entry kEntries[] = {
    {1, "导线平差已完成,请导出结果."},
    {2, "导线测量误差大于50\"，请重新测量!"},
    {3, "确认仍使用表内观测数据计算?"},
    {4, "测站点"},
    {5, "测站点前视"},
    {6, "测站点后视"},
    {7, "斜距"},
    {8, "水平角"},
    {9, "竖直角"},
    {10, "仪器高"},
    {11, "标杆高"},
    {12, "文件不能打开！"},
    {13, "请先导入数据！"},
    {14, "观测值有误"},
    {15, "矩阵不能相乘"},
    {16, "不能在指定位置输出文件!"},
    {17, "导线未进行平差，无数据！"},
    {18, "-------------------点位中误差-------------------\n"},
    {19, "点号       M(mm)        Mx(mm)         My(mm) \n "},
    {20, "-------------------误差椭圆参数-------------------\n"},
    {21, "点号       A(mm)       B(mm)       F(度       分          秒)\n "},
    {22, "------------坐标平差值------------\n"},
    {23, "点号     X\\m            Y\\m\n "},
    {24, "------------边平差值------------\n"},
    {25, "起点      终点        边长   \\m \n"},
    {26, "------------近似坐标值------------\n"},
    {27, "点号     X\\m            Y\\m\n"},

    // workspace (100-109)
    {100, "请输入一个数字。"},

    // import (110-129)
    {110, "文件“%1”不是观测数据文件，只能导入扩展名为.txt或.con的文件！"},
    {111, "文件“%1”第%2行的点名“%3”超过11个字节，数据不能导入！"},
    {112, "文件“%1”第%2行：观测记录超过10000条，数据不能导入！"},
    {113, "文件“%1”第%2行：测站行超过20000个，数据不能导入！"},
    {114, "文件“%1”第%2行的数值无效（非有限数、溢出或过长），数据不能导入！"},
    {115, "文件“%1”中第%2条观测（测站%3，前视%4）的竖直角%5不合理：平距不大于零或小于斜距的十分之一，数据不能导入！"},
    {116, "文件“%1”第%2行含有不能转换为GBK编码的字符，数据不能导入！"},
    {117, "文件“%1”第%2行含有空字符，不是文本文件，数据不能导入！"},
    {118, "文件“%1”第%2行超过4096个字节，数据不能导入！"},
    {119, "文件“%1”超过32MB，不是观测数据文件，数据不能导入！"},

    // adjustment (130-139)

    // export (140-149)
    {140, "写入文件“%1”时出错，结果未导出，原文件保持不变!"},

    // window (150-159)
    {150, "内存不足。"},
    {151, "无法创建窗口：没有可用的图形显示（DISPLAY 或 WAYLAND_DISPLAY 未设置或无法连接）。"},
    {152, "无法创建窗口：宿主程序的应用对象不支持窗口。"},
    {153, "结果已写入“%1”，但没有找到打开它的程序。"},

    // batch tool (160-169)

};
// clang-format on
} // namespace

std::string_view LoadString(int id) {
    for (const Entry& e : kEntries)
        if (e.id == id) return e.text;
    return {};
}

std::string FormatString(int id, std::initializer_list<std::string_view> args) {
    std::string_view text = LoadString(id);
    std::string out;
    out.reserve(text.size() + 32);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            size_t k = static_cast<size_t>(text[i + 1] - '1');
            if (k < args.size()) out += *(args.begin() + k);
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}
