#include "import/ImportText.h"

#include "platform/PathNames.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <algorithm>

namespace {
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// First characters a "%lf" number can have (sign, digit, point, inf, nan).
bool CanStartNumber(char c) {
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'i' || c == 'I' ||
           c == 'n' || c == 'N';
}

int LineOfOffset(std::string_view text, size_t offset) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

// First line of UTF-8 text that has no code page 936 form.
int FirstUnconvertibleLine(std::string_view text) {
    int line = 1;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        if (!Utf8ToCp936(text.substr(start, end - start))) return line;
        start = end + 1;
        ++line;
    }
    return line;
}

// Lines ended by CR alone: the whole file is one line and holds nothing.
bool HasCrOnlyLineEnds(std::string_view text) {
    const size_t cr = text.find('\r');
    return text.find('\n') == std::string_view::npos && cr != std::string_view::npos &&
           cr + 1 < text.size();
}
} // namespace

bool ObservationText::Decode(std::string_view bytes, const std::string& name) {
    m_name = name;
    m_text.clear();
    Rewind();
    m_failed = false;
    if (bytes.size() > kMaxFileBytes) return Refuse(str::kFileTooLarge, 0);
    if (size_t nul = bytes.find('\0'); nul != std::string_view::npos)
        return Refuse(str::kBinaryFile, LineOfOffset(bytes, nul));
    if (HasCrOnlyLineEnds(bytes)) return Refuse(str::kCrLineEnds, 0);

    // UTF-8 (with a byte-order mark, or valid with a character beyond U+07FF) becomes
    // code page 936; anything else is taken as code page 936 already.
    std::string_view text = bytes;
    bool utf8 = false;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
        utf8 = true;
    } else {
        utf8 = HasNonAscii(text) && IsValidUtf8(text) && HasUtf8BeyondU07FF(text);
    }
    if (utf8 && HasNonAscii(text)) {
        auto converted = Utf8ToCp936(text);
        if (!converted) return Refuse(str::kBadCharacter, FirstUnconvertibleLine(text));
        m_text = std::move(*converted);
    } else {
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

ImportFault ObservationText::MakeFault(int stringId, std::string_view d3, std::string_view d4,
                                       std::string_view d5) const {
    return FaultAt(m_lineNumber, stringId, d3, d4, d5);
}

ImportFault ObservationText::FaultAt(int line, int stringId, std::string_view d3,
                                     std::string_view d4, std::string_view d5) const {
    const std::string number = std::to_string(line);
    return {stringId, FormatString(stringId, {m_name, number, d3, d4, d5})};
}

bool ObservationText::Refuse(int stringId, int lineNumber) {
    m_fault = FaultAt(lineNumber, stringId);
    m_failed = true;
    return false;
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
