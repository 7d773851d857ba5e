// The classic report's text (inside the library): its table lines in their fixed
// column formats, header texts from the string table in code page 936, point names as
// stored (code page 936), and the whole written with CR LF line ends, kept whole or
// handed on in pieces as it is made. The traverse report and the network report write
// through it.
#pragma once

#include "model/FixedDecimal.h"
#include "model/NumberText.h"
#include "model/Traverse.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <string>
#include <string_view>

namespace traverse {

class ReportText {
public:
    using Sink = std::function<void(std::string_view)>;

    // The text kept whole (TakeBytes); lines: about how many table lines will follow,
    // for the text's room.
    explicit ReportText(const Observations& observations, size_t lines = 0) : m_obs(observations) {
        m_out.reserve(4096 + lines * 72);
    }
    // The text handed to sink as it is made, in pieces of whole lines, the last at Finish.
    ReportText(const Observations& observations, Sink sink)
        : m_obs(observations), m_sink(std::move(sink)) {
        m_out.reserve(kPiece + 4096);
    }

    // A header text of the string table, converted to code page 936.
    void Header(int id) {
        std::string_view text = LoadString(id);
        auto cp936 = Utf8ToCp936(text);
        PutLines(cp936 ? std::string_view(*cp936) : text);
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
            PutLines(*cp936);
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
                PutLines(Utf8ToCp936(utf8.substr(i, n)).value_or("?"));
                i += n;
            }
        }
        End();
    }

    std::string_view LastForesight() const { return Foresight(static_cast<int>(m_obs.size()) - 1); }

    // "  %s   %-8.3lf   %-8.3lf \t \n"
    void WideCoordinate(std::string_view name, const PlanePoint& p) {
        Line("  ", name, "   ", Metres(p.dX), "   ", Metres(p.dY), " \t ");
    }
    // "  %s  %-8.3lf   %-8.3lf \t \n"
    void NarrowCoordinate(std::string_view name, const PlanePoint& p) {
        Line("  ", name, "  ", Metres(p.dX), "   ", Metres(p.dY), " \t ");
    }
    // "  %s           %s         %-8.3lf \t \n"
    void Side(std::string_view from, std::string_view to, double length) {
        Line("  ", from, "           ", to, "         ", Metres(length), " \t ");
    }
    // "  %s          %-3.2lf             %-3.2lf              %-3.2lf    \t \n"
    void PointError(std::string_view name, double m, double mx, double my) {
        Line("  ", name, "          ", Small(m), "             ", Small(mx), "              ",
             Small(my), "    \t ");
    }
    // "  %s          %-3.2lf          %-3.2lf          %d        %d      %-3.2lf \n"
    void Ellipse(std::string_view name, double a, double b, const AngleDMS& f) {
        Line("  ", name, "          ", Small(a), "          ", Small(b), "          ", f.nDeg,
             "        ", f.nMin, "      ", Small(f.dSec), " ");
    }

    // The text, every line feed written as CR LF as a text-mode file does; the text is
    // handed over, this is left empty.
    std::string TakeBytes() { return std::move(m_out); }
    // Hands what is left to the sink.
    void Finish() {
        if (m_sink && !m_out.empty()) m_sink(m_out);
        m_out.clear();
    }

private:
    static constexpr size_t kPiece = 64 * 1024; // bytes
    // "%-<width>.<decimals>lf" of a value.
    struct Left {
        double value;
        int width, decimals;
    };
    // The report's columns: metres, and millimetres or seconds.
    static Left Metres(double v) { return {v, 8, 3}; }
    static Left Small(double v) { return {v, 3, 2}; }

    // One line of the parts, ended.
    template <class... Parts> void Line(const Parts&... parts) {
        (Put(parts), ...);
        End();
    }
    void Put(std::string_view part) { m_out += part; }
    void Put(const char* part) { m_out += part; }
    void Put(const Left& v) {
        char buffer[kMaxFixedChars];
        const auto length = static_cast<int>(WriteFixed(buffer, v.value, v.decimals) - buffer);
        m_out.append(buffer, static_cast<size_t>(length));
        if (length < v.width) m_out.append(static_cast<size_t>(v.width - length), ' ');
    }
    void Put(int v) { // "%d"
        char buffer[16];
        const char* end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
        m_out.append(buffer, static_cast<size_t>(end - buffer));
    }
    void End() {
        m_out += "\r\n";
        if (m_sink && m_out.size() >= kPiece) {
            m_sink(m_out);
            m_out.clear();
        }
    }
    // Text that may hold line feeds.
    void PutLines(std::string_view text) {
        for (size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n')) {
            Put(text.substr(0, lf));
            End();
            text.remove_prefix(lf + 1);
        }
        Put(text);
    }

    const Observations& m_obs;
    Sink m_sink; // none: the text kept whole
    std::string m_out;
};

} // namespace traverse
