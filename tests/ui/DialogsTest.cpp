// What the window opens over itself: message boxes, the open and save dialogs, the
// export options dialog, and the desktop's handler for the report.
#include "ModalHelper.h"

#include "ui/TraverseApp.h"
#include "ui/TraverseWindow.h"

#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "workspace/ResultExportDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace {
QAbstractButton* ButtonIn(QWidget* dialog, int id) {
    return dialog->findChild<QAbstractButton*>(QStringLiteral("ctl%1").arg(id));
}

QLineEdit* EditIn(QWidget* dialog, int id) {
    return dialog->findChild<QLineEdit*>(QStringLiteral("ctl%1").arg(id));
}

// Types a name into the file dialog's name field and accepts, as a user would.
void TypeAndAccept(QFileDialog* dialog, const QString& path) {
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(path);
    static_cast<QDialog*>(dialog)->accept();
}

void Touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}
} // namespace

class OpenCatcher : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { urls << url; }

public:
    QList<QUrl> urls;
};

TEST(Dialogs, MessageBoxShowsTheTextWithChineseButtons) {
    CTraverseWindow window;
    QString text, ok;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenMessageBox([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        text = box->text();
        icon = box->icon();
        ok = box->button(QMessageBox::Ok)->text();
        box->button(QMessageBox::Ok)->click();
    });
    window.ShowMessage(str::kImportFirst, "请先导入数据！");
    EXPECT_EQ(text, "请先导入数据！");
    EXPECT_EQ(ok, "确定");
    EXPECT_EQ(icon, QMessageBox::Warning);
}

TEST(Dialogs, QuestionAnswersYesOrNo) {
    CTraverseWindow window;
    for (bool yes : {true, false}) {
        WhenMessageBox([yes](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            EXPECT_EQ(box->button(QMessageBox::Yes)->text(), "是(&Y)");
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        EXPECT_EQ(window.AskYesNo(str::kUseTableData, "确认仍使用表内观测数据计算?"), yes);
    }
}

TEST(Dialogs, OpenFileWithFiltersAndCancel) {
    CTraverseWindow window;
    QTemporaryDir dir;
    const QString path = dir.filePath("观测 1.txt");
    Touch(path);

    WhenModal("openFileDialog", [&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        EXPECT_EQ(dialog->nameFilters(), QStringList({"(*.txt)", "(*.con)"}));
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        TypeAndAccept(dialog, path);
    });
    const auto chosen = window.ChooseOpenFile("(*.txt)|*.txt|(*.con)|*.con||");
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, QFile::encodeName(path).toStdString());

    WhenModal("openFileDialog", [](QWidget* w) { qobject_cast<QFileDialog*>(w)->reject(); });
    EXPECT_FALSE(window.ChooseOpenFile("(*.txt)|*.txt||").has_value());
}

// Qt's own dialogs speak Chinese whatever the locale, and start where the last one
// ended in this run (at first in the current folder).
TEST(Dialogs, FileDialogsInChineseStartInTheFolderLastUsed) {
    CTraverseApp app;
    ASSERT_TRUE(app.InitInstance());
    CTraverseWindow window;
    QTemporaryDir dir;
    Touch(dir.filePath("观测.txt"));
    QStringList startedIn;
    auto answer = [&startedIn](QString typed) {
        return [&startedIn, typed](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            startedIn << dialog->directory().absolutePath();
            EXPECT_EQ(dialog->labelText(QFileDialog::LookIn), "查找范围：");
            TypeAndAccept(dialog, typed);
        };
    };
    WhenModal("openFileDialog", answer(dir.filePath("观测.txt")));
    window.ChooseOpenFile("(*.txt)|*.txt||");
    WhenModal("saveFileDialog", answer("报告.txt"));
    window.ChooseSaveFile("txt", "output.txt", "(*.txt)|*.txt||");
    EXPECT_EQ(startedIn, QStringList({QDir::currentPath(), QDir(dir.path()).absolutePath()}));
}

// Qt's model wrote "403 bytes", "7 Dec 2…" and "Folder" in the system's locale (C on
// this machine), and clipped "纯文本文档" in a column sized for "mp3Folder".
TEST(Dialogs, FileDialogListsSizesDatesAndFoldersInChinese) {
    CTraverseWindow window;
    QTemporaryDir dir;
    QFile file(dir.filePath("观测.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(QByteArray(403, 'x')) &&
                file.flush());
    file.setFileTime(QDateTime(QDate(2026, 12, 7), QTime(23, 5)),
                     QFileDevice::FileModificationTime);
    ASSERT_TRUE(QDir(dir.path()).mkdir("子目录"));
    WhenModal("openFileDialog", [&dir](QWidget* w) {
        qobject_cast<QFileDialog*>(w)->setDirectory(dir.path());
        auto* view = w->findChild<QTreeView*>("treeView");
        auto cell = [view](const QString& name, int column) {
            const QModelIndexList found = view->model()->match(
                view->model()->index(0, 0, view->rootIndex()), Qt::DisplayRole, name);
            return found.isEmpty() ? QString() : found[0].siblingAtColumn(column).data().toString();
        };
        EXPECT_TRUE(QTest::qWaitFor([&] { return !cell("观测.txt", 3).isEmpty(); }, 10000));
        EXPECT_EQ(cell("观测.txt", 1), "403 字节");
        EXPECT_EQ(cell("观测.txt", 3), "2026/12/7 23:05");
        EXPECT_EQ(cell("子目录", 2), "文件夹");
        EXPECT_GE(view->header()->sectionSize(2),
                  view->fontMetrics().horizontalAdvance(cell("观测.txt", 2)));
        static_cast<QDialog*>(w)->reject();
    });
    window.ChooseOpenFile("(*.txt)|*.txt||");
}

TEST(Dialogs, SaveFileOffersOutputTxtAndNeverAsksToOverwrite) {
    CTraverseWindow window;
    QTemporaryDir dir;
    struct Case {
        QString typed;
        QString expected;
    };
    const Case cases[] = {
        {dir.filePath("报告"), dir.filePath("报告.txt")}, // the default extension is added
        {dir.filePath("existing.txt"), dir.filePath("existing.txt")},
    };
    Touch(dir.filePath("existing.txt"));
    for (const Case& c : cases) {
        WhenModal("saveFileDialog", [&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            EXPECT_EQ(dialog->nameFilters(), QStringList({"(*.txt)", "All Files (*.*)"}));
            EXPECT_EQ(dialog->defaultSuffix(), "txt");
            EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
            EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
            ASSERT_FALSE(dialog->selectedFiles().isEmpty());
            EXPECT_EQ(QFileInfo(dialog->selectedFiles().first()).fileName(), "output.txt");
            TypeAndAccept(dialog, c.typed);
        });
        const auto chosen =
            window.ChooseSaveFile("txt", "output.txt", "( *.txt)|*.txt|All Files(*.*)|*.*||");
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(*chosen, QFile::encodeName(c.expected).toStdString());
    }
}

TEST(Dialogs, ExportOptionsDialog) {
    struct Case {
        const char* name;
        std::function<void(QWidget*)> script;
        bool accepted;
        std::string path;
        int approx, adjCoords, sides, precision;
    };
    const std::string chosen = QDir::temp().filePath("选择的结果.txt").toStdString();
    const Case cases[] = {
        {"OK with nothing ticked says so and stays open",
         [](QWidget* d) {
             WhenMessageBox([](QWidget* box) {
                 EXPECT_EQ(qobject_cast<QMessageBox*>(box)->text(),
                           "未选择输出内容，没有导出文件！");
                 qobject_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
             });
             ButtonIn(d, ctl::kOk)->click();
             EXPECT_TRUE(d->isVisible());
             ButtonIn(d, ctl::kCancel)->click();
         },
         false, "", 0, 0, 0, 0},
        {"two ticks and a typed path",
         [](QWidget* d) {
             ButtonIn(d, ctl::kOptApproxCoords)->click();
             ButtonIn(d, ctl::kOptAdjSides)->click();
             EditIn(d, ctl::kOptPath)->setText("/tmp/手输 路径.txt");
             ButtonIn(d, ctl::kOk)->click();
         },
         true, "/tmp/手输 路径.txt", 1, 0, 1, 0},
        {"cancel",
         [](QWidget* d) {
             ButtonIn(d, ctl::kOptPrecision)->click();
             ButtonIn(d, ctl::kCancel)->click();
         },
         false, "", 0, 0, 0, 0},
        {"file name button keeps the ticks",
         [&chosen](QWidget* d) {
             ButtonIn(d, ctl::kOptAdjCoords)->click();
             ButtonIn(d, ctl::kOptPrecision)->click();
             WhenModal("saveFileDialog", [&chosen](QWidget* w) {
                 auto* save = qobject_cast<QFileDialog*>(w);
                 EXPECT_EQ(save->nameFilters(), QStringList({"文本文件 (*.txt)", "所有文件 (*)"}));
                 TypeAndAccept(save, QString::fromStdString(chosen));
             });
             ButtonIn(d, ctl::kOptFileName)->click();
             EXPECT_EQ(EditIn(d, ctl::kOptPath)->text().toStdString(), chosen);
             EXPECT_TRUE(ButtonIn(d, ctl::kOptAdjCoords)->isChecked());
             ButtonIn(d, ctl::kOk)->click();
         },
         true, chosen, 0, 1, 0, 1},
    };
    CTraverseWindow window;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WhenModal("exportDialog", [&](QWidget* d) {
            EXPECT_EQ(d->windowTitle(), "数据结果导出");
            EXPECT_EQ(ButtonIn(d, ctl::kOk)->text(), "确认");
            EXPECT_EQ(ButtonIn(d, ctl::kOptAdjCoords)->text(), "坐标平差值");
            EXPECT_FALSE(ButtonIn(d, ctl::kOptApproxCoords)->isChecked());
            EXPECT_TRUE(EditIn(d, ctl::kOptPath)->text().isEmpty());
            c.script(d);
        });
        CResultExportDlg dlg;
        EXPECT_EQ(window.RunExportDialog(dlg), c.accepted);
        if (c.accepted) {
            EXPECT_EQ(dlg.m_strPath, c.path);
            EXPECT_EQ(dlg.m_bApproxCoords, c.approx);
            EXPECT_EQ(dlg.m_bAdjCoords, c.adjCoords);
            EXPECT_EQ(dlg.m_bAdjSides, c.sides);
            EXPECT_EQ(dlg.m_bPrecision, c.precision);
        }
    }
}

TEST(Dialogs, OpenDocumentGoesToTheDesktopHandler) {
    CTraverseWindow window;
    OpenCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    const std::string path = "/tmp/带 空格/报告 $(echo x);.txt";
    window.OpenDocument(path);
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0].toLocalFile().toStdString(), path);
}

#include "DialogsTest.moc"

using namespace traverse;
