// Button "平差成果" is enabled exactly while the workspace holds a current adjustment,
// and its command opens the results window only then.
#include "write/AdjustedExamples.h"

#include "resources/StringTable.h"
#include "workspace/ControlIds.h"

#include <gtest/gtest.h>

#include <functional>

using namespace traverse;

TEST(ResultsCommand, ButtonFollowsTheAdjustment) {
    struct Case {
        const char* name;
        std::function<void(AdjustedExample&)> event;
        bool current; // the adjustment still holds: the button enabled, the window opens
        int message;  // otherwise what the button answers
    };
    const Case cases[] = {
        {"adjusted", [](auto&) {}, true, 0},
        {"the current type clicked again", [](auto& t) { t.dlg.OnTypeClosed(); }, true, 0},
        {"another type",
         [](auto& t) {
             t.port.radios[ctl::kTypeRadioGroup] = kDoubleConnection;
             t.dlg.OnTypeDoubleConnection();
         },
         false, str::kResultsOutdatedView},
        {"known point typed, then the button",
         [](auto& t) { t.port.texts[ctl::kInitX1] = "3381252.419"; }, false,
         str::kResultsOutdatedView},
        {"recomputing declined", [](auto& t) { t.dlg.OnAdjust(); }, true, 0},
        {"recomputed, refused by its azimuth closure",
         [](auto& t) {
             t.dlg.m_arrObservations[1].dHorizontalAngle += 100; // one minute
             t.port.yesNoAnswers.push_back(true);
             t.dlg.OnAdjust();
         },
         false, str::kNotAdjusted},
        // a refused file changes nothing: the adjustment still holds
        {"import refused",
         [](auto& t) {
             t.port.openPaths.push_back("/nonexistent/观测.txt");
             t.dlg.OnImport();
         },
         true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto run = Adjust(kExamples[0]);
        ASSERT_EQ(run->dlg.m_nState, kAdjusted);
        c.event(*run);
        run->port.messageIds.clear();
        run->dlg.OnShowResults();
        EXPECT_EQ(run->port.disabled[ctl::kResults], !c.current);
        EXPECT_EQ(run->port.resultsWindowRuns, c.current ? 1 : 0);
        EXPECT_EQ(run->port.messageIds,
                  c.current ? std::vector<int>{} : std::vector<int>{c.message});
    }
}
