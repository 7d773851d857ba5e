#include "BatchKnownPoints.h"

#include "BatchPort.h"

#include "platform/ShownText.h"
#include "read/FileBytes.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "workspace/TraverseAdjustDlg.h"

namespace {
constexpr size_t kMostKnownFileBytes = size_t{32} << 20;

bool Refuse(CBatchWindowPort& port, int id, const std::string& text) {
    port.ShowMessage(id, text);
    return false;
}
} // namespace

bool ReadKnownPointFile(const std::string& path, CBatchWindowPort& port,
                        std::vector<KnownPointEntry>& points) {
    port.SetMessagePrefix(path);
    const std::string name = DisplayName(path);
    FileBytes file;
    switch (ReadRegularFile(path, kMostKnownFileBytes, file)) {
    case FileReadStatus::Ok:
        break;
    case FileReadStatus::CannotOpen:
        return Refuse(port, str::kCannotOpenFileReason,
                      FormatString(str::kCannotOpenFileReason, {name, ErrorText(file.error)}));
    case FileReadStatus::NotRegular:
        return Refuse(port, str::kNotRegularFile, FormatString(str::kNotRegularFile, {name}));
    case FileReadStatus::TooLarge:
        return Refuse(port, str::kFileTooLarge, FormatString(str::kFileTooLarge, {name}));
    }
    const auto format = KnownPointFormatOf(path).value_or(KnownPointFormat::Dat);
    if (const auto fault = ReadKnownPoints(file.bytes, name, format, points))
        return Refuse(port, fault->messageId, MessageText(*fault));
    return true;
}

bool TypeKnownPoints(const CTraverseAdjustDlg& dlg, CBatchWindowPort& port, const BatchArguments& a,
                     const std::vector<KnownPointEntry>& known) {
    for (int role = 0; role < kKnownPointCount; ++role) {
        if (!TypeUsesRole(a.traverseType, role)) continue;
        if (a.points[role]) {
            port.TypeKnownPoint(role, a.pointNames[role], *a.points[role]);
            continue;
        }
        const std::string_view station = StationOfRole(a.traverseType, role, dlg.m_arrObservations);
        const KnownPointEntry* entry = FindKnownPoint(known, station);
        if (entry == nullptr) {
            port.SetMessagePrefix(*a.knownFile);
            return Refuse(port, str::kKnownFileLacksPoint,
                          FormatString(str::kKnownFileLacksPoint,
                                       {DisplayName(*a.knownFile),
                                        RoleHeading(a.traverseType, role), Cp936ToUtf8(station)}));
        }
        port.TypeKnownPoint(role, "", entry->xy);
    }
    return true;
}
