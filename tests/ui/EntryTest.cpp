// The module's entry, as a host calls it: with no application object of its own, with
// one, and where no window can be shown. Each test runs in its own process.
#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

extern "C" int Kavrel();

namespace {
struct Seen {
    bool window = false;
    bool nonOrientedChecked = false;
    QString firstEdit;
    QString firstStation; // the grid's first cell
    bool openAfterEscapeAndClose = false;
    int windows = 0;
};
Seen g_seen;

QWidget* MainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "traverseWindow" && w->isVisible()) return w;
    return nullptr;
}

// Whenever an application object comes up, watch for the window, try the ways out
// that must not work, then press "退出".
void WatchForTheWindow() {
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, timer, [timer] {
        QWidget* w = MainWindow();
        if (w == nullptr) return;
        timer->stop();
        timer->deleteLater();
        ++g_seen.windows;
        g_seen.window = true;
        g_seen.nonOrientedChecked = w->findChild<QRadioButton*>("ctl1022")->isChecked();
        g_seen.firstEdit = w->findChild<QLineEdit*>("ctl1012")->text();
        const QTableWidgetItem* cell = w->findChild<QTableWidget*>()->item(0, 0);
        g_seen.firstStation = cell != nullptr ? cell->text() : QString();
        QTest::keyClick(w, Qt::Key_Escape);
        w->close();
        g_seen.openAfterEscapeAndClose = w->isVisible();
        w->findChild<QAbstractButton*>("ctl2")->click();
    });
    timer->start(10);
}
Q_COREAPP_STARTUP_FUNCTION(WatchForTheWindow)

void Unset(const char* name) { unsetenv(name); }

class Entry : public ::testing::Test {
protected:
    void SetUp() override { g_seen = {}; }
};
} // namespace

TEST_F(Entry, ReturnsTwoAfterExitAndReleasesItsApplication) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    EXPECT_EQ(Kavrel(), 2);
    EXPECT_TRUE(g_seen.window);
    EXPECT_TRUE(g_seen.nonOrientedChecked);
    EXPECT_EQ(g_seen.firstEdit, "") << "known points start untyped";
    EXPECT_TRUE(g_seen.openAfterEscapeAndClose);
    EXPECT_EQ(QCoreApplication::instance(), nullptr) << "the module's application is released";

    EXPECT_EQ(Kavrel(), 2) << "a second call starts afresh";
    EXPECT_EQ(g_seen.windows, 2);
}

// "traverse-adjust-gui FILE" hands the file over: the window opens with it imported, and
// the hand-over is taken once.
TEST_F(Entry, ImportsTheFileItWasStartedWith) {
    setenv("TRAVERSE_ADJUST_OPEN", TA_EXAMPLES_DIR "/closed.txt", 1);
    EXPECT_EQ(Kavrel(), 2);
    EXPECT_EQ(g_seen.firstStation, "D21");
    EXPECT_EQ(std::getenv("TRAVERSE_ADJUST_OPEN"), nullptr);
}

TEST_F(Entry, UsesTheHostsApplication) {
    int argc = 1;
    char name[] = "host";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    EXPECT_EQ(Kavrel(), 2);
    EXPECT_TRUE(g_seen.window);
    EXPECT_EQ(QCoreApplication::instance(), &app) << "the host's application stays";
}

TEST_F(Entry, HostWithoutWidgetsGetsMinusOne) {
    int argc = 1;
    char name[] = "host";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Kavrel(), -1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("无法创建窗口"), std::string::npos);
}

TEST_F(Entry, NoDisplayGivesMinusOneAndAMessage) {
    struct Case {
        const char* platform; // nullptr: unset
        const char* display;
        const char* wayland;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr},   {"xcb", nullptr, nullptr},
        {"xcb", ":93", nullptr}, // a display nobody serves
        {"wayland", nullptr, nullptr}, {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.platform ? c.platform : "(unset)") + " " +
                     (c.display ? c.display : "(unset)"));
        auto put = [](const char* name, const char* value) {
            if (value == nullptr)
                Unset(name);
            else
                setenv(name, value, 1);
        };
        put("QT_QPA_PLATFORM", c.platform);
        put("DISPLAY", c.display);
        put("WAYLAND_DISPLAY", c.wayland);
        testing::internal::CaptureStderr();
        EXPECT_EQ(Kavrel(), -1);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find("无法创建窗口"), std::string::npos) << err;
        EXPECT_EQ(QCoreApplication::instance(), nullptr);
    }
    EXPECT_FALSE(g_seen.window);
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
