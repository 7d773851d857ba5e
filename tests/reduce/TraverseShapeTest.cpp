// The shape of a file against the type chosen: a closed traverse that does not come
// back to its start, a loop taken for an open traverse, a chain whose names do not
// follow one another. Each once gave coordinates with exit 0.
#include "reduce/TraverseShape.h"
#include "read/ObservationReaders.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

using namespace traverse;

namespace {
// Records from "STATION<BACKSIGHT>FORESIGHT" words.
Observations Chain(std::initializer_list<const char*> setUps) {
    Observations records;
    for (const char* s : setUps) {
        const std::string text(s);
        const size_t lt = text.find('<'), gt = text.find('>');
        ObservationRecord r{};
        SetName(r.szStation, text.substr(0, lt));
        SetName(r.szBacksight, text.substr(lt + 1, gt - lt - 1));
        SetName(r.szForesight, text.substr(gt + 1));
        r.dDistance = 100, r.dVerticalAngle = 900000;
        records.push_back(r);
    }
    return records;
}
} // namespace

TEST(TraverseShape, TypeAgainstTheFile) {
    const Observations loop = Chain({"A<K>B", "B<A>C", "C<B>A", "A<C>B"});
    const Observations open = Chain({"A<K>B", "B<A>C", "C<B>E"});
    const Observations free = Chain({"A<->B", "B<A>C", "C<B>E"});
    const Observations toOwnStart = Chain({"A<K>B", "B<A>C", "C<B>A", "A<C>K"});
    struct Case {
        const char* name;
        const Observations& records;
        TraverseType type;
        int message; // 0: the shape fits
        std::vector<std::string> arguments;
    };
    const Case cases[] = {
        {"loop as closed", loop, kClosed, 0, {}},
        {"open chain as closed", open, kClosed, str::kClosedNotReturning, {"C", "A", "附合导线"}},
        {"free chain as closed", free, kClosed, str::kClosedNotReturning, {"C", "A", "无定向导线"}},
        {"loop as one connection angle", loop, kSingleConnection, str::kLoopNotOpen, {"A"}},
        {"loop as non-oriented", loop, kNonOriented, str::kLoopNotOpen, {"A"}},
        {"no backsight, two connection angles",
         free,
         kDoubleConnection,
         str::kNoStartBacksight,
         {"A"}},
        {"open chain as non-oriented", open, kNonOriented, 0, {}},
        {"annexed to its own start direction", toOwnStart, kDoubleConnection, 0, {}},
        {"foresight not the next set-up",
         Chain({"A<K>B", "B<A>C", "D<B>E"}),
         kSingleConnection,
         str::kChainBroken,
         {"B", "C", "D"}},
        {"backsight not the set-up before",
         Chain({"A<K>B", "B<X>C", "C<B>E"}),
         kSingleConnection,
         str::kChainBackBroken,
         {"B", "X", "A"}},
        {"unnamed records say nothing", Chain({"<>", "<>"}), kClosed, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto refused = CheckShape(c.type, c.records);
        ASSERT_EQ(refused.has_value(), c.message != 0);
        if (!refused) continue;
        EXPECT_EQ(refused->messageId, c.message);
        EXPECT_EQ(refused->arguments, c.arguments);
    }
}

// The closing set-up typed D12 for D21: its sight went to the first set-up on D21, and
// the loop came back with D12 at D21's coordinates.
TEST(TraverseShape, ClosingSetUpUnderAnotherName) {
    const std::string text = "*D21 D22 1.4\nT1 261.399 901203 895344 1.7\n"
                             "*T1 D21 1.5\nT2 238.960 2442958 884049 1.6\n"
                             "*T2 T1 1.5\nD12 301.675 2453559 911524 1.7\n"
                             "*D12 T2 1.4\nT1 261.492 2355637 882913 1.7\n*T1 D21 1.5\n";
    const ReadResult read = ReadTxtObservations(text, "d12.txt");
    ASSERT_FALSE(read.refusal);
    const auto refused = CheckShape(kClosed, read.observations);
    ASSERT_TRUE(refused);
    EXPECT_EQ(MessageText(*refused),
              "观测文件的最后一站 D12 不是起始点 D21：这不是闭合导线，是否应选附合导线？");
}

TEST(TraverseShape, LikelyTypeAndTheHintBesideARefusal) {
    EXPECT_EQ(LikelyType(ShapeOf(Chain({"A<K>B", "B<A>A", "A<B>B"}))), kClosed);
    EXPECT_EQ(LikelyType(ShapeOf(Chain({"A<->B", "B<A>C"}))), kNonOriented);
    EXPECT_EQ(LikelyType(ShapeOf(Chain({"A<K>B", "B<A>C"}))), std::nullopt);

    const TraverseShape free = ShapeOf(Chain({"A<->B", "B<A>C"}));
    Refusal gross{str::kGrossError, {"fx", "bound"}};
    AddShapeHint(gross, kSingleConnection, free);
    EXPECT_EQ(gross.hint, "观测文件的形状是无定向导线，是否选错了导线类型？");
    Refusal unrelated{str::kEnterKnownPoint, {"起始点"}};
    AddShapeHint(unrelated, kSingleConnection, free);
    EXPECT_EQ(MessageText(unrelated), "请输入起始点的坐标。");
}
