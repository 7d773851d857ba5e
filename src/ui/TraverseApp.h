// The module's application object: for the duration of one call of the entry it
// provides the QApplication the window needs, the host's own when it has one, and
// Qt's own texts (file dialogs, standard buttons) in Chinese whatever the locale.
#pragma once

#include <QLocale>

#include <memory>
#include <string>

class QApplication;
class QTranslator;

class CTraverseApp {
public:
    CTraverseApp();
    ~CTraverseApp(); // releases what InitInstance created
    CTraverseApp(const CTraverseApp&) = delete;
    CTraverseApp& operator=(const CTraverseApp&) = delete;

    // False when no window can be shown; the reason is then written to standard error.
    bool InitInstance();
    void ExitInstance();

private:
    void InstallQtChinese();

    std::unique_ptr<QApplication> m_ownApplication;
    std::unique_ptr<QTranslator> m_qtChinese;
    QLocale m_hostLocale; // Qt's default locale before, given back at the end
};

// Whether the Qt platform that would be chosen can reach its display. Qt ends the
// process when its platform cannot start, so this is asked before one is created.
bool DisplayAvailable();
