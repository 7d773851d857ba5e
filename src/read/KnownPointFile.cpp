#include "read/KnownPointFile.h"

#include "platform/PathNames.h"
#include "platform/ShownText.h"
#include "read/FileBytes.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace traverse {

namespace {
std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Comma-separated fields; a field in double quotes may hold commas and doubled quotes,
// and a text the coordinate table protected from spreadsheets ("'=…") is given back.
std::vector<std::string> SplitFields(std::string_view line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    for (std::string& f : fields) {
        f = std::string(Trimmed(f));
        if (f.size() >= 2 && f[0] == '\'' &&
            std::string_view("=+-@").find(f[1]) != std::string::npos)
            f.erase(0, 1);
    }
    return fields;
}

// Fields a line needs (and may have at most), the columns of X and Y.
struct Layout {
    size_t fields, mostFields, x, y, height; // height SIZE_MAX: the layout has none
    const char* shape;
};

constexpr Layout kDat = {4, 5, 3, 2, 4, "应为“点名,编码,东坐标,北坐标,高程”"};
constexpr Layout kCsv = {3, SIZE_MAX, 1, 2, SIZE_MAX, "应为“点名,X北(m),Y东(m),…”"};

// One line as a point; the reason for the message when it is not one.
std::optional<std::string> ReadEntry(const std::vector<std::string>& f, const Layout& layout,
                                     KnownPointEntry& entry) {
    if (f.size() < layout.fields) return std::string(layout.shape);
    if (f[0].empty()) return std::string("点名为空");
    double xy[2] = {};
    const size_t columns[2] = {layout.x, layout.y};
    for (int i = 0; i < 2; ++i)
        if (ReadWholeNumber(f[columns[i]], xy[i]) != ScanResult::Ok)
            return "“" + WordText(f[columns[i]]) + "”不是十进制数";
    entry.name = f[0];
    entry.xy = {xy[0], xy[1]};
    if (layout.height < f.size() && !f[layout.height].empty()) {
        double h = 0.0;
        if (ReadWholeNumber(f[layout.height], h) != ScanResult::Ok)
            return "高程“" + WordText(f[layout.height]) + "”不是十进制数";
        entry.height = h;
    }
    return std::nullopt;
}

// Earlier versions wrote the height 0.000 for every point: such a file gives no heights.
void DropPlaceholderHeights(std::vector<KnownPointEntry>& points) {
    for (const KnownPointEntry& p : points)
        if (p.height && *p.height != 0.0) return;
    for (KnownPointEntry& p : points)
        p.height.reset();
}

Refusal KnownFileTooLarge(const std::string& fileName) {
    return {str::kKnownFileTooLarge, {fileName, std::to_string(kMaxKnownPointFileBytes >> 20)}};
}

// The coordinate table's header row, whatever it calls the columns after the name
// ("X(m),Y(m)" in earlier versions, "X北(m),Y东(m)" now): X and Y stay the second and
// third columns.
bool IsHeader(const std::vector<std::string>& f) {
    static const std::string kName = *Utf8ToCp936("点名");
    return !f.empty() && f[0] == kName;
}
} // namespace

std::optional<KnownPointFormat> KnownPointFormatOf(std::string_view path) {
    const std::string ext = LowercaseExtension(std::string(path));
    if (ext == ".dat") return KnownPointFormat::Dat;
    if (ext == ".csv") return KnownPointFormat::Csv;
    return std::nullopt;
}

const KnownPointEntry* FindKnownPoint(const std::vector<KnownPointEntry>& points,
                                      std::string_view name) {
    for (const KnownPointEntry& p : points)
        if (p.name == name) return &p;
    return nullptr;
}

std::optional<Refusal> ReadKnownPoints(std::string_view bytes, const std::string& fileName,
                                       KnownPointFormat format,
                                       std::vector<KnownPointEntry>& points) {
    if (bytes.size() > kMaxKnownPointFileBytes) return KnownFileTooLarge(fileName);
    ObservationText file;
    if (!file.Decode(bytes, fileName, TextEncoding::Automatic, kMaxKnownPointFileBytes))
        return file.Fault();
    const Layout& layout = format == KnownPointFormat::Dat ? kDat : kCsv;
    std::unordered_map<std::string, size_t> indexOf; // name to its entry in points
    const auto lines = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    indexOf.reserve(lines);
    points.reserve(points.size() + lines);
    std::string_view raw;
    while (file.NextLine(raw)) {
        if (Trimmed(raw).empty()) continue;
        const std::vector<std::string> fields = SplitFields(raw);
        if (format == KnownPointFormat::Csv && IsHeader(fields)) continue;
        if (fields.size() > layout.mostFields)
            return file.MakeFault(str::kKnownFileTooManyFields,
                                  WordText(fields[layout.mostFields]));
        KnownPointEntry entry;
        if (auto why = ReadEntry(fields, layout, entry))
            return file.MakeFault(str::kKnownFileBadLine, *why);
        entry.line = file.LineNumber();
        const auto [at, added] = indexOf.try_emplace(entry.name, points.size());
        if (added) {
            points.push_back(std::move(entry));
            continue;
        }
        KnownPointEntry& earlier = points[at->second];
        const bool heightsDiffer = earlier.height && entry.height && earlier.height != entry.height;
        if (earlier.xy.dX != entry.xy.dX || earlier.xy.dY != entry.xy.dY || heightsDiffer)
            return file.MakeFault(str::kKnownFileDuplicate, WordText(entry.name),
                                  std::to_string(earlier.line));
        if (!earlier.height) earlier.height = entry.height; // one line gave the height
    }
    if (file.Failed()) return file.Fault();
    if (points.empty()) return file.FaultAt(0, str::kKnownFileEmpty);
    DropPlaceholderHeights(points);
    return std::nullopt;
}

std::optional<Refusal> ReadKnownPointFile(const std::string& path,
                                          std::vector<KnownPointEntry>& points) {
    const std::string name = DisplayName(path);
    const auto format = KnownPointFormatOf(path);
    if (!format) return Refusal{str::kKnownFileExtension, {name}};
    FileBytes file;
    switch (ReadRegularFile(path, kMaxKnownPointFileBytes, file)) {
    case FileReadStatus::Ok:
        break;
    case FileReadStatus::CannotOpen:
        return Refusal{str::kCannotOpenFileReason, {name, ErrorText(file.error)}};
    case FileReadStatus::NotRegular:
        return Refusal{str::kNotRegularFile, {name}};
    case FileReadStatus::TooLarge:
        return KnownFileTooLarge(name);
    }
    return ReadKnownPoints(file.bytes, name, *format, points);
}

} // namespace traverse
