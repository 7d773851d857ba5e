#include "ui/ClosureTab.h"

#include "ui/CheckedCells.h"
#include "ui/GradeChooser.h"
#include "ui/ResultsWindow.h"

#include "model/NumberText.h"
#include "platform/ShownText.h"
#include "resources/StringTable.h"
#include "write/HeightsText.h"
#include "write/ResultsText.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <optional>
#include <vector>

using namespace traverse;

namespace {
struct Row {
    QString item, value, limit;
    std::optional<bool> pass; // a check of the grade
};

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

Row AzimuthRow(const ClosureStatistics& c, const Grade& grade, const GradeCheck& check) {
    if (!check.applies) return {"方位角闭合差 fβ", "—", "无方位角闭合条件", std::nullopt};
    return {"方位角闭合差 fβ", Q(FormatSignedTenth(c.azimuthClosure)) + "″",
            "±" + Q(FormatTenth(check.limit)) + "″（" + Q(FormatShortest(grade.angleCoefficient)) +
                "″√n）",
            check.pass};
}

Row LengthRow(const ClosureStatistics& c, const Grade& grade, const GradeCheck& check) {
    const QString length = Q(FormatFixed(c.length, 3)) + " m";
    if (!check.applies) return {"导线全长 ΣD", length, {}, std::nullopt};
    return {"导线全长 ΣD", length, Q(FormatShortest(check.limit)) + " m" + Q(MapScaleNote(grade)),
            check.pass};
}

std::vector<Row> Rows(const TraverseResults& r, const Grade& grade, const GradeChecks& checks) {
    const ClosureStatistics& c = r.closure;
    std::vector<Row> rows;
    for (const KnownPointText& k : KnownPointTexts(r))
        rows.push_back({Q(ShownText(k.point)), Q(k.coordinates), {}, std::nullopt});
    rows.insert(rows.end(),
                {
                    {"测角数 n", QString::number(c.angleCount), {}, std::nullopt},
                    AzimuthRow(c, grade, checks.azimuth),
                    {"坐标闭合差 fx", Q(FormatSignedTenth(c.fx)) + " mm", {}, std::nullopt},
                    {"坐标闭合差 fy", Q(FormatSignedTenth(c.fy)) + " mm", {}, std::nullopt},
                    {"全长闭合差 fD", Q(FormatTenth(c.fd)) + " mm", {}, std::nullopt},
                    LengthRow(c, grade, checks.length),
                    {"全长相对闭合差", "1/" + Q(RelativeClosureText(c.k)),
                     "1/" + QString::number(grade.relativeK), checks.relative.pass},
                    // Unitless (1 a priori) where the instrument's precision weighs.
                    {"单位权中误差 σ0",
                     r.instrument ? Q(FormatFixed(c.sigma0, 2)) + "（验前 1）"
                                  : Q(FormatTenth(c.sigma0)) + "″",
                     {},
                     std::nullopt},
                    {"多余观测数 r", QString::number(c.redundancy), {}, std::nullopt},
                });
    if (checks.meanSide.applies)
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(rows.size()) - 2,
                    {"平均边长", Q(FormatFixed(c.length / c.sideCount, 3)) + " m",
                     Q(FormatShortest(checks.meanSide.limit)) + " m", checks.meanSide.pass});
    if (c.weakest >= 0) {
        const ResultPoint& p = r.points[static_cast<size_t>(c.weakest)];
        rows.push_back({"最弱点",
                        Q(ShownText(p.name)) + "：M = " + Q(FormatTenth(p.m)) + " mm",
                        {},
                        std::nullopt});
    }
    rows.push_back({"等级 " + Q(grade.name), {}, {}, checks.Pass()});
    return rows;
}

// The heights' rows: the closure against its limit (or where they are carried from), the
// worst reciprocal difference, the error per km and the height grade's verdict; a refusal
// as its message.
std::vector<Row> HeightRows(const TraverseResults& r, const HeightGrade& grade) {
    if (!r.heights) return {};
    const ResultHeights& h = *r.heights;
    if (!h.Computed()) return {{"高程", Q(MessageText(*h.refused)), {}, std::nullopt}};
    const HeightChecks checks = CheckResultHeights(h, grade);
    std::vector<Row> rows;
    if (checks.closure.applies)
        rows.push_back({"高程闭合差 fh", Q(FormatSignedTenth(h.fh)) + " mm",
                        "±" + Q(FormatTenth(checks.closure.limit)) + " mm（" +
                            Q(FormatShortest(grade.closureCoefficient)) +
                            "√L，L = " + Q(FormatFixed(h.length / 1000.0, 3)) + " km）",
                        checks.closure.pass});
    else
        rows.push_back({"高程检核",
                        "无高程检核（由 " + Q(ShownText(h.carriedFrom)) + " 推算）",
                        {},
                        std::nullopt});
    if (checks.reciprocal.applies) {
        const ResultHeightSide& s = h.sides[static_cast<size_t>(checks.worstSide)];
        rows.push_back({"对向观测高差较差",
                        Q(FormatSignedTenth(checks.worst)) + " mm（" + Q(ShownText(s.from)) + "—" +
                            Q(ShownText(s.to)) + "）",
                        "±" + Q(FormatTenth(checks.reciprocal.limit)) + " mm（" +
                            Q(FormatShortest(grade.reciprocalCoefficient)) + "√D）",
                        checks.reciprocal.pass});
    }
    if (h.closure)
        rows.push_back(
            {"每千米高差中误差", Q(FormatTenth(h.errorPerKm)) + " mm", {}, std::nullopt});
    if (checks.closure.applies || checks.reciprocal.applies)
        rows.push_back({"高程等级 " + Q(grade.name), {}, {}, checks.Pass()});
    return rows;
}

// A check's cells tinted by its verdict; the verdict itself in bold, green or red.
void ShowRow(QTableWidget& table, int index, const Row& row) {
    const QString texts[4] = {row.item, row.value, row.limit,
                              row.pass ? Q(VerdictText(*row.pass)) : QString()};
    for (int col = 0; col < 4; ++col)
        SetCheckedCell(table, index, col, texts[col], row.pass, col == 3, col == 1 || col == 2);
}
} // namespace

CClosureTab::CClosureTab(const TraverseResults& results, Grade& remembered, HeightGrade& heights,
                         QWidget* parent)
    : QWidget(parent), m_results(results), m_remembered(remembered), m_rememberedHeights(heights) {
    setObjectName(QStringLiteral("closureTab"));
    m_table = NewChecksTable(this, {"项目", "数值", "限差", "结论"});
    // Three columns as wide as their texts, the verdict's taking the rest, whatever the
    // grade shows: no column collapses when the texts change.
    QHeaderView* header = m_table->horizontalHeader();
    for (int col = 0; col < 3; ++col)
        header->setSectionResizeMode(col, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(3, QHeaderView::Stretch);
    m_verdict = NewVerdictLine(this);

    auto* chooser = new QHBoxLayout;
    m_chooser = new CGradeChooser(*this, *chooser, [this] { ShowChecks(); });
    m_heightGrade = new QComboBox(this);
    m_heightGrade->setObjectName(QStringLiteral("heightGradeChooser"));
    for (const HeightGrade& g : HeightGrades())
        m_heightGrade->addItem(Q(g.name));
    m_heightGrade->setCurrentText(Q(m_rememberedHeights.name));
    if (results.heights && results.heights->Computed()) {
        chooser->addSpacing(16);
        chooser->addWidget(new QLabel(QStringLiteral("高程等级"), this));
        chooser->addWidget(m_heightGrade);
    } else {
        m_heightGrade->hide();
    }
    chooser->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(chooser);
    layout->addWidget(m_verdict);
    layout->addWidget(m_table);

    connect(m_heightGrade, &QComboBox::currentIndexChanged, this, [this] { ShowChecks(); });
    m_chooser->Show(m_remembered);
}

void CClosureTab::ShowChecks() {
    const Grade grade = m_chooser->Chosen();
    m_remembered = grade;
    const GradeChecks checks = CheckGrade(m_results.closure, grade);
    const HeightGrade& heightGrade =
        HeightGrades()[static_cast<size_t>(std::max(0, m_heightGrade->currentIndex()))];
    m_rememberedHeights = heightGrade;
    std::vector<Row> rows = Rows(m_results, grade, checks);
    for (Row& row : HeightRows(m_results, heightGrade))
        rows.push_back(std::move(row));
    const bool pass = checks.Pass() && !HeightsExceed(m_results, heightGrade);
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i)
        ShowRow(*m_table, static_cast<int>(i), rows[i]);
    // The verdict above the table, where no scrolling can hide it.
    QString verdict = "等级 " + Q(grade.name) + "：" + Q(VerdictText(checks.Pass()));
    if (m_results.heights && m_results.heights->Computed())
        verdict += "；高程等级 " + Q(heightGrade.name) + "：" +
                   Q(VerdictText(!HeightsExceed(m_results, heightGrade)));
    ShowVerdictLine(*m_verdict, verdict, pass);
}
