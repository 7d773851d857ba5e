#include "reduce/TraverseShape.h"

#include "resources/CodePage936.h"
#include "resources/StringTable.h"

namespace traverse {

namespace {
// A backsight the file leaves out: no name, or "-".
bool NoBacksight(std::string_view name) { return name.empty() || name == "-"; }

std::string Text(const char (&field)[kNameFieldSize]) { return Cp936ToUtf8(NameOf(field)); }

// The type the shape shows; "附合导线" for an open, oriented chain, which may have one
// connection angle or two.
const char* SuggestedTitle(const TraverseShape& shape) {
    if (const auto likely = LikelyType(shape)) return TraverseTypeTitle(*likely);
    return "附合导线";
}
} // namespace

TraverseShape ShapeOf(std::span<const ObservationRecord> obs) {
    TraverseShape shape;
    if (obs.empty() || NameOf(obs.front().szStation).empty()) return shape;
    const ObservationRecord &first = obs.front(), &last = obs.back();
    shape.named = true;
    // A loop whose last set-up sights the first backsight closes on a known direction:
    // it is annexed to its own start, not a closed loop.
    shape.loop = obs.size() > 1 && NameOf(last.szStation) == NameOf(first.szStation) &&
                 NameOf(last.szForesight) != NameOf(first.szBacksight);
    shape.startOriented = !NoBacksight(NameOf(first.szBacksight));
    return shape;
}

std::optional<TraverseType> LikelyType(const TraverseShape& shape) {
    if (!shape.named) return std::nullopt;
    if (shape.loop) return kClosed;
    if (!shape.startOriented) return kNonOriented;
    return std::nullopt;
}

// The first set-up that does not stand where the one before it sighted, or whose
// backsight is not the station before it; none when the chain holds.
std::optional<size_t> ChainBreak(std::span<const ObservationRecord> obs) {
    for (size_t i = 1; i < obs.size(); ++i)
        if (NameOf(obs[i - 1].szForesight) != NameOf(obs[i].szStation) ||
            NameOf(obs[i].szBacksight) != NameOf(obs[i - 1].szStation))
            return i;
    return std::nullopt;
}

std::optional<Refusal> BrokenChain(TraverseType type, std::span<const ObservationRecord> obs,
                                   size_t i) {
    const ObservationRecord &before = obs[i - 1], &at = obs[i];
    // The closing set-up typed under another name (D12 for D21): its sight was taken
    // for another set-up on the start, and the chain ends where it was set up.
    if (type == kClosed && i + 1 == obs.size() && NameOf(at.szStation) == NameOf(obs[0].szStation))
        return Refusal{str::kClosedNotReturning,
                       {Text(before.szForesight), Text(obs[0].szStation), "附合导线"}};
    if (NameOf(before.szForesight) != NameOf(at.szStation))
        return Refusal{str::kChainBroken,
                       {Text(before.szStation), Text(before.szForesight), Text(at.szStation)}};
    return Refusal{str::kChainBackBroken,
                   {Text(at.szStation), Text(at.szBacksight), Text(before.szStation)}};
}

std::optional<Refusal> CheckShape(TraverseType type, std::span<const ObservationRecord> obs) {
    const TraverseShape shape = ShapeOf(obs);
    if (!shape.named) return std::nullopt;
    if (const auto i = ChainBreak(obs)) return BrokenChain(type, obs, *i);
    const ObservationRecord &first = obs.front(), &last = obs.back();
    if (type == kClosed && !shape.loop && obs.size() > 1)
        return Refusal{str::kClosedNotReturning,
                       {Text(last.szStation), Text(first.szStation), SuggestedTitle(shape)}};
    if (type != kClosed && shape.loop) return Refusal{str::kLoopNotOpen, {Text(last.szStation)}};
    if (type != kNonOriented && !shape.startOriented)
        return Refusal{str::kNoStartBacksight, {Text(first.szStation)}};
    return std::nullopt;
}

void AddShapeHint(Refusal& refusal, TraverseType type, const TraverseShape& shape) {
    const int id = refusal.messageId;
    if (id != str::kAzimuthClosureOver50 && id != str::kGrossError && id != str::kNoConvergence)
        return;
    const auto likely = LikelyType(shape);
    if (!likely || *likely == type || !refusal.hint.empty()) return;
    refusal.hint = FormatString(str::kShapeHint, {SuggestedTitle(shape)});
}

} // namespace traverse
