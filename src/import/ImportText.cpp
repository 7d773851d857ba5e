#include "import/ImportText.h"

#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

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

bool ReadWholeFile(const std::string& path, std::string& bytes, bool& tooLarge) {
    std::FILE* fp = std::fopen(path.c_str(), "rb");
    if (fp == nullptr) return false;
    struct stat st {};
    tooLarge = fstat(fileno(fp), &st) == 0 && st.st_size > static_cast<off_t>(kMaxFileBytes);
    char buffer[65536];
    bool ok = true;
    while (!tooLarge) {
        size_t n = std::fread(buffer, 1, sizeof buffer, fp);
        bytes.append(buffer, n);
        if (bytes.size() > kMaxFileBytes) tooLarge = true;
        if (n < sizeof buffer) {
            ok = std::ferror(fp) == 0; // a directory fails here
            break;
        }
    }
    std::fclose(fp);
    return ok;
}
} // namespace

LoadStatus ObservationText::Load(const std::string& path) {
    m_name = DisplayName(path);
    m_text.clear();
    m_next = 0;
    m_lineNumber = 0;
    m_failed = false;
    std::string raw;
    bool tooLarge = false;
    if (!ReadWholeFile(path, raw, tooLarge)) return LoadStatus::CannotOpen;
    if (tooLarge) return Refuse(str::kFileTooLarge, 0);
    if (size_t nul = raw.find('\0'); nul != std::string::npos)
        return Refuse(str::kBinaryFile, LineOfOffset(raw, nul));

    // UTF-8 (with a byte-order mark, or valid and not plain ASCII) becomes code page 936.
    std::string_view text = raw;
    bool utf8 = false;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
        utf8 = true;
    } else {
        utf8 = HasNonAscii(text) && IsValidUtf8(text);
    }
    if (utf8 && HasNonAscii(text)) {
        auto converted = Utf8ToCp936(text);
        if (!converted) return Refuse(str::kBadCharacter, FirstUnconvertibleLine(text));
        m_text = std::move(*converted);
    } else {
        m_text.assign(text);
    }
    return LoadStatus::Ok;
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

ImportFault ObservationText::MakeFault(int stringId, std::string_view detail) const {
    std::string line = std::to_string(m_lineNumber);
    return {stringId, FormatString(stringId, {m_name, line, detail})};
}

LoadStatus ObservationText::Refuse(int stringId, int lineNumber) {
    m_lineNumber = lineNumber;
    m_fault = MakeFault(stringId);
    m_failed = true;
    return LoadStatus::Refused;
}

std::string DisplayName(const std::string& path) {
    size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return IsValidUtf8(name) ? name : Cp936ToUtf8(name);
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

ScanResult ReadNumber(std::string_view line, size_t& pos, double& value) {
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
    if (r == ScanResult::NotFinite || cut) return ScanResult::NotFinite;
    value = v;
    return ScanResult::Ok;
}
