// The streamed JSON is nlohmann's dump(2) of the same document, byte for byte: each
// document below is written through CJsonWriter by walking it, in small pieces, and
// compared with the dump.
#include "write/JsonWriter.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>

using namespace traverse;
using Json = nlohmann::ordered_json;

namespace {
void Walk(CJsonWriter& w, const Json& j) {
    switch (j.type()) {
    case Json::value_t::object:
        w.BeginObject();
        for (const auto& [key, value] : j.items()) {
            w.Key(key);
            Walk(w, value);
        }
        return w.EndObject();
    case Json::value_t::array:
        w.BeginArray();
        for (const Json& e : j)
            Walk(w, e);
        return w.EndArray();
    case Json::value_t::string: return w.String(j.get_ref<const std::string&>());
    case Json::value_t::boolean: return w.Value(j.get<bool>());
    case Json::value_t::number_integer: return w.Value(j.get<long long>());
    case Json::value_t::number_unsigned: return w.Value(j.get<unsigned long long>());
    case Json::value_t::number_float: return w.Value(j.get<double>());
    default: return w.Null();
    }
}

std::string Streamed(const Json& j) {
    std::string text;
    CJsonWriter w([&text](std::string_view piece) { text.append(piece); });
    Walk(w, j);
    w.Finish();
    return text;
}
} // namespace

TEST(JsonWriter, WritesWhatNlohmannDumps) {
    const double inf = std::numeric_limits<double>::infinity();
    const Json cases[] = {
        Json::object(),
        Json::array(),
        Json(nullptr),
        {{"empty", Json::object()}, {"none", Json::array()}, {"n", nullptr}},
        {{"doubles", {1.0, 0.1, -0.0, 1e-5, 1e-4, 1e15, 1e16, 123456.789, 5e-324, 1.7976931348623157e308}}},
        {{"not finite", {inf, -inf, std::nan("")}}},
        {{"integers", {0, -1, 9223372036854775807LL, 18446744073709551615ULL}}, {"b", {true, false}}},
        {{"text", {"P1", "", "图根", "a\"b\\c", "tab\tline\n", "\x01\x1f\x7f", "bad \xff\xfe utf-8"}}},
        {{"nested", {{{"a", {Json::array(), {{"b", Json::object()}}}}}, {1, {2, {3}}}}}},
        // Text tested eight bytes at a time: what must be escaped at every place in a word.
        {{"long text",
          {"ABCDEFGHIJKLMNOP", "ABCDEFG\"IJKLMNOP", "ABCDEFGH\\JKLMNOP", "0123456\x7f" "89",
           "01234567\x1f", "0123456789ab\xe5\x9b\xbe", "~~~~~~~~ ~~~~~~~~", "\x80long enough"}}},
    };
    for (const Json& j : cases)
        EXPECT_EQ(Streamed(j), j.dump(2, ' ', false, Json::error_handler_t::replace)) << j.dump();
    // Keys to escape, and members deeper than the indent written in one step.
    Json deep = {{"a\"b", 1}, {"点名", 2}, {"tab\t", 3}};
    for (int level = 0; level < 30; ++level)
        deep = {{"level", deep}, {"n", level}};
    EXPECT_EQ(Streamed(deep), deep.dump(2, ' ', false, Json::error_handler_t::replace));
}

TEST(JsonWriter, LongDocumentsArriveInPieces) {
    Json rows = Json::array();
    for (int i = 0; i < 20000; ++i)
        rows.push_back({{"station", "P" + std::to_string(i)}, {"x", 3500000.0 + i / 7.0}});
    size_t pieces = 0;
    std::string text;
    CJsonWriter w([&](std::string_view piece) {
        ++pieces;
        text.append(piece);
    });
    Walk(w, rows);
    w.Finish();
    EXPECT_EQ(text, rows.dump(2, ' ', false, Json::error_handler_t::replace));
    EXPECT_GT(pieces, text.size() / (128 * 1024));
    EXPECT_LT(pieces, text.size() / (32 * 1024));
}
