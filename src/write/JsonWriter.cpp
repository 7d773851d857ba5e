#include "write/JsonWriter.h"

#include <nlohmann/json.hpp>

#include <array>
#include <charconv>
#include <cmath>

namespace traverse {

namespace {
constexpr size_t kPiece = 64 * 1024;

// Bytes nlohmann writes as they are inside quotes, whatever the handler.
bool Plain(std::string_view text) {
    for (const char c : text)
        if (c < 0x20 || c > 0x7E || c == '"' || c == '\\') return false;
    return true;
}
} // namespace

void CJsonWriter::Write(std::string_view text) { m_buffer.append(text); }

// Between members and elements: a piece is handed on once it is long enough.
void CJsonWriter::Piece() {
    if (m_buffer.size() < kPiece) return;
    m_sink(m_buffer);
    m_buffer.clear();
}

void CJsonWriter::Finish() {
    if (!m_buffer.empty()) m_sink(m_buffer);
    m_buffer.clear();
}

void CJsonWriter::NewLine(size_t depth) {
    m_buffer += '\n';
    m_buffer.append(2 * depth, ' ');
}

void CJsonWriter::BeforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty()) return;
    Piece();
    Write(m_levels.back().empty ? "" : ",");
    m_levels.back().empty = false;
    NewLine(m_levels.size());
}

void CJsonWriter::Key(std::string_view key) {
    Piece();
    Write(m_levels.back().empty ? "" : ",");
    m_levels.back().empty = false;
    NewLine(m_levels.size());
    Quoted(key);
    Write(": ");
    m_afterKey = true;
}

void CJsonWriter::Open(char bracket) {
    BeforeValue();
    Write(std::string_view(&bracket, 1));
    m_levels.push_back({});
}

void CJsonWriter::Close(char bracket) {
    const bool empty = m_levels.back().empty;
    m_levels.pop_back();
    if (!empty) NewLine(m_levels.size());
    Write(std::string_view(&bracket, 1));
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
        Write("\"");
        Write(text);
        Write("\"");
        return;
    }
    Write(nlohmann::ordered_json(std::string(text))
              .dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace));
}

} // namespace traverse
