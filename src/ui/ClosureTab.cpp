#include "ui/ClosureTab.h"

#include "ui/ResultsWindow.h"

#include "model/NumberText.h"
#include "platform/ShownText.h"
#include "resources/StringTable.h"
#include "write/HeightsText.h"
#include "write/ResultsText.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
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
                     {}, std::nullopt},
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
                            Q(FormatShortest(grade.closureCoefficient)) + "√L，L = " +
                            Q(FormatFixed(h.length / 1000.0, 3)) + " km）",
                        checks.closure.pass});
    else
        rows.push_back({"高程检核", "无高程检核（由 " + Q(ShownText(h.carriedFrom)) + " 推算）", {},
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
        rows.push_back({"每千米高差中误差", Q(FormatTenth(h.errorPerKm)) + " mm", {}, std::nullopt});
    if (checks.closure.applies || checks.reciprocal.applies)
        rows.push_back({"高程等级 " + Q(grade.name), {}, {}, checks.Pass()});
    return rows;
}

// A check's cells tinted by its verdict; the verdict itself in bold, green or red.
void ShowRow(QTableWidget& table, int index, const Row& row) {
    const QString texts[4] = {row.item, row.value, row.limit,
                              row.pass ? Q(VerdictText(*row.pass)) : QString()};
    for (int col = 0; col < 4; ++col) {
        auto* item = new QTableWidgetItem(texts[col]);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        if (col == 1 || col == 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (row.pass) {
            item->setBackground(*row.pass ? QColor(221, 242, 221) : QColor(252, 218, 218));
            if (col == 3) {
                item->setForeground(*row.pass ? QColor(0, 110, 0) : QColor(190, 0, 0));
                QFont bold = table.font();
                bold.setBold(true);
                item->setFont(bold);
            }
        }
        table.setItem(index, col, item);
    }
}

bool IsCustom(const QComboBox& grades) {
    return grades.currentIndex() >= static_cast<int>(StandardGrades().size());
}

QSpinBox* NewKBox(QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setLocale(QLocale::c());
    box->setRange(1, static_cast<int>(kMostRelativeK));
    box->setSingleStep(1000);
    box->setPrefix(QStringLiteral("1/"));
    return box;
}

QDoubleSpinBox* NewCoefficientBox(QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setLocale(QLocale::c());
    box->setRange(0.1, 999.9);
    box->setDecimals(1);
    box->setPrefix(QStringLiteral("±"));
    box->setSuffix(QStringLiteral("″√n"));
    return box;
}
} // namespace

CClosureTab::CClosureTab(const TraverseResults& results, Grade& remembered,
                         HeightGrade& heights, QWidget* parent)
    : QWidget(parent), m_results(results), m_remembered(remembered),
      m_rememberedHeights(heights) {
    setObjectName(QStringLiteral("closureTab"));
    m_grade = new QComboBox(this);
    m_grade->setObjectName(QStringLiteral("gradeChooser"));
    for (const Grade& g : StandardGrades())
        m_grade->addItem(Q(g.name));
    m_grade->addItem(Q(std::string(LoadString(str::kCustomGrade))));
    m_relativeK = NewKBox(this);
    m_relativeK->setObjectName(QStringLiteral("customK"));
    m_angleCoefficient = NewCoefficientBox(this);
    m_angleCoefficient->setObjectName(QStringLiteral("customCoefficient"));
    m_mapScale = new QComboBox(this);
    m_mapScale->setObjectName(QStringLiteral("mapScale"));
    m_mapScale->addItem(QStringLiteral("未选"), 0);
    for (int m : kMapScales)
        m_mapScale->addItem(QStringLiteral("1:%1").arg(m), m);
    m_mapScale->setToolTip(QStringLiteral("图根导线全长限差 α·M 米（α = 1），M 为测图比例尺分母"));

    m_table = new QTableWidget(0, 4, this);
    m_table->setObjectName(QStringLiteral("closureTable"));
    m_table->setHorizontalHeaderLabels({"项目", "数值", "限差", "结论"});
    m_table->verticalHeader()->hide();
    // Rows as high as a line of text: every check and the verdict in the window as it opens.
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    CopyRowsOnCopyKey(*m_table);
    // Three columns as wide as their texts, the verdict's taking the rest, whatever the
    // grade shows: no column collapses when the texts change.
    QHeaderView* header = m_table->horizontalHeader();
    for (int col = 0; col < 3; ++col)
        header->setSectionResizeMode(col, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(3, QHeaderView::Stretch);
    m_verdict = new QLabel(this);
    m_verdict->setObjectName(QStringLiteral("gradeVerdict"));
    QFont bold = m_verdict->font();
    bold.setBold(true);
    m_verdict->setFont(bold);

    auto* chooser = new QHBoxLayout;
    chooser->addWidget(new QLabel(QStringLiteral("导线等级"), this));
    chooser->addWidget(m_grade);
    chooser->addSpacing(16);
    chooser->addWidget(new QLabel(QStringLiteral("全长相对闭合差限差"), this));
    chooser->addWidget(m_relativeK);
    chooser->addWidget(new QLabel(QStringLiteral("方位角闭合差限差"), this));
    chooser->addWidget(m_angleCoefficient);
    chooser->addWidget(new QLabel(QStringLiteral("测图比例尺"), this));
    chooser->addWidget(m_mapScale);
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

    connect(m_grade, &QComboBox::currentIndexChanged, this, [this] { OnGradeChosen(); });
    connect(m_relativeK, &QSpinBox::valueChanged, this, [this] { ShowChecks(); });
    connect(m_angleCoefficient, &QDoubleSpinBox::valueChanged, this, [this] { ShowChecks(); });
    connect(m_mapScale, &QComboBox::currentIndexChanged, this, [this] { ShowChecks(); });
    connect(m_heightGrade, &QComboBox::currentIndexChanged, this, [this] { ShowChecks(); });
    ShowGrade(m_remembered);
}

// A standard grade by its name; anything else as 自定义 with its limits.
void CClosureTab::ShowGrade(const Grade& grade) {
    const QSignalBlocker block(m_grade), blockScale(m_mapScale);
    m_mapScale->setCurrentIndex(std::max(0, m_mapScale->findData(grade.mapScale)));
    int index = m_grade->count() - 1;
    for (size_t i = 0; i < StandardGrades().size(); ++i)
        if (StandardGrades()[i].name == grade.name) index = static_cast<int>(i);
    m_grade->setCurrentIndex(index);
    if (IsCustom(*m_grade)) {
        const QSignalBlocker blockK(m_relativeK), blockCoefficient(m_angleCoefficient);
        m_relativeK->setValue(static_cast<int>(grade.relativeK));
        m_angleCoefficient->setValue(grade.angleCoefficient);
    }
    OnGradeChosen();
}

// A standard grade shows its limits in the custom boxes, which start from them.
void CClosureTab::OnGradeChosen() {
    const bool custom = IsCustom(*m_grade);
    m_relativeK->setEnabled(custom);
    m_angleCoefficient->setEnabled(custom);
    m_mapScale->setEnabled(
        !custom && HasMapScale(StandardGrades()[static_cast<size_t>(m_grade->currentIndex())]));
    if (!custom) {
        const Grade& g = StandardGrades()[static_cast<size_t>(m_grade->currentIndex())];
        const QSignalBlocker blockK(m_relativeK), blockCoefficient(m_angleCoefficient);
        m_relativeK->setValue(static_cast<int>(g.relativeK));
        m_angleCoefficient->setValue(g.angleCoefficient);
    }
    ShowChecks();
}

Grade CClosureTab::ChosenGrade() const {
    if (!IsCustom(*m_grade)) {
        const Grade& g = StandardGrades()[static_cast<size_t>(m_grade->currentIndex())];
        const int m = m_mapScale->currentData().toInt();
        return m > 0 ? WithMapScale(g, m) : g;
    }
    return Grade{std::string(LoadString(str::kCustomGrade)), m_angleCoefficient->value(),
                 m_relativeK->value()};
}

void CClosureTab::ShowChecks() {
    const Grade grade = ChosenGrade();
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
    m_verdict->setText(verdict);
    m_verdict->setStyleSheet(pass ? QStringLiteral("color: rgb(0, 110, 0);")
                                  : QStringLiteral("color: rgb(190, 0, 0);"));
}
