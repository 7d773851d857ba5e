// JSON written as it is made, with no document in memory, byte for byte as nlohmann's
// dump(2, ' ', false, error_handler_t::replace) writes the same document: two spaces of
// indent a level, "key": value, "{}" and "[]" when empty. The scalars are nlohmann's own:
// doubles through its shortest-text conversion (WriteJsonNumber: the same bytes, faster;
// "null" when not finite, "1.0" for a whole number), strings through its serializer
// (escapes, invalid UTF-8 replaced by U+FFFD), except a plain printable ASCII string,
// copied as is. A value takes its JSON type from its C++ type as nlohmann would (bool,
// signed, unsigned, floating, text). The text goes to the sink in pieces of about 64 KB,
// the last at Finish; it is put together in one buffer, short runs copied inline (a long
// document is millions of them).
#pragma once

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace traverse {

class CJsonWriter {
public:
    using Sink = std::function<void(std::string_view)>;
    static constexpr size_t kPiece = 64 * 1024; // bytes handed to the sink at a time, about
    explicit CJsonWriter(Sink sink);

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }
    // A member's name in the open object; one value follows.
    void Key(std::string_view key);

    void Null();
    void Bool(bool value);
    void Integer(long long value);
    void Unsigned(unsigned long long value);
    void Number(double value);
    void String(std::string_view text);

    template <class T> void Value(const T& v) {
        if constexpr (std::is_same_v<T, bool>)
            Bool(v);
        else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>)
            Integer(v);
        else if constexpr (std::is_integral_v<T>)
            Unsigned(v);
        else if constexpr (std::is_floating_point_v<T>)
            Number(static_cast<double>(v));
        else if constexpr (std::is_same_v<T, std::nullptr_t>)
            Null();
        else
            String(std::string_view(v));
    }
    template <class T> void Value(const std::optional<T>& v) {
        if (v)
            Value(*v);
        else
            Null();
    }
    template <class T> void Field(std::string_view key, const T& v) {
        Key(key);
        Value(v);
    }

    // Sends what is left to the sink.
    void Finish();

private:
    struct Level {
        bool empty = true;
    };
    void Open(char bracket);
    void Close(char bracket);
    // A member's value follows its key on the line; an array's element starts a line.
    void BeforeValue() {
        if (m_afterKey)
            m_afterKey = false;
        else
            ElementLine();
    }
    void ElementLine();
    void NewLine(size_t depth);
    void Quoted(std::string_view text);
    void SlowKey(std::string_view key);
    template <class T> void Digits(T value); // one to escape, or deeper than the indent kept
    void Write(std::string_view text) {
        if (m_used + text.size() > m_buffer.size()) Grow(text.size());
        CopyBytes(m_buffer.data() + m_used, text.data(), text.size());
        m_used += text.size();
    }
    void Write(char c) {
        if (m_used == m_buffer.size()) Grow(1);
        m_buffer[m_used++] = c;
    }
    void Grow(size_t more);
    // n bytes from src to dst: up to 32 with fixed-size moves inside both ranges, more
    // through memcpy.
    static void CopyBytes(char* dst, const char* src, size_t n) {
        if (n > 16 && n <= 32) {
            std::memcpy(dst, src, 16);
            std::memcpy(dst + n - 16, src + n - 16, 16);
        } else if (n >= 8 && n <= 16) {
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
    // Between members and elements: a piece is handed on once it is long enough.
    void Piece() {
        if (m_used >= kPiece) SendPiece();
    }
    void SendPiece();

    Sink m_sink;
    std::string m_buffer; // its first m_used bytes are the text not yet sent
    size_t m_used = 0;
    std::vector<Level> m_levels;
    bool m_afterKey = false;
};

} // namespace traverse
