#include "write/JsonWriter.h"

#include "resources/CodePage936.h"
#include "write/JsonNumber.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace traverse {

namespace {
constexpr size_t kRoom = CJsonWriter::kPiece + 4096; // a piece and the member that ends it, usually
// A line feed and the indent of the deepest level written without a loop.
constexpr std::string_view kIndent = "\n                                                  ";

// Bytes nlohmann writes as they are inside quotes, whatever the handler.
bool Plain(std::string_view text) { return PrintableAsciiWithout(text, "\"\\"); }
} // namespace

CJsonWriter::CJsonWriter(Sink sink) : m_sink(std::move(sink)), m_buffer(kRoom, '\0') {}

void CJsonWriter::Grow(size_t more) {
    m_buffer.resize(std::max(2 * m_buffer.size(), m_used + more));
}

void CJsonWriter::SendPiece() {
    m_sink(std::string_view(m_buffer.data(), m_used));
    m_used = 0;
}

void CJsonWriter::Finish() {
    if (m_used > 0) m_sink(std::string_view(m_buffer.data(), m_used));
    m_used = 0;
}

void CJsonWriter::NewLine(size_t depth) {
    if (1 + 2 * depth <= kIndent.size()) return Write(kIndent.substr(0, 1 + 2 * depth));
    Write('\n');
    for (size_t i = 0; i < depth; ++i)
        Write("  ");
}

void CJsonWriter::ElementLine() {
    if (m_levels.empty()) return;
    Piece();
    if (!m_levels.back().empty) Write(',');
    m_levels.back().empty = false;
    NewLine(m_levels.size());
}

void CJsonWriter::Key(std::string_view key) {
    Piece();
    const size_t indent = 1 + 2 * m_levels.size();
    if (!Plain(key) || indent > kIndent.size()) return SlowKey(key);
    // ",\n<indent>\"key\": " in one step: the usual member, millions in a long document.
    const size_t size = 1 + indent + key.size() + 4;
    if (m_used + size > m_buffer.size()) Grow(size);
    char* p = m_buffer.data() + m_used;
    if (!m_levels.back().empty) *p++ = ',';
    m_levels.back().empty = false;
    CopyBytes(p, kIndent.data(), indent);
    p += indent;
    *p++ = '"';
    CopyBytes(p, key.data(), key.size());
    p += key.size();
    std::memcpy(p, "\": ", 3);
    m_used = static_cast<size_t>(p + 3 - m_buffer.data());
    m_afterKey = true;
}

void CJsonWriter::SlowKey(std::string_view key) {
    if (!m_levels.back().empty) Write(',');
    m_levels.back().empty = false;
    NewLine(m_levels.size());
    Quoted(key);
    Write(": ");
    m_afterKey = true;
}

void CJsonWriter::Open(char bracket) {
    BeforeValue();
    Write(bracket);
    m_levels.push_back({});
}

void CJsonWriter::Close(char bracket) {
    const bool empty = m_levels.back().empty;
    m_levels.pop_back();
    if (!empty) NewLine(m_levels.size());
    Write(bracket);
}

void CJsonWriter::Null() {
    BeforeValue();
    Write("null");
}

void CJsonWriter::Bool(bool value) {
    BeforeValue();
    Write(value ? "true" : "false");
}

// A whole number's digits straight into the buffer (20 at most, and a sign).
template <class T> void CJsonWriter::Digits(T value) {
    BeforeValue();
    constexpr size_t kRoomForDigits = 24;
    if (m_used + kRoomForDigits > m_buffer.size()) Grow(kRoomForDigits);
    char* at = m_buffer.data() + m_used;
    m_used = static_cast<size_t>(std::to_chars(at, at + kRoomForDigits, value).ptr - m_buffer.data());
}

void CJsonWriter::Integer(long long value) { Digits(value); }

void CJsonWriter::Unsigned(unsigned long long value) { Digits(value); }

void CJsonWriter::Number(double value) {
    BeforeValue();
    if (!std::isfinite(value)) return Write("null");
    constexpr size_t kRoomForNumber = 32; // "-", 17 digits, ".", "e-308" and to spare
    if (m_used + kRoomForNumber > m_buffer.size()) Grow(kRoomForNumber);
    char* at = m_buffer.data() + m_used; // the serializer's conversion, made faster
    m_used = static_cast<size_t>(WriteJsonNumber(at, at + kRoomForNumber, value) - m_buffer.data());
}

void CJsonWriter::String(std::string_view text) {
    BeforeValue();
    Quoted(text);
}

void CJsonWriter::Quoted(std::string_view text) {
    if (Plain(text)) {
        Write('"');
        Write(text);
        Write('"');
        return;
    }
    Write(nlohmann::ordered_json(std::string(text))
              .dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace));
}

} // namespace traverse
