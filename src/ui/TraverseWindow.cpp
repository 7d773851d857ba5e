#include "ui/TraverseWindow.h"

#include "ui/CaptionBar.h"

#include "workspace/ControlIds.h"
#include "workspace/DialogTemplate.h"
#include "workspace/TraverseAdjustDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTableWidget>
#include <QTimer>

#include <dlfcn.h>

#include <cstdlib>
#include <functional>

namespace {
constexpr int kBorder = 1; // pixels of the window's own frame

// No frame from the window manager: the window draws its caption and border itself.
constexpr Qt::WindowFlags kFrameFlags = Qt::Window | Qt::FramelessWindowHint;

QMargins FrameMargins(const DialogTemplate& t) {
    const int caption = CCaptionBar::HeightFor(DialogFont(t));
    return QMargins(kBorder, kBorder + caption, kBorder, kBorder);
}

void OnClick(QAbstractButton* button, QObject* context, std::function<void()> handler) {
    if (button != nullptr) QObject::connect(button, &QAbstractButton::clicked, context, handler);
}

// The closure boxes show results: they can be selected and copied, not typed over, and
// Tab passes them by.
void MakeOutput(QWidget* widget) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::ClickFocus);
    }
}
} // namespace

CTraverseWindow::CTraverseWindow()
    : QDialog(nullptr, kFrameFlags),
      m_controls(*this, MainDialogTemplate(), FrameMargins(MainDialogTemplate())) {
    setObjectName(QStringLiteral("traverseWindow"));
    auto* table = qobject_cast<QTableWidget*>(m_controls.Widget(ctl::kGrid));
    auto* picture = qobject_cast<QLabel*>(m_controls.Widget(ctl::kDiagram));
    Q_ASSERT(table != nullptr && picture != nullptr);
    m_grid = std::make_unique<CQtGridCtrl>(*table);
    auto* known = qobject_cast<QTableWidget*>(m_controls.Widget(ctl::kKnownGrid));
    Q_ASSERT(known != nullptr);
    m_knownGrid = std::make_unique<CQtGridCtrl>(*known);
    m_diagram = std::make_unique<CQtImgEdit>(*picture);
    for (int id : {ctl::kWx, ctl::kWy, ctl::kWz, ctl::kAzimuthClosure})
        MakeOutput(m_controls.Widget(id));

    const QMargins frame = FrameMargins(MainDialogTemplate());
    m_caption = new CCaptionBar(*this);
    m_caption->setGeometry(kBorder, kBorder, width() - 2 * kBorder, frame.top() - kBorder);
}

CTraverseWindow::~CTraverseWindow() = default;

void CTraverseWindow::Attach(CTraverseAdjustDlg& ws) {
    OnClick(m_controls.Button(ctl::kImport), this, [&ws] { ws.OnImport(); });
    OnClick(m_controls.Button(ctl::kImportKnown), this, [&ws] { ws.OnImportKnownPoints(); });
    OnClick(m_controls.Button(ctl::kAdjust), this, [&ws] { ws.OnAdjust(); });
    OnClick(m_controls.Button(ctl::kExport), this, [&ws] { ws.ExportResults(); });
    OnClick(m_controls.Button(ctl::kResults), this, [&ws] { ws.OnShowResults(); });
    OnClick(m_controls.Button(ctl::kRadioNonOriented), this, [&ws] { ws.OnTypeNonOriented(); });
    OnClick(m_controls.Button(ctl::kRadioSingle), this, [&ws] { ws.OnTypeSingleConnection(); });
    OnClick(m_controls.Button(ctl::kRadioClosed), this, [&ws] { ws.OnTypeClosed(); });
    OnClick(m_controls.Button(ctl::kRadioDouble), this, [&ws] { ws.OnTypeDoubleConnection(); });
    OnClick(m_controls.Button(ctl::kRadioNetwork), this, [&ws] { ws.OnTypeNetwork(); });
    OnClick(m_controls.Button(ctl::kNetSet), this, [&ws] { ws.OnSetKnownPoint(); });
    OnClick(m_controls.Button(ctl::kNetRemove), this, [&ws] { ws.OnRemoveKnownPoint(); });
    // The table's first row is the grid's second: the header row is the table's own.
    connect(&m_knownGrid->Table(), &QTableWidget::cellClicked, this,
            [&ws](int row, int) { ws.OnKnownPointRowChosen(row + 1); });
    OnClick(m_controls.Button(ctl::kExit), this, [this, &ws] {
        if (!ws.OnExit()) return;
        m_exiting = true;
        reject();
    });
}

void CTraverseWindow::reject() {
    if (!m_exiting) return;
    m_exiting = false;
    QDialog::reject();
}

void CTraverseWindow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CTraverseWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && qobject_cast<QLineEdit*>(focusWidget()) != nullptr) {
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CTraverseWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && m_caption != nullptr) m_caption->update();
    QDialog::changeEvent(event);
}

QWidget* CTraverseWindow::DialogParent() {
    QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr ? modal : this;
}

void CTraverseWindow::Invalidate() { update(); }

void CTraverseWindow::SetCaption(const std::string& text) {
    setWindowTitle(QString::fromStdString(text));
    if (m_caption != nullptr) m_caption->update();
}

// The folder of the module drawing this window when the host loaded it by its full path
// (installed, that is lib/traverse-adjust/ and not the program's bin/); else the folder
// of the running program, which holds the window when it is linked in.
std::string CTraverseWindow::ModuleDirectory() const {
    static const char anchor = 0;
    Dl_info info{};
    if (dladdr(&anchor, &info) != 0 && info.dli_fname != nullptr && info.dli_fname[0] == '/') {
        const std::string path = info.dli_fname;
        return path.substr(0, path.rfind('/') + 1);
    }
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString() + '/';
}

std::optional<std::string> TakeStartupFile() {
    const char* file = std::getenv(kStartupFileVariable);
    if (file == nullptr || *file == '\0') return std::nullopt;
    std::string path = file;
    unsetenv(kStartupFileVariable); // once, and not for the programs the window starts
    return path;
}

int RunTraverseWindow() {
    CTraverseWindow window;
    CTraverseAdjustDlg workspace(&window);
    window.Attach(workspace);
    workspace.OnInitDialog();
    // A file the program was started with is imported as soon as the window shows, so
    // that its messages come over the window.
    if (const auto file = TakeStartupFile())
        QTimer::singleShot(0, &window, [&workspace, path = *file] { workspace.ImportFile(path); });
    const int result = window.exec();
    return result == QDialog::Accepted ? 1 : CTraverseWindow::kCancelResult;
}
