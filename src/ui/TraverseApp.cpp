#include "ui/TraverseApp.h"

#include "resources/StringTable.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <string_view>

using namespace traverse;

namespace {
std::string_view Env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

// Connects to the X server the way the xcb platform will; libxcb is loaded only for
// the question. Without libxcb the platform cannot start either.
bool XServerReachable() {
    if (Env("DISPLAY").empty()) return false;
    void* xcb = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
    if (xcb == nullptr) return false;
    using Connect = void* (*)(const char*, int*);
    using HasError = int (*)(void*);
    using Disconnect = void (*)(void*);
    auto connect = reinterpret_cast<Connect>(dlsym(xcb, "xcb_connect"));
    auto hasError = reinterpret_cast<HasError>(dlsym(xcb, "xcb_connection_has_error"));
    auto disconnect = reinterpret_cast<Disconnect>(dlsym(xcb, "xcb_disconnect"));
    bool reachable = false;
    if (connect != nullptr && hasError != nullptr && disconnect != nullptr) {
        void* connection = connect(nullptr, nullptr);
        reachable = connection != nullptr && hasError(connection) == 0;
        if (connection != nullptr) disconnect(connection);
    }
    dlclose(xcb);
    return reachable;
}

bool WaylandAvailable() { return !Env("WAYLAND_DISPLAY").empty(); }

void ReportToStderr(int stringId) {
    std::fputs("traverse-adjust: ", stderr);
    std::fputs(std::string(LoadString(stringId)).c_str(), stderr);
    std::fputc('\n', stderr);
}

// Arguments of the application object the module creates; they outlive it.
int g_argc = 1;
char g_programName[] = "traverse-adjust";
char* g_argv[] = {g_programName, nullptr};
} // namespace

bool DisplayAvailable() {
    std::string_view platforms = Env("QT_QPA_PLATFORM");
    if (platforms.empty()) return XServerReachable() || WaylandAvailable();
    // A list "a;b" is tried in order by Qt: one usable entry is enough.
    while (!platforms.empty()) {
        const size_t end = platforms.find(';');
        std::string_view entry = platforms.substr(0, end);
        platforms = end == std::string_view::npos ? std::string_view() : platforms.substr(end + 1);
        const std::string_view name = entry.substr(0, entry.find(':'));
        if (name == "xcb") {
            if (XServerReachable()) return true;
        } else if (name.substr(0, 7) == "wayland") {
            if (WaylandAvailable()) return true;
        } else if (!name.empty()) {
            return true; // offscreen, vnc, linuxfb, eglfs...: no display server to reach
        }
    }
    return false;
}

CTraverseApp::CTraverseApp() = default;

CTraverseApp::~CTraverseApp() { ExitInstance(); }

bool CTraverseApp::InitInstance() {
    if (QCoreApplication* existing = QCoreApplication::instance()) {
        if (qobject_cast<QApplication*>(existing) == nullptr) {
            ReportToStderr(str::kNoWidgetApp);
            return false;
        }
    } else if (!DisplayAvailable()) {
        ReportToStderr(str::kNoDisplay);
        return false;
    } else {
        m_ownApplication = std::make_unique<QApplication>(g_argc, g_argv);
    }
    InstallQtChinese();
    return true;
}

// Qt's texts and what it describes by its default locale (file types in the file
// dialogs). Numbers never go through Qt's locale. Without Qt's translations installed
// Qt's texts stay English.
void CTraverseApp::InstallQtChinese() {
    m_hostLocale = QLocale();
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto translator = std::make_unique<QTranslator>();
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder)) return;
    QCoreApplication::installTranslator(translator.get());
    m_qtChinese = std::move(translator);
}

void CTraverseApp::ExitInstance() {
    if (m_qtChinese != nullptr) QCoreApplication::removeTranslator(m_qtChinese.get());
    m_qtChinese.reset();
    QLocale::setDefault(m_hostLocale);
    m_ownApplication.reset();
}
