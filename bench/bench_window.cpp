// The window on a long traverse: what a surveyor does, action by action, on the real
// window run offscreen (QT_QPA_PLATFORM=offscreen), over a generated double-connection
// traverse (TraverseFile.h): import, adjust, export the report, open 平差成果, show
// each tab and save each file from it (CSV, DAT, PNG, SVG, sheet CSV, HTML, PDF), close.
// Each action is timed from its click until the window has painted what it shows; the
// file and question dialogs are answered at once (a file in a temporary folder, 是), so
// their own time is not counted.
//
//     QT_QPA_PLATFORM=offscreen bench_window [STATIONS [RUNS [FOLDER]]]   (2,000, 3 runs)
//
// prints each action's median and slowest wall time over the runs, in milliseconds. With
// FOLDER the saved files stay there, with a picture of the main window and of each tab
// (window.png, tab-N.png, taken outside the timing): two builds' folders compare byte for
// byte.
#include "TraverseFile.h"

#include "ui/ResultsWindow.h"
#include "ui/TraverseApp.h"
#include "ui/TraverseWindow.h"

#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "workspace/ResultExportDlg.h"
#include "workspace/TraverseAdjustDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

// Each action's times, in the order the actions were first taken.
struct Times {
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> ms;
    void Add(const std::string& action, double t) {
        if (!ms.count(action)) order.push_back(action);
        ms[action].push_back(t);
    }
};

double Milliseconds(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// Until what the window posted to itself (layouts, painting) is done.
void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

// The action, then the painting it causes, timed.
void Time(Times& times, const std::string& action, const std::function<void()>& act) {
    const auto start = Clock::now();
    act();
    Settle();
    times.Add(action, Milliseconds(start));
}

// The window with its dialogs answered at once: the files in folder, every question 是,
// the export of every section, and 平差成果 shown (not modal) for the given steps.
class CAnsweredWindow : public CTraverseWindow {
public:
    CAnsweredWindow(std::string file, QString folder) : m_file(std::move(file)), m_folder(folder) {}

    std::function<void(CResultsWindow&)> onResults;
    Clock::time_point closing; // when 平差成果 was closed

    void ShowMessage(int stringId, const std::string& text) override {
        if (!IsNotice(stringId)) std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    bool AskYesNo(int, const std::string&) override { return true; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return m_file; }
    std::optional<std::string> ChooseSaveFile(const std::string&, const std::string& initialName,
                                              const std::string&) override {
        return Path(QFileInfo(QString::fromStdString(initialName)).fileName());
    }
    bool RunExportDialog(CResultExportDlg& dlg) override {
        dlg.m_strPath = Path(QStringLiteral("报告.txt"));
        for (int* section : {&dlg.m_bHeader, &dlg.m_bApproxCoords, &dlg.m_bAdjCoords,
                             &dlg.m_bAdjSides, &dlg.m_bPrecision, &dlg.m_bClosures,
                             &dlg.m_bHeights, &dlg.m_bTests})
            *section = 1;
        return true;
    }
    void RunResultsWindow(CTraverseAdjustDlg& ws) override {
        CResultsWindow window(ws, this);
        window.show();
        Settle();
        onResults(window);
        closing = Clock::now();
        window.close();
    }
    bool OpenDocument(const std::string&) override { return true; }

private:
    std::string Path(const QString& name) const {
        return QFile::encodeName(m_folder + '/' + name).toStdString();
    }
    std::string m_file;
    QString m_folder;
};

void Click(CResultsWindow& window, const char* button) {
    window.findChild<QAbstractButton*>(QLatin1String(button))->click();
}

// The window as drawn, into the folder when pictures are kept.
void Picture(QWidget& window, const QString& folder, const QString& name) {
    if (!folder.isEmpty()) window.grab().save(folder + '/' + name);
}

// The steps on 平差成果: each tab shown, then what it saves; the reports last.
void ResultsSteps(Times& times, CResultsWindow& w, Clock::time_point clicked,
                  const QString& pictures) {
    times.Add("open 平差成果", Milliseconds(clicked));
    const char* const tabs[] = {"tab 闭合差与限差", "tab 坐标成果", "tab 导线图", "tab 导线计算表",
                                "tab 粗差检验"};
    const std::multimap<int, std::pair<const char*, const char*>> saves = {
        {1, {"save CSV", "saveCsv"}},       {1, {"save DAT", "saveDat"}},
        {2, {"save PNG", "savePng"}},       {2, {"save SVG", "saveSvg"}},
        {3, {"save sheet CSV", "saveSheetCsv"}}};
    for (int tab : {1, 2, 3, 4, 0}) {
        Time(times, tabs[tab], [&] { w.Tabs()->setCurrentIndex(tab); });
        Picture(w, pictures, QStringLiteral("tab-%1.png").arg(tab));
        for (auto [it, end] = saves.equal_range(tab); it != end; ++it)
            Time(times, it->second.first, [&] { Click(w, it->second.second); });
    }
    Time(times, "save HTML", [&] { Click(w, "saveHtml"); });
    Time(times, "save PDF", [&] { Click(w, "savePdf"); });
}

// One run on a new window and workspace.
void Run(Times& times, const bench::BenchTraverse& t, const std::string& file,
         const QString& folder, const QString& pictures) {
    CAnsweredWindow window(file, folder);
    CTraverseAdjustDlg ws(&window);
    window.Attach(ws);
    ws.OnInitDialog();
    window.show();
    Settle();
    const auto& k = t.known;
    const std::pair<int, int> boxes[] = {{ctl::kInitX1, ctl::kInitY1},
                                         {ctl::kInitX2, ctl::kInitY2},
                                         {ctl::kGoalX1, ctl::kGoalY1},
                                         {ctl::kGoalX2, ctl::kGoalY2}};
    const std::optional<PlanePoint> points[] = {k.start1, k.start2, k.end1, k.end2};
    window.Controls().Button(ctl::kRadioDouble)->click();
    Time(times, "import", [&] { window.Controls().Button(ctl::kImport)->click(); });
    for (size_t i = 0; i < std::size(boxes); ++i) {
        window.SetControlText(boxes[i].first, bench::Fixed(points[i]->dX, 4));
        window.SetControlText(boxes[i].second, bench::Fixed(points[i]->dY, 4));
    }
    Time(times, "adjust", [&] { window.Controls().Button(ctl::kAdjust)->click(); });
    if (!ws.m_adjusted) {
        std::fputs("not adjusted\n", stderr);
        std::exit(1);
    }
    Time(times, "export report", [&] { window.Controls().Button(ctl::kExport)->click(); });
    const Clock::time_point clicked = Clock::now();
    Picture(window, pictures, QStringLiteral("window.png"));
    window.onResults = [&](CResultsWindow& w) { ResultsSteps(times, w, clicked, pictures); };
    window.Controls().Button(ctl::kResults)->click();
    Settle();
    times.Add("close 平差成果", Milliseconds(window.closing));
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    CTraverseApp traverseApp; // Qt's Chinese, as the program has it
    if (!traverseApp.InitInstance()) return 1;
    const int stations = argc > 1 ? std::atoi(argv[1]) : 2000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    QTemporaryDir temporary;
    const QString folder = argc > 3 ? QString::fromLocal8Bit(argv[3]) : temporary.path();
    const bench::BenchTraverse t = bench::LoadTraverse(kDoubleConnection, stations);
    const QString file = folder + QStringLiteral("/long.txt");
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return 1;
    out.write(QByteArray::fromStdString(bench::FileText(t)));
    out.close();

    Times times;
    for (int run = 0; run < runs; ++run)
        Run(times, t, QFile::encodeName(file).toStdString(), folder, argc > 3 ? folder : QString());
    std::printf("%d stations, %d runs\n  median  slowest (ms)\n", stations, runs);
    for (const std::string& action : times.order) {
        const std::vector<double>& ms = times.ms[action];
        std::printf("%8.1f %8.1f  %s\n", Median(ms), *std::max_element(ms.begin(), ms.end()),
                    action.c_str());
    }
    return 0;
}
