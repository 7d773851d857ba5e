// Drives one run of the window for the README's pictures: choose the type, type the
// known points, import the observation file, adjust, photograph the window, then open
// "平差成果" and photograph each of its tabs, with ImageMagick's "import" (falling back to
// Qt's own grab), and end.
//
//   window_screenshot FOLDER FILE TYPE X1,Y1 [X2,Y2 [GX1,GY1 [GX2,GY2]]]
//
// writes FOLDER/window.png, FOLDER/results-closure.png, results-coordinates.png,
// results-plot.png, results-sheet.png, results-tests.png, export-dialog.png and replace-question.png (an export onto a
// report that exists). TYPE is 0 non-oriented, 1 single connection, 2 closed, 3 double connection;
// the points fill the groups the type shows, in order. Run it under a display with a window manager
// (scripts/screenshot.sh).
//
//   window_screenshot FOLDER --network KNOWN FILE...
//
// writes FOLDER/window-network.png: the network of the files with the known points of
// KNOWN, adjusted, the row of its first known point chosen in the table.
#include "ui/ResultsWindow.h"
#include "ui/TraverseApp.h"
#include "ui/TraverseWindow.h"

#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QProcess>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <map>
#include <vector>

namespace {
void Photograph(QWidget& window, const QString& output);

// Answers what the run opens: the file dialog gets the file, a message box its OK. The
// first file dialog is photographed first into FOLDER/open-dialog.png, a second after
// it shows (its folder listed).
void AnswerDialogs(const QString& file, const QString& folder) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [file, folder] {
        static int dialogTicks = 0;
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            if (++dialogTicks < 5) return;
            if (dialogTicks == 5) return Photograph(*dialog, folder + "/open-dialog.png");
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(file);
            static_cast<QDialog*>(dialog)->accept();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal);
                   box != nullptr && box->buttons().size() == 1) {
            std::printf("message: %s\n", box->text().toUtf8().constData());
            std::fflush(stdout);
            box->buttons().constFirst()->click();
        } // a question waits for its step
    });
    timer->start(200);
}

// The window with the frame the window manager gave it.
void Photograph(QWidget& window, const QString& output) {
    const QRect frame = window.frameGeometry();
    const QString crop =
        QString("%1x%2+%3+%4").arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y());
    if (QProcess::execute("import", {"-window", "root", "-crop", crop, "+repage", output}) != 0)
        window.grab().save(output);
    std::printf("wrote %s\n", output.toUtf8().constData());
}

CResultsWindow* Results() {
    return dynamic_cast<CResultsWindow*>(QApplication::activeModalWidget());
}

// Each tab of the results window shown and photographed, then the window closed.
void AddResultsSteps(std::vector<std::function<void()>>& steps, const QString& folder) {
    static const char* const kFiles[] = {"results-closure.png", "results-coordinates.png",
                                         "results-plot.png", "results-sheet.png",
                                         "results-tests.png"};
    for (int tab = 0; tab < static_cast<int>(std::size(kFiles)); ++tab) {
        steps.push_back([tab] { Results()->Tabs()->setCurrentIndex(tab); });
        steps.push_back([tab, folder] { Photograph(*Results(), folder + "/" + kFiles[tab]); });
    }
    steps.push_back([] { Results()->reject(); });
}

// The export onto a report that exists: the question photographed, answered 否, and the
// dialog cancelled.
void AddReplaceSteps(std::vector<std::function<void()>>& steps, CTraverseWindow& window,
                     const QString& folder) {
    static const QString existing = QDir::temp().filePath("closed-平差报告.txt");
    steps.push_back([&window] {
        QFile(existing).open(QIODevice::WriteOnly);
        QTimer::singleShot(0, &window,
                           [&window] { window.Controls().Button(ctl::kExport)->click(); });
    });
    steps.push_back([folder] {
        QWidget* dialog = QApplication::activeModalWidget();
        dialog->findChild<QLineEdit*>("ctl1048")->setText(existing);
        Photograph(*dialog, folder + "/export-dialog.png");
        QAbstractButton* ok = dialog->findChild<QAbstractButton*>("ctl1");
        QTimer::singleShot(0, ok, [ok] { ok->click(); });
    });
    steps.push_back([folder] {
        Photograph(*QApplication::activeModalWidget(), folder + "/replace-question.png");
    });
    steps.push_back([] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        box->button(QMessageBox::No)->click();
    });
    steps.push_back([] {
        QApplication::activeModalWidget()->findChild<QAbstractButton*>("ctl2")->click();
        QFile::remove(existing);
    });
}
} // namespace

// The network's run: its type, its files and known points, a row chosen, the adjustment,
// the window photographed; then the run ends as the traverse's does.
std::vector<std::function<void()>> NetworkSteps(CTraverseWindow& window, CTraverseAdjustDlg& ws,
                                                const QStringList& args, const QString& folder) {
    std::vector<std::string> files;
    for (int i = 4; i < args.size(); ++i)
        files.push_back(QFile::encodeName(args[i]).toStdString());
    const std::string known = QFile::encodeName(args[3]).toStdString();
    return {
        [&window] { window.Controls().Button(ctl::kRadioNetwork)->click(); },
        [&ws, files] { ws.ImportNetworkFiles(files); },
        [&window, &ws, known] {
            QTimer::singleShot(0, &window, [&ws, known] { ws.ImportKnownPoints(known); });
        },
        [&ws] {
            for (size_t i = 0; i < ws.m_networkKnown.size(); ++i)
                if (ws.m_networkKnown[i].Known()) return ws.OnKnownPointRowChosen(int(i) + 1);
        },
        [&window] {
            QTimer::singleShot(0, &window, [&window] { window.Controls().Button(ctl::kAdjust)->click(); });
        },
        [&window, folder] { Photograph(window, folder + "/window-network.png"); },
    };
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    CTraverseApp traverseApp; // Qt's Chinese, as the program has it
    if (!traverseApp.InitInstance()) return 1;
    const QStringList args = app.arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: window_screenshot FOLDER FILE TYPE X1,Y1[,H1] [X2,Y2[,H2] ...]\n");
        return 2;
    }
    const QString folder = args[1], file = args[2];
    const bool network = file == "--network";
    const int type = network ? 4 : args[3].toInt();
    const int radios[] = {ctl::kRadioNonOriented, ctl::kRadioSingle, ctl::kRadioClosed,
                          ctl::kRadioDouble};
    // The X and Y edits of the shown groups, in group order, for each type.
    const std::vector<std::pair<int, int>> groups[] = {
        {{ctl::kInitX1, ctl::kInitY1}, {ctl::kGoalX1, ctl::kGoalY1}},
        {{ctl::kInitX1, ctl::kInitY1}, {ctl::kInitX2, ctl::kInitY2}, {ctl::kGoalX1, ctl::kGoalY1}},
        {{ctl::kInitX1, ctl::kInitY1}, {ctl::kInitX2, ctl::kInitY2}},
        {{ctl::kInitX1, ctl::kInitY1},
         {ctl::kInitX2, ctl::kInitY2},
         {ctl::kGoalX1, ctl::kGoalY1},
         {ctl::kGoalX2, ctl::kGoalY2}},
    };
    if (type < 0 || type > 4) return 2;

    CTraverseWindow window;
    CTraverseAdjustDlg ws(&window);
    window.Attach(ws);
    ws.OnInitDialog();
    window.move(0, 0);
    AnswerDialogs(file, folder);

    std::vector<std::function<void()>> steps;
    if (network) steps = NetworkSteps(window, ws, args, folder);
    else steps = {
        [&] { window.Controls().Button(radios[type])->click(); },
        [&] {
            for (size_t i = 0; i < groups[type].size() && 4 + i < size_t(args.size()); ++i) {
                const QStringList xy = args[int(4 + i)].split(',');
                if (xy.size() != 2 && xy.size() != 3) continue;
                window.SetControlText(groups[type][i].first, xy[0].toStdString());
                window.SetControlText(groups[type][i].second, xy[1].toStdString());
                // X,Y,H: the height in the group's Z box (its id follows Y's in the pairs).
                const std::map<int, int> zOf = {{ctl::kInitX1, ctl::kInitZ1},
                                                {ctl::kInitX2, ctl::kInitZ2},
                                                {ctl::kGoalX1, ctl::kGoalZ1},
                                                {ctl::kGoalX2, ctl::kGoalZ2}};
                if (xy.size() == 3)
                    window.SetControlText(zOf.at(groups[type][i].first), xy[2].toStdString());
            }
        },
        [&] { window.Controls().Button(ctl::kImport)->click(); },
        [&] { window.Controls().Button(ctl::kAdjust)->click(); },
        [&] { Photograph(window, folder + "/window.png"); },
        [&] {
            // The stepper's timer does not fire inside its own handler: the results window
            // runs its modal loop after the handler has returned.
            QTimer::singleShot(0, &window,
                               [&] { window.Controls().Button(ctl::kResults)->click(); });
        },
    };
    if (!network) {
        AddResultsSteps(steps, folder);
        AddReplaceSteps(steps, window, folder);
    }
    // 退出 asks first when the adjustment was saved nowhere; 是 ends the run.
    steps.push_back([&] {
        QTimer::singleShot(0, &window, [&] { window.Controls().Button(ctl::kExit)->click(); });
    });
    steps.push_back([] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Yes)->click();
    });

    size_t next = 0;
    QTimer stepper;
    QObject::connect(&stepper, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool waiting = modal == nullptr || qobject_cast<QFileDialog*>(modal) != nullptr ||
                             (qobject_cast<QMessageBox*>(modal) != nullptr &&
                              qobject_cast<QMessageBox*>(modal)->buttons().size() == 1);
        if (waiting || next >= steps.size()) return;
        steps[next++]();
    });
    stepper.start(500);
    window.exec();
    return 0;
}
