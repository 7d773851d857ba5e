#include "read/ImportText.h"

#include "model/Records.h"

#include "platform/PathNames.h"
#include "platform/ShownText.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <algorithm>

namespace traverse {

namespace {
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// First characters a decimal number can have (sign, digit, point).
bool CanStartNumber(char c) { return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'; }

int LineOfOffset(std::string_view text, size_t offset) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

// The first line (1-based) of which bad(line) holds; one past the last when none does.
template <typename Bad> int FirstLineWhere(std::string_view text, Bad bad) {
    int line = 1;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        if (bad(text.substr(start, end - start))) return line;
        start = end + 1;
        ++line;
    }
    return line;
}

int FirstUnconvertibleLine(std::string_view text) {
    return FirstLineWhere(text, [](std::string_view line) { return !Utf8ToCp936(line); });
}

int FirstInvalidCp936Line(std::string_view text) {
    return FirstLineWhere(text, [](std::string_view line) { return !IsValidCp936(line); });
}

int FirstInvalidUtf8Line(std::string_view text) {
    return FirstLineWhere(text, [](std::string_view line) { return !IsValidUtf8(line); });
}

// Of the double-byte characters of GBK bytes, how many there are and how many are the
// common ones (GB2312 level 1); a lead byte without a valid trail counts as uncommon.
struct Commonness {
    size_t characters = 0, common = 0;
};

Commonness GbkCommonness(std::string_view bytes) {
    Commonness c;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) continue;
        ++c.characters;
        if (i + 1 >= bytes.size()) break;
        const auto trail = static_cast<unsigned char>(bytes[i + 1]);
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF) continue;
        ++i;
        if (lead >= 0xB0 && lead <= 0xD7 && trail >= 0xA1 && trail <= 0xFE) ++c.common;
    }
    return c;
}

// Whether a's share of common characters is above b's; 0 on a tie, -1 below.
int CompareShares(const Commonness& a, const Commonness& b) {
    const double left = static_cast<double>(a.common) * static_cast<double>(b.characters);
    const double right = static_cast<double>(b.common) * static_cast<double>(a.characters);
    return left > right ? 1 : (left < right ? -1 : 0);
}

// Lines ended by CR alone: the whole file is one line and holds nothing.
bool HasCrOnlyLineEnds(std::string_view text) {
    const size_t cr = text.find('\r');
    return text.find('\n') == std::string_view::npos && cr != std::string_view::npos &&
           cr + 1 < text.size();
}
} // namespace

bool ReadsAsUtf8(std::string_view text) {
    if (!HasNonAscii(text) || !IsValidUtf8(text)) return false;
    const auto asGbk = Utf8ToCp936(text);
    const int share = asGbk ? CompareShares(GbkCommonness(*asGbk), GbkCommonness(text)) : 0;
    return share != 0 ? share > 0 : HasUtf8BeyondU07FF(text);
}

bool ObservationText::Decode(std::string_view bytes, const std::string& name, TextEncoding encoding,
                             size_t maxBytes) {
    m_name = name;
    m_text.clear();
    Rewind();
    m_failed = false;
    if (bytes.size() > maxBytes) return Refuse(str::kFileTooLarge, 0);
    if (size_t nul = bytes.find('\0'); nul != std::string_view::npos)
        return Refuse(str::kBinaryFile, LineOfOffset(bytes, nul));
    if (HasCrOnlyLineEnds(bytes)) return Refuse(str::kCrLineEnds, 0);

    // UTF-8 becomes code page 936; anything else must be code page 936 already.
    std::string_view text = bytes;
    const bool bom = text.substr(0, 3) == "\xEF\xBB\xBF";
    if (bom && encoding != TextEncoding::Gbk) text.remove_prefix(3);
    const bool utf8 = encoding == TextEncoding::Utf8 ||
                      (encoding == TextEncoding::Automatic && (bom || ReadsAsUtf8(text)));
    if (utf8 && !IsValidUtf8(text)) return Refuse(str::kNotUtf8, FirstInvalidUtf8Line(text));
    if (utf8 && HasNonAscii(text)) {
        auto converted = Utf8ToCp936(text);
        if (!converted) return Refuse(str::kBadCharacter, FirstUnconvertibleLine(text));
        m_text = std::move(*converted);
    } else {
        if (!IsValidCp936(text)) return Refuse(str::kNotCp936, FirstInvalidCp936Line(text));
        m_text.assign(text);
    }
    return true;
}

void ObservationText::Rewind() {
    m_next = 0;
    m_lineNumber = 0;
}

bool ObservationText::NextLine(std::string_view& line) {
    if (m_failed || m_next >= m_text.size()) return false;
    size_t end = m_text.find('\n', m_next);
    if (end == std::string::npos) end = m_text.size();
    line = std::string_view(m_text).substr(m_next, end - m_next);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    m_next = end + 1;
    ++m_lineNumber;
    if (line.size() > kMaxLineBytes) {
        Refuse(str::kLineTooLong, m_lineNumber);
        return false;
    }
    return true;
}

Refusal ObservationText::MakeFault(int stringId, std::string_view d3, std::string_view d4,
                                   std::string_view d5) const {
    return FaultAt(m_lineNumber, stringId, d3, d4, d5);
}

Refusal ObservationText::FaultAt(int line, int stringId, std::string_view d3, std::string_view d4,
                                 std::string_view d5) const {
    return {stringId,
            {m_name, std::to_string(line), std::string(d3), std::string(d4), std::string(d5)}};
}

bool ObservationText::Refuse(int stringId, int lineNumber) {
    m_fault = FaultAt(lineNumber, stringId);
    m_failed = true;
    return false;
}

int NameFault(std::string_view name) {
    if (name.size() > static_cast<size_t>(kMaxNameBytes)) return str::kNameTooLong;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return str::kNameControlCharacter;
    return 0;
}

Refusal NameFaultOf(const ObservationText& file, std::string_view name) {
    return file.MakeFault(NameFault(name), ShownText(Cp936ToUtf8(name)));
}

std::string DisplayName(const std::string& path) {
    const std::string name = FileNameOf(path);
    return IsValidUtf8(name) ? name : Cp936ToUtf8(name);
}

std::string WordText(std::string_view word) {
    constexpr size_t kShown = 40;
    if (word.size() <= kShown) return Cp936ToUtf8(word);
    return Cp936ToUtf8(word.substr(0, kShown)) + "…";
}

void CommasToSpaces(std::string& line) { std::replace(line.begin(), line.end(), ',', ' '); }

bool ReadWord(std::string_view line, size_t& pos, std::string_view& word) {
    size_t p = pos;
    while (p < line.size() && IsSpace(line[p]))
        ++p;
    if (p >= line.size()) return false;
    size_t start = p;
    while (p < line.size() && !IsSpace(line[p]))
        ++p;
    word = line.substr(start, p - start);
    pos = p;
    return true;
}

ScanResult ReadNumber(std::string_view line, size_t& pos, double& value, std::string_view* text) {
    size_t p = pos;
    while (p < line.size() && IsSpace(line[p]))
        ++p;
    if (p >= line.size() || !CanStartNumber(line[p])) return ScanResult::NoNumber;
    // Scan a bounded window so that a line of many tags stays linear.
    size_t end = p;
    while (end < line.size() && !IsSpace(line[end]) && end - p < kMaxNumberChars)
        ++end;
    std::string_view window = line.substr(p, end - p);
    size_t used = 0;
    double v = 0.0;
    ScanResult r = ScanDouble(window, used, v);
    if (r == ScanResult::NoNumber) return r;
    bool cut = used == window.size() && end < line.size() && !IsSpace(line[end]);
    pos = p + used;
    if (text != nullptr) *text = line.substr(p, used);
    if (r == ScanResult::NotFinite || cut) return ScanResult::NotFinite;
    value = v;
    return ScanResult::Ok;
}

ScanResult ReadWholeNumber(std::string_view word, double& value) {
    size_t used = 0;
    double v = 0.0;
    const ScanResult r = ScanDouble(word, used, v);
    if (r == ScanResult::NoNumber || used != word.size()) return ScanResult::NoNumber;
    if (r == ScanResult::NotFinite || word.size() > kMaxNumberChars) return ScanResult::NotFinite;
    value = v;
    return ScanResult::Ok;
}

} // namespace traverse
