#include "ui/TraverseWindow.h"

#include "ui/FileFilter.h"

#include "export/ResultExportDlg.h"
#include "resources/DialogTemplate.h"
#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>

#include <dlfcn.h>

#include <functional>

namespace {
QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

std::string ToPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

void OnClick(QAbstractButton* button, QObject* context, std::function<void()> handler) {
    if (button != nullptr) QObject::connect(button, &QAbstractButton::clicked, context, handler);
}
} // namespace

CTraverseWindow::CTraverseWindow()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_controls(*this, MainDialogTemplate()) {
    setObjectName(QStringLiteral("traverseWindow"));
    auto* table = qobject_cast<QTableWidget*>(m_controls.Widget(ctl::kGrid));
    auto* picture = qobject_cast<QLabel*>(m_controls.Widget(ctl::kDiagram));
    Q_ASSERT(table != nullptr && picture != nullptr);
    m_grid = std::make_unique<CQtGridCtrl>(*table);
    m_diagram = std::make_unique<CQtImgEdit>(*picture);
}

CTraverseWindow::~CTraverseWindow() = default;

void CTraverseWindow::Attach(CTraverseAdjustDlg& ws) {
    OnClick(m_controls.Button(ctl::kImport), this, [&ws] { ws.OnImport(); });
    OnClick(m_controls.Button(ctl::kAdjust), this, [&ws] { ws.OnAdjust(); });
    OnClick(m_controls.Button(ctl::kExport), this, [&ws] { ws.ExportResults(); });
    OnClick(m_controls.Button(ctl::kRadioNonOriented), this, [&ws] { ws.OnTypeNonOriented(); });
    OnClick(m_controls.Button(ctl::kRadioSingle), this, [&ws] { ws.OnTypeSingleConnection(); });
    OnClick(m_controls.Button(ctl::kRadioClosed), this, [&ws] { ws.OnTypeClosed(); });
    OnClick(m_controls.Button(ctl::kRadioDouble), this, [&ws] { ws.OnTypeDoubleConnection(); });
    OnClick(m_controls.Button(ctl::kExit), this, [this] {
        m_exiting = true;
        reject();
    });
}

void CTraverseWindow::reject() {
    if (!m_exiting) return;
    m_exiting = false;
    QDialog::reject();
}

QWidget* CTraverseWindow::DialogParent() {
    QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr ? modal : this;
}

void CTraverseWindow::ShowMessage(int stringId, const std::string& text) {
    const QMessageBox::Icon icon =
        stringId == str::kAdjustDone ? QMessageBox::Information : QMessageBox::Warning;
    QMessageBox box(icon, windowTitle(), FromUtf8(text), QMessageBox::Ok, DialogParent());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

bool CTraverseWindow::AskYesNo(int, const std::string& text) {
    QMessageBox box(QMessageBox::Question, windowTitle(), FromUtf8(text),
                    QMessageBox::Yes | QMessageBox::No, DialogParent());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> CTraverseWindow::ChooseOpenFile(const std::string& filter) {
    QFileDialog dialog(DialogParent(), QStringLiteral("打开"));
    dialog.setObjectName(QStringLiteral("openFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(ToNameFilters(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToPath(dialog.selectedFiles().constFirst());
}

std::optional<std::string> CTraverseWindow::ChooseSaveFile(const std::string& defaultExt,
                                                           const std::string& initialName,
                                                           const std::string& filter) {
    QFileDialog dialog(DialogParent(), QStringLiteral("另存为"));
    dialog.setObjectName(QStringLiteral("saveFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(ToNameFilters(filter));
    dialog.setDefaultSuffix(FromUtf8(defaultExt));
    dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(initialName)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToPath(dialog.selectedFiles().constFirst());
}

void CTraverseWindow::Invalidate() { update(); }

bool CTraverseWindow::RunExportDialog(CResultExportDlg& dlg) {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("exportDialog"));
    CDialogControls controls(dialog, ExportDialogTemplate());
    dlg.DoDataExchange(controls, false);
    OnClick(controls.Button(ctl::kOptFileName), &dialog, [&] { dlg.OnFileName(controls, *this); });
    OnClick(controls.Button(ctl::kOk), &dialog, [&] {
        dlg.DoDataExchange(controls, true);
        dialog.accept();
    });
    OnClick(controls.Button(ctl::kCancel), &dialog, [&] { dialog.reject(); });
    return dialog.exec() == QDialog::Accepted;
}

void CTraverseWindow::OpenDocument(const std::string& path) {
    // The desktop's handler for the file, started directly: no shell, no command line.
    const QUrl url = QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!QDesktopServices::openUrl(url))
        ShowMessage(str::kCannotOpenDocument, FormatString(str::kCannotOpenDocument, {path}));
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
    return ToPath(QCoreApplication::applicationDirPath()) + '/';
}

int RunTraverseWindow() {
    CTraverseWindow window;
    CTraverseAdjustDlg workspace(&window);
    window.Attach(workspace);
    workspace.OnInitDialog();
    const int result = window.exec();
    return result == QDialog::Accepted ? 1 : CTraverseWindow::kCancelResult;
}
