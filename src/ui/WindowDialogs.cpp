// What the main window opens over itself: message boxes, the open and save dialogs, the
// export options dialog, the results window and the desktop's handler for a report. All in the
// window's Song face; the file dialogs are Qt's own, so they speak Chinese on every desktop.
#include "ui/TraverseWindow.h"

#include "ui/FileFilter.h"
#include "ui/ResultsWindow.h"

#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "workspace/DialogTemplate.h"
#include "workspace/ResultExportDlg.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QUrl>

using namespace traverse;

namespace {
QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

std::string ToPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Qt sizes a message box for its text; the window manager's frame also needs room for
// the title beside its buttons, or a short message shows the title as "导…".
void MakeRoomForTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) return;
    const QFontMetrics metrics(box.font());
    const int width = 2 * metrics.horizontalAdvance(box.windowTitle()) + 8 * metrics.height();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

int RunMessageBox(QMessageBox& box, const QFont& font) {
    box.setFont(font);
    MakeRoomForTitle(box);
    return box.exec();
}

void PrepareFileDialog(QFileDialog& dialog, const QFont& font, const QString& folder,
                       const std::string& filter) {
    dialog.setFont(font);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(ToNameFilters(filter));
    dialog.setDirectory(folder);
    dialog.setHistory({}); // nothing of an earlier run
}

void OnClick(QAbstractButton* button, QObject* context, std::function<void()> handler) {
    if (button != nullptr) QObject::connect(button, &QAbstractButton::clicked, context, handler);
}
} // namespace

void CTraverseWindow::ShowMessage(int stringId, const std::string& text) {
    const QMessageBox::Icon icon =
        stringId == str::kAdjustDone ? QMessageBox::Information : QMessageBox::Warning;
    QMessageBox box(icon, windowTitle(), FromUtf8(text), QMessageBox::Ok, DialogParent());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    RunMessageBox(box, font());
}

bool CTraverseWindow::AskYesNo(int, const std::string& text) {
    QMessageBox box(QMessageBox::Question, windowTitle(), FromUtf8(text),
                    QMessageBox::Yes | QMessageBox::No, DialogParent());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    box.setDefaultButton(QMessageBox::Yes);
    return RunMessageBox(box, font()) == QMessageBox::Yes;
}

QString CTraverseWindow::StartFolder() const {
    return m_lastFolder.isEmpty() ? QDir::currentPath() : m_lastFolder;
}

void CTraverseWindow::RememberFolder(const QString& chosenFile) {
    m_lastFolder = QFileInfo(chosenFile).absolutePath();
}

std::optional<std::string> CTraverseWindow::ChooseOpenFile(const std::string& filter) {
    QFileDialog dialog(DialogParent(), QStringLiteral("打开"));
    dialog.setObjectName(QStringLiteral("openFileDialog"));
    PrepareFileDialog(dialog, font(), StartFolder(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    RememberFolder(dialog.selectedFiles().constFirst());
    return ToPath(dialog.selectedFiles().constFirst());
}

std::optional<std::string> CTraverseWindow::ChooseSaveFile(const std::string& defaultExt,
                                                           const std::string& initialName,
                                                           const std::string& filter) {
    QFileDialog dialog(DialogParent(), QStringLiteral("另存为"));
    dialog.setObjectName(QStringLiteral("saveFileDialog"));
    PrepareFileDialog(dialog, font(), StartFolder(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(FromUtf8(defaultExt));
    // An initial name with a folder opens the dialog there.
    const QFileInfo initial(QFile::decodeName(QByteArray::fromStdString(initialName)));
    if (initialName.find('/') != std::string::npos) dialog.setDirectory(initial.absolutePath());
    dialog.selectFile(initial.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    RememberFolder(dialog.selectedFiles().constFirst());
    return ToPath(dialog.selectedFiles().constFirst());
}

bool CTraverseWindow::RunExportDialog(CResultExportDlg& dlg) {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("exportDialog"));
    CDialogControls controls(dialog, ExportDialogTemplate());
    dlg.DoDataExchange(controls, false);
    OnClick(controls.Button(ctl::kOptFileName), &dialog, [&] { dlg.OnFileName(controls, *this); });
    OnClick(controls.Button(ctl::kOk), &dialog, [&] {
        if (dlg.OnOK(controls, *this)) dialog.accept();
    });
    OnClick(controls.Button(ctl::kCancel), &dialog, [&] { dialog.reject(); });
    return dialog.exec() == QDialog::Accepted;
}

void CTraverseWindow::RunResultsWindow(CTraverseAdjustDlg& ws) {
    CResultsWindow window(ws, this);
    window.exec();
}

void CTraverseWindow::OpenDocument(const std::string& path) {
    // The desktop's handler for the file, started directly: no shell, no command line.
    const QUrl url = QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!QDesktopServices::openUrl(url))
        ShowMessage(str::kCannotOpenDocument, FormatString(str::kCannotOpenDocument, {path}));
}
