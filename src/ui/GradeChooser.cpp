#include "ui/GradeChooser.h"

#include "resources/StringTable.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

using namespace traverse;

namespace {
QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

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

QComboBox* NewMapScaleBox(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("mapScale"));
    box->addItem(QStringLiteral("未选"), 0);
    for (int m : kMapScales)
        box->addItem(QStringLiteral("1:%1").arg(m), m);
    box->setToolTip(QStringLiteral("图根导线全长限差 α·M 米（α = 1），M 为测图比例尺分母"));
    return box;
}
} // namespace

CGradeChooser::CGradeChooser(QWidget& parent, QHBoxLayout& row, std::function<void()> changed)
    : QObject(&parent), m_changed(std::move(changed)) {
    m_grade = new QComboBox(&parent);
    m_grade->setObjectName(QStringLiteral("gradeChooser"));
    for (const Grade& g : StandardGrades())
        m_grade->addItem(Q(g.name));
    m_grade->addItem(Q(std::string(LoadString(str::kCustomGrade))));
    m_relativeK = NewKBox(&parent);
    m_relativeK->setObjectName(QStringLiteral("customK"));
    m_angleCoefficient = NewCoefficientBox(&parent);
    m_angleCoefficient->setObjectName(QStringLiteral("customCoefficient"));
    m_mapScale = NewMapScaleBox(&parent);

    row.addWidget(new QLabel(QStringLiteral("导线等级"), &parent));
    row.addWidget(m_grade);
    row.addSpacing(16);
    row.addWidget(new QLabel(QStringLiteral("全长相对闭合差限差"), &parent));
    row.addWidget(m_relativeK);
    row.addWidget(new QLabel(QStringLiteral("方位角闭合差限差"), &parent));
    row.addWidget(m_angleCoefficient);
    row.addWidget(new QLabel(QStringLiteral("测图比例尺"), &parent));
    row.addWidget(m_mapScale);

    connect(m_grade, &QComboBox::currentIndexChanged, this, [this] { OnGradeChosen(); });
    connect(m_relativeK, &QSpinBox::valueChanged, this, [this] { m_changed(); });
    connect(m_angleCoefficient, &QDoubleSpinBox::valueChanged, this, [this] { m_changed(); });
    connect(m_mapScale, &QComboBox::currentIndexChanged, this, [this] { m_changed(); });
}

void CGradeChooser::Show(const Grade& grade) {
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
void CGradeChooser::OnGradeChosen() {
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
    m_changed();
}

Grade CGradeChooser::Chosen() const {
    if (!IsCustom(*m_grade)) {
        const Grade& g = StandardGrades()[static_cast<size_t>(m_grade->currentIndex())];
        const int m = m_mapScale->currentData().toInt();
        return m > 0 ? WithMapScale(g, m) : g;
    }
    return Grade{std::string(LoadString(str::kCustomGrade)), m_angleCoefficient->value(),
                 m_relativeK->value()};
}
