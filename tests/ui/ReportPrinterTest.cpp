// The printed report read back from its PDF: every page numbered of the right count,
// every point on one line with its coordinates (no name wrapped), the pages reported
// in order as they are drawn, and a stop that leaves nothing.
#include "ui/ReportPrinter.h"

#include "write/AdjustedExamples.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {
ReportContext Context(const Example& e) {
    return {e.file, DefaultGrade(), "2026-12-07", "test", ""};
}

// The PDF's pages as pdftotext lays them out, blanks squeezed to one.
QStringList PdfPages(const std::string& bytes) {
    QTemporaryDir dir;
    QFile pdf(dir.filePath("report.pdf"));
    if (!pdf.open(QIODevice::WriteOnly)) return {};
    pdf.write(bytes.data(), static_cast<qint64>(bytes.size()));
    pdf.close();
    const std::string text = dir.filePath("report.txt").toStdString();
    if (std::system(("pdftotext -layout '" + pdf.fileName().toStdString() + "' '" + text + "'")
                        .c_str()) != 0)
        return {};
    QFile read(QString::fromStdString(text));
    if (!read.open(QIODevice::ReadOnly)) return {};
    QStringList pages = QString::fromUtf8(read.readAll())
                            .replace(QRegularExpression(QStringLiteral("[ \\t\\x{3000}]+")),
                                     QStringLiteral(" "))
                            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

QString Fixed(double value) { return QString::number(value, 'f', 3); }
} // namespace

TEST(ReportPdf, EveryExamplePrintsEachPointOnOneLineAndNumbersItsPages) {
    for (const Example& e : kExamples) {
        SCOPED_TRACE(e.file);
        const auto run = Adjust(e);
        ASSERT_TRUE(run->dlg.m_adjusted.has_value());
        const TraverseResults results = CollectResults(*run->dlg.m_adjusted);
        std::vector<int> drawn;
        std::string bytes;
        ASSERT_EQ(ReportPdf(results, Context(e), bytes,
                            [&drawn](int page, int) {
                                drawn.push_back(page);
                                return true;
                            }),
                  PrintOutcome::kDone);
        const QStringList pages = PdfPages(bytes);
        ASSERT_FALSE(pages.isEmpty());
        const int count = static_cast<int>(pages.size());
        ASSERT_EQ(static_cast<int>(drawn.size()), count);
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(drawn[static_cast<size_t>(i)], i + 1);
            EXPECT_TRUE(QString(pages[i]).remove(QLatin1Char(' ')).contains(
                QStringLiteral("第%1页共%2页").arg(i + 1).arg(count)))
                << "page " << i + 1;
        }
        const QString all = pages.join(QLatin1Char('\n'));
        for (const ResultPoint& p : results.points) {
            const QString row = QString::fromStdString(p.name) + QLatin1Char(' ') +
                                Fixed(p.xy.dX) + QLatin1Char(' ') + Fixed(p.xy.dY);
            EXPECT_TRUE(all.contains(row)) << row.toStdString();
        }
    }
}

// 取消 after the first page: a printer's job is aborted, a PDF is not kept.
TEST(ReportPdf, StoppedAfterTheFirstPageGivesNoPdf) {
    const auto run = Adjust(kExamples[0]);
    ASSERT_TRUE(run->dlg.m_adjusted.has_value());
    std::vector<int> drawn;
    std::string bytes;
    EXPECT_EQ(ReportPdf(CollectResults(*run->dlg.m_adjusted), Context(kExamples[0]), bytes,
                        [&drawn](int page, int) {
                            drawn.push_back(page);
                            return false;
                        }),
              PrintOutcome::kStopped);
    EXPECT_EQ(drawn, std::vector<int>{1});
    EXPECT_TRUE(bytes.empty());
}

// With known heights the pages carry the height lines and the 高程平差 table.
TEST(ReportPdf, HeightsWhereAKnownHeightIsGiven) {
    const auto adjusted = AdjustHeightsExample();
    ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(adjusted));
    std::string bytes;
    ASSERT_EQ(ReportPdf(CollectResults(std::get<AdjustedTraverse>(adjusted)),
                        Context(kExamples[0]), bytes),
              PrintOutcome::kDone);
    const QString all = PdfPages(bytes).join(QLatin1Char('\n'));
    for (const char* wanted : {"已知高程 A：H = 45.300 m", "高程闭合差 fh = +19.0 mm", "高程平差",
                               "大气折光系数 k = 0.13"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(wanted))) << wanted;
}
