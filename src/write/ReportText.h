// The classic report's text (inside the library): its table lines in their fixed
// column formats, header texts from the string table in code page 936, point names as
// stored (code page 936), and the whole written with CR LF line ends. The traverse
// report and the network report write through it.
#pragma once

#include "model/NumberText.h"
#include "model/Traverse.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

namespace traverse {

class ReportText {
public:
    // Formats of the report's columns: "%-8.3lf" for metres, "%-3.2lf" for millimetres
    // and seconds.
    static std::string Metres(double v) { return FormatLeft(v, 8, 3); }
    static std::string Small(double v) { return FormatLeft(v, 3, 2); }

    explicit ReportText(const Observations& observations) : m_obs(observations) {}

    // A header text of the string table, converted to code page 936.
    void Header(int id) {
        std::string_view text = LoadString(id);
        auto cp936 = Utf8ToCp936(text);
        m_out += cp936 ? *cp936 : std::string(text);
    }

    // Station name of observation i; empty when the workspace has no such record.
    std::string_view Station(int i) const {
        if (i < 0 || i >= static_cast<int>(m_obs.size())) return {};
        return NameOf(m_obs[static_cast<size_t>(i)].szStation);
    }
    std::string_view Foresight(int i) const {
        if (i < 0 || i >= static_cast<int>(m_obs.size())) return {};
        return NameOf(m_obs[static_cast<size_t>(i)].szForesight);
    }
    // A line of UTF-8 text in code page 936; a character that has no form there (in a
    // file name, say) is written as "?".
    void TextLine(std::string_view utf8) {
        if (auto cp936 = Utf8ToCp936(utf8)) {
            m_out += *cp936;
        } else {
            for (size_t i = 0; i < utf8.size();) {
                size_t n = 1;
                const auto lead = static_cast<unsigned char>(utf8[i]);
                if (lead >= 0xF0)
                    n = 4;
                else if (lead >= 0xE0)
                    n = 3;
                else if (lead >= 0xC0)
                    n = 2;
                n = std::min(n, utf8.size() - i);
                m_out += Utf8ToCp936(utf8.substr(i, n)).value_or("?");
                i += n;
            }
        }
        m_out += '\n';
    }

    std::string_view LastForesight() const { return Foresight(static_cast<int>(m_obs.size()) - 1); }

    // "  %s   %-8.3lf   %-8.3lf \t \n"
    void WideCoordinate(std::string_view name, const PlanePoint& p) {
        Line({"  ", name, "   ", Metres(p.dX), "   ", Metres(p.dY), " \t \n"});
    }
    // "  %s  %-8.3lf   %-8.3lf \t \n"
    void NarrowCoordinate(std::string_view name, const PlanePoint& p) {
        Line({"  ", name, "  ", Metres(p.dX), "   ", Metres(p.dY), " \t \n"});
    }
    // "  %s           %s         %-8.3lf \t \n"
    void Side(std::string_view from, std::string_view to, double length) {
        Line({"  ", from, "           ", to, "         ", Metres(length), " \t \n"});
    }
    // "  %s          %-3.2lf             %-3.2lf              %-3.2lf    \t \n"
    void PointError(std::string_view name, double m, double mx, double my) {
        Line({"  ", name, "          ", Small(m), "             ", Small(mx), "              ",
              Small(my), "    \t \n"});
    }
    // "  %s          %-3.2lf          %-3.2lf          %d        %d      %-3.2lf \n"
    void Ellipse(std::string_view name, double a, double b, const AngleDMS& f) {
        Line({"  ", name, "          ", Small(a), "          ", Small(b), "          ",
              std::to_string(f.nDeg), "        ", std::to_string(f.nMin), "      ", Small(f.dSec),
              " \n"});
    }

    // The text with every line feed written as CR LF, as a text-mode file does.
    std::string Bytes() const {
        std::string bytes;
        bytes.reserve(m_out.size() + m_out.size() / 16);
        size_t from = 0;
        for (size_t lf = m_out.find('\n'); lf != std::string::npos; lf = m_out.find('\n', from)) {
            bytes.append(m_out, from, lf - from).append("\r\n");
            from = lf + 1;
        }
        return bytes.append(m_out, from);
    }

private:
    void Line(std::initializer_list<std::string_view> parts) {
        for (std::string_view p : parts)
            m_out += p;
    }

    const Observations& m_obs;
    std::string m_out;
};

} // namespace traverse
