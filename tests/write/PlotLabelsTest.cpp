// The plot as it is read: a title and a legend; names beside their points, clear of one
// another; on a long traverse only the known points and every k-th new point named and
// marked, so that nothing is drawn over anything else.
#include "write/AdjustedExamples.h"

#include "write/PlotLabels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace traverse;

namespace {
struct Box {
    double left, top, right, bottom;
};

Box NameBox(const PlotText& t, double font) {
    const double w = EstimatedTextWidth(t.text, font);
    return {t.x, t.y - 0.85 * font, t.x + w, t.y + 0.25 * font};
}

bool Overlap(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The names of points among the texts: those that are a point's name.
std::vector<PlotText> Names(const PlotModel& plot, const TraverseResults& r) {
    std::vector<PlotText> names;
    for (const PlotText& t : plot.texts)
        for (const ResultPoint& p : r.points)
            if (t.text == p.name) names.push_back(t);
    return names;
}

void ExpectClearNames(const PlotModel& plot, const std::vector<PlotText>& names) {
    for (size_t i = 0; i < names.size(); ++i) {
        const Box a = NameBox(names[i], plot.fontSize);
        EXPECT_TRUE(a.left >= 0 && a.right <= plot.width && a.top >= 0 && a.bottom <= plot.height)
            << names[i].text;
        for (size_t k = i + 1; k < names.size(); ++k)
            EXPECT_FALSE(Overlap(a, NameBox(names[k], plot.fontSize)))
                << names[i].text << " over " << names[k].text;
        for (const PlotSymbol& s : plot.symbols)
            EXPECT_FALSE(s.x > a.left && s.x < a.right && s.y > a.top && s.y < a.bottom)
                << names[i].text << " over a point";
    }
}

// A meandering traverse of n new points between two known ones, sides of 200 m.
TraverseResults LongTraverse(int n) {
    TraverseResults r;
    r.traverseType = kSingleConnection;
    double x = 0, y = 0, heading = 0.7;
    for (int i = 0; i <= n + 1; ++i) {
        const bool known = i == 0 || i == n + 1;
        r.points.push_back({"P" + std::to_string(i), {x, y}, known, 3, 2, 2, 2.5, 1.5, 30});
        heading += std::sin(i * 0.37) * 0.4;
        x += 200 * std::cos(heading), y += 200 * std::sin(heading);
    }
    return r;
}
} // namespace

TEST(PlotModel, TitleLegendAndNamesClearOfOneAnother) {
    for (const Example& example : kExamples) {
        SCOPED_TRACE(example.file);
        auto run = Adjust(example);
        const TraverseResults r = CollectResults(*run->dlg.m_adjusted);
        const PlotModel plot = BuildPlotModel(r, 800, 600, PlotTitle(example.file, r.traverseType));
        std::string words;
        for (const PlotText& t : plot.texts)
            words += t.text + "|";
        for (const char* wanted : {"图例", "已知点", "待定点", "标准误差椭圆（1σ）放大", "|N|"})
            EXPECT_NE(words.find(wanted), std::string::npos) << wanted;
        EXPECT_NE(words.find(std::string(example.file) + "　"), std::string::npos) << "title";
        EXPECT_EQ(plot.labelEvery, 1);
        const std::vector<PlotText> names = Names(plot, r);
        EXPECT_EQ(names.size(), r.points.size());
        ExpectClearNames(plot, names);
    }
}

TEST(PlotModel, LongTraversesAreNamedAndMarkedEveryKthPoint) {
    struct Case {
        int newPoints;
        bool thinned, marksThinned;
    };
    for (const Case c : {Case{30, false, false}, Case{300, true, true}, Case{2000, true, true}}) {
        SCOPED_TRACE(c.newPoints);
        const TraverseResults r = LongTraverse(c.newPoints);
        const PlotModel plot = BuildPlotModel(r, 800, 600);
        EXPECT_EQ(plot.labelEvery > 1, c.thinned);
        EXPECT_EQ(plot.marksEvery > 1, c.marksThinned);
        const std::vector<PlotText> names = Names(plot, r);
        const int k = plot.labelEvery;
        EXPECT_EQ(names.size(), 2u + static_cast<size_t>((c.newPoints + k - 1) / k));
        for (const std::string& known : {std::string("P0"), "P" + std::to_string(c.newPoints + 1)})
            EXPECT_TRUE(std::any_of(names.begin(), names.end(), [&](const PlotText& t) {
                return t.text == known;
            })) << known;
        ExpectClearNames(plot, names);
        const int m = plot.marksEvery;
        EXPECT_EQ(plot.symbols.size(), 2u + static_cast<size_t>((c.newPoints + m - 1) / m) + 2u)
            << "and the legend's two";
        // Ellipses of neighbouring marks do not cover one another.
        std::vector<double> sides;
        for (const PlotLine& l : plot.lines)
            sides.push_back(std::hypot(l.x2 - l.x1, l.y2 - l.y1));
        std::sort(sides.begin(), sides.end());
        double largest = 0;
        for (size_t i = 0; i + 1 < plot.ellipses.size(); ++i) // the last is the legend's
            largest = std::max(largest, plot.ellipses[i].rx);
        EXPECT_LT(largest, sides[sides.size() / 2] * m);
    }
}

TEST(PlotLabels, WidthCountsWideCharactersAsOneEm) {
    EXPECT_DOUBLE_EQ(EstimatedTextWidth("T1", 10), 12);
    EXPECT_DOUBLE_EQ(EstimatedTextWidth("北山1", 10), 26);
    EXPECT_DOUBLE_EQ(EstimatedTextWidth("", 10), 0);
}

// Where no k lets the names stand clear, the first k that names a single new point is
// kept, with every name it places: the known points' and that new point's.
TEST(PlotLabels, NamesThatNeverStandClearAreAllStillPlaced) {
    struct Case {
        double size;  // of the square drawing
        int newPoints, every;
    };
    for (const Case c : {Case{20, 7, 10}, Case{20, 2, 2}, Case{2000, 7, 1}}) {
        SCOPED_TRACE(c.size);
        PlotModel plot;
        plot.width = plot.height = c.size;
        plot.fontSize = 10, plot.symbolSize = 3.5;
        std::vector<LabelRequest> requests = {{c.size / 2, c.size / 2, "A", true},
                                              {c.size / 4, c.size / 4, "B", true}};
        for (int i = 0; i < c.newPoints; ++i) // far apart in the large drawing only
            requests.push_back({c.size / 2 + c.size / 10 * std::cos(i), c.size / 10 * i / 4 + 5,
                                "P" + std::to_string(i), false});
        const PlacedLabels placed = PlaceLabels(requests, plot, true);
        EXPECT_EQ(placed.every, c.every);
        EXPECT_EQ(placed.texts.size(),
                  2u + static_cast<size_t>((c.newPoints + c.every - 1) / c.every));
    }
}
