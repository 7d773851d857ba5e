// One whole run through the window: import the closed example with the open dialog,
// choose the type, type the known points, adjust, open the results, export with the
// options dialog.
#include "ModalHelper.h"

#include "ui/TraverseWindow.h"

#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace {
class OpenRecorder : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { urls << url; }

public:
    QList<QUrl> urls;
};

QString Example(const char* name) { return QString(TA_EXAMPLES_DIR "/") + name; }
} // namespace

TEST(WholeRun, ClosedExampleFromImportToReport) {
    const QString file = Example("closed.txt");
    if (!QFile::exists(file)) GTEST_SKIP() << "no examples in this checkout";

    CTraverseWindow window;
    CTraverseAdjustDlg ws(&window);
    window.Attach(ws);
    ws.OnInitDialog();
    auto click = [&](int id) { window.Controls().Button(id)->click(); };
    auto edit = [&](int id) { return qobject_cast<QLineEdit*>(window.Controls().Widget(id)); };

    click(ctl::kRadioClosed);
    WhenModal("openFileDialog", [&file](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(file);
        static_cast<QDialog*>(dialog)->accept();
    });
    click(ctl::kImport);
    ASSERT_EQ(ws.m_nState, kObservationsLoaded);
    const QTableWidget& table = window.GridCtrl().Table();
    ASSERT_NE(table.item(0, 0), nullptr);
    EXPECT_EQ(table.item(0, 0)->text(), "D21");
    EXPECT_EQ(table.item(ws.m_arrObservations.GetSize() - 1, 0)->text(), "D21");
    const QTableWidgetItem* after = table.item(ws.m_arrObservations.GetSize(), 0);
    EXPECT_TRUE(after == nullptr || after->text().isEmpty()) << "one row per record";

    edit(ctl::kInitX1)->setText("3381252.418");
    edit(ctl::kInitY1)->setText("501734.206");
    edit(ctl::kInitX2)->setText("3381685.431");
    edit(ctl::kInitY2)->setText("501484.203");
    QString done;
    WhenMessageBox([&done](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        done = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    click(ctl::kAdjust);
    EXPECT_EQ(done, "导线平差已完成,请导出结果.");
    ASSERT_EQ(ws.m_nState, kAdjusted);
    EXPECT_NE(edit(ctl::kWx)->text(), "0") << "the closures are shown";
    EXPECT_TRUE(edit(ctl::kAzimuthClosure)->isEnabled());
    ASSERT_TRUE(window.Controls().Button(ctl::kResults)->isEnabled());
    bool resultsShown = false;
    WhenModal("resultsWindow", [&resultsShown](QWidget* w) {
        resultsShown = true;
        qobject_cast<QDialog*>(w)->reject();
    });
    click(ctl::kResults);
    EXPECT_TRUE(resultsShown);

    QTemporaryDir dir;
    const QString report = dir.filePath("闭合导线.txt");
    WhenModal("exportDialog", [&report](QWidget* d) {
        for (int id : {1044, 1045, 1046, 1049})
            EXPECT_TRUE(
                d->findChild<QAbstractButton*>(QStringLiteral("ctl%1").arg(id))->isChecked());
        EXPECT_EQ(d->findChild<QLineEdit*>("ctl1048")->text(), Example("closed-平差报告.txt"))
            << "named after the observation file, beside it";
        d->findChild<QLineEdit*>("ctl1048")->setText(report);
        d->findChild<QAbstractButton*>("ctl1")->click();
    });
    WhenMessageBox([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        EXPECT_TRUE(box->text().startsWith("报告已保存：")) << box->text().toStdString();
        box->button(QMessageBox::Ok)->click();
    });
    OpenRecorder opened;
    QDesktopServices::setUrlHandler("file", &opened, "open");
    click(ctl::kExport);
    QDesktopServices::unsetUrlHandler("file");

    ASSERT_EQ(opened.urls.size(), 1);
    EXPECT_EQ(opened.urls[0].toLocalFile(), report);
    QFile written(report);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    for (const char* name : {"D21", "T1", "T5"})
        EXPECT_TRUE(bytes.contains(name)) << name;
    EXPECT_TRUE(bytes.contains("\r\n"));

    // Again: the dialog offers the last choice; the report exists, so 确认 asks, and 否
    // leaves the dialog open and the report as it was.
    QString question;
    bool stayedOpen = false;
    WhenModal("exportDialog", [&](QWidget* d) {
        EXPECT_EQ(d->findChild<QLineEdit*>("ctl1048")->text(), report) << "the last choice";
        WhenMessageBox([&question](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            question = box->text();
            box->button(QMessageBox::No)->click();
        });
        d->findChild<QAbstractButton*>("ctl1")->click();
        stayedOpen = d->isVisible();
        d->findChild<QAbstractButton*>("ctl2")->click();
    });
    written.close();
    QFile::remove(report);
    QFile(report).open(QIODevice::WriteOnly);
    click(ctl::kExport);
    EXPECT_EQ(question, "文件“闭合导线.txt”已存在。要替换它吗？");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(QFileInfo(report).size(), 0) << "否 replaces nothing";
}

#include "RunTest.moc"
