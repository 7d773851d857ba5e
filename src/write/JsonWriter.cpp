#include "write/JsonWriter.h"

#include "resources/CodePage936.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace traverse {

namespace {
constexpr size_t kPiece = 64 * 1024;
constexpr size_t kRoom = kPiece + 4096; // a piece and the member that ends it, usually
// A line feed and the indent of the deepest level written without a loop.
constexpr std::string_view kIndent = "\n                                                  ";

// n bytes from src to dst: up to 16 with fixed-size moves inside both ranges, more
// through memcpy.
inline void CopyBytes(char* dst, const char* src, size_t n) {
    if (n >= 8 && n <= 16) {
        std::memcpy(dst, src, 8);
        std::memcpy(dst + n - 8, src + n - 8, 8);
    } else if (n >= 4 && n < 8) {
        std::memcpy(dst, src, 4);
        std::memcpy(dst + n - 4, src + n - 4, 4);
    } else if (n < 4) {
        for (size_t i = 0; i < n; ++i)
            dst[i] = src[i];
    } else {
        std::memcpy(dst, src, n);
    }
}

// Bytes nlohmann writes as they are inside quotes, whatever the handler.
bool Plain(std::string_view text) { return PrintableAsciiWithout(text, "\"\\"); }
} // namespace

CJsonWriter::CJsonWriter(Sink sink) : m_sink(std::move(sink)), m_buffer(kRoom, '\0') {}

void CJsonWriter::Grow(size_t more) {
    m_buffer.resize(std::max(2 * m_buffer.size(), m_used + more));
}

void CJsonWriter::Write(std::string_view text) {
    if (m_used + text.size() > m_buffer.size()) Grow(text.size());
    CopyBytes(m_buffer.data() + m_used, text.data(), text.size());
    m_used += text.size();
}

void CJsonWriter::Write(char c) {
    if (m_used == m_buffer.size()) Grow(1);
    m_buffer[m_used++] = c;
}

// Between members and elements: a piece is handed on once it is long enough.
void CJsonWriter::Piece() {
    if (m_used < kPiece) return;
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

void CJsonWriter::BeforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty()) return;
    Piece();
    if (!m_levels.back().empty) Write(',');
    m_levels.back().empty = false;
    NewLine(m_levels.size());
}

void CJsonWriter::Key(std::string_view key) {
    Piece();
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

void CJsonWriter::Integer(long long value) {
    BeforeValue();
    std::array<char, 24> buf;
    Write({buf.data(), std::to_chars(buf.data(), buf.data() + buf.size(), value).ptr});
}

void CJsonWriter::Unsigned(unsigned long long value) {
    BeforeValue();
    std::array<char, 24> buf;
    Write({buf.data(), std::to_chars(buf.data(), buf.data() + buf.size(), value).ptr});
}

void CJsonWriter::Number(double value) {
    BeforeValue();
    if (!std::isfinite(value)) return Write("null");
    std::array<char, 64> buf; // the serializer's own conversion and buffer
    Write({buf.data(), nlohmann::detail::to_chars(buf.data(), buf.data() + buf.size(), value)});
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
