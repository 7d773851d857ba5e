// The window's buttons run the workspace's commands: what the commands show comes back
// through the window's own message boxes and dialogs.
#include "ModalHelper.h"

#include "ui/TraverseWindow.h"

#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace {
class UrlCatcher : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { urls << url; }

public:
    QList<QUrl> urls;
};

class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        window.Attach(ws);
        ws.OnInitDialog();
    }
    void Click(int id) { window.Controls().Button(id)->click(); }

    CTraverseWindow window;
    CTraverseAdjustDlg ws{&window};
};
} // namespace

TEST_F(Commands, NothingLoadedAnswersWithMessages) {
    struct Case {
        int button;
        QString message;
    };
    const Case cases[] = {
        {ctl::kAdjust, "请先导入数据！"},
        {ctl::kExport, "导线未进行平差，无数据！"},
    };
    for (const Case& c : cases) {
        QString shown;
        WhenMessageBox([&shown](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            shown = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        Click(c.button);
        EXPECT_EQ(shown, c.message) << c.button;
    }
}

TEST_F(Commands, ExportWritesTheReportAndOpensIt) {
    ObservationRecord r{};
    SetName(r.szStation, "D21");
    ws.m_arrObservations.Add(r);
    ws.m_adjusted.emplace();
    ws.m_adjusted->observations.push_back(r);
    ws.m_adjusted->reduction.points.push_back(PlanePoint{3381252.418, 501734.206});
    ws.m_nState = kAdjusted;

    QTemporaryDir dir;
    const QString path = dir.filePath("结果 1.txt");
    WhenModal("exportDialog", [&path](QWidget* d) {
        EXPECT_TRUE(d->findChild<QAbstractButton*>("ctl1044")->isChecked()) << "all four at first";
        d->findChild<QLineEdit*>("ctl1048")->setText(path);
        d->findChild<QAbstractButton*>("ctl1")->click();
    });
    QString saved;
    WhenMessageBox([&saved](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        saved = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    Click(ctl::kExport);
    QDesktopServices::unsetUrlHandler("file");

    EXPECT_EQ(saved, "报告已保存：" + path);
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0].toLocalFile(), path);
    QFile report(path);
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QByteArray bytes = report.readAll();
    EXPECT_TRUE(bytes.contains("3381252.418")) << bytes.toStdString();
}

// "导入已知点…" asks for a known-point file and says, in an information box, what it filled.
TEST_F(Commands, ImportKnownPointsFillsTheBoxes) {
    ws.ImportFile(TA_EXAMPLES_DIR "/closed.txt");
    QTemporaryDir dir;
    QFile file(dir.filePath("控制点.dat"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("D22,,501484.203,3381685.431\r\nD21,,501734.206,3381252.418\r\n");
    file.close();
    WhenModal("openFileDialog", [&file](QWidget* w) {
        w->findChild<QLineEdit*>("fileNameEdit")->setText(file.fileName());
        static_cast<QDialog*>(w)->accept();
    });
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenMessageBox([&icon](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        icon = box->icon();
        EXPECT_EQ(box->text(), "已从“控制点.dat”填入已知点的坐标：D21、D22。");
        box->button(QMessageBox::Ok)->click();
    });
    Click(ctl::kImportKnown);
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_EQ(window.GetControlText(ctl::kInitY2), "501484.203");
}

#include "CommandsTest.moc"
