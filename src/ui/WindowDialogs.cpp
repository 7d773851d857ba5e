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
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSpacerItem>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTreeView>
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

// Qt's file system model writes sizes and dates in the system's locale, whatever the
// application's ("403 bytes", "7 Dec 2026" under LANG=C), and names a folder "Folder":
// the dialog lists them in Chinese instead ("403 字节", "4.9 kB", "2026/12/7 23:05").
class CChineseFileDetails : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || files == nullptr || index.column() == 0)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        const QLocale chinese(QLocale::Chinese, QLocale::China);
        const bool folder = files->isDir(file);
        switch (index.column()) {
        case 1:
            return folder ? QString()
                          : chinese.formattedDataSize(files->size(file), 1,
                                                      QLocale::DataSizeTraditionalFormat);
        case 2:
            return folder ? QStringLiteral("文件夹") : QIdentityProxyModel::data(index, role);
        case 3:
            return chinese.toString(files->lastModified(file), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }
};

// The detail columns as wide as what they hold: Qt sizes them for English samples
// ("mp3Folder"), which clips "纯文本文档".
void FitDetailColumns(QFileDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (view == nullptr) return;
    for (int column = 1; column < 4; ++column)
        view->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

void PrepareFileDialog(QFileDialog& dialog, const QFont& font, const QString& folder,
                       const std::string& filter) {
    dialog.setFont(font);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new CChineseFileDetails(&dialog));
    FitDetailColumns(dialog);
    dialog.setNameFilters(ToNameFilters(filter));
    dialog.setDirectory(folder);
    dialog.setHistory({}); // nothing of an earlier run
}

void OnClick(QAbstractButton* button, QObject* context, std::function<void()> handler) {
    if (button != nullptr) QObject::connect(button, &QAbstractButton::clicked, context, handler);
}

// A path box without the focus shows its path elided in the middle, so that the file's
// name stays in sight however deep its folder; with the focus it is an ordinary edit.
// The whole path is its tool tip.
class CMiddleElision : public QObject {
public:
    explicit CMiddleElision(QLineEdit& edit) : QObject(&edit) {
        edit.installEventFilter(this);
        edit.setToolTip(edit.text());
        QObject::connect(&edit, &QLineEdit::textChanged, &edit, &QWidget::setToolTip);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (edit == nullptr || event->type() != QEvent::Paint || edit->hasFocus()) return false;
        QStyleOptionFrame panel;
        panel.initFrom(edit);
        panel.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, edit);
        panel.midLineWidth = 0;
        panel.state |= QStyle::State_Sunken;
        QPainter painter(edit);
        edit->style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, edit);
        const QRect text = edit->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &panel, edit)
                               .marginsRemoved(edit->textMargins())
                               .adjusted(2, 0, -2, 0); // QLineEdit's own side margin
        painter.setPen(edit->palette().color(
            edit->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
        painter.drawText(
            text, Qt::AlignLeft | Qt::AlignVCenter,
            edit->fontMetrics().elidedText(edit->text(), Qt::ElideMiddle, text.width()));
        return true;
    }
};
} // namespace

void CTraverseWindow::ShowMessage(int stringId, const std::string& text) {
    const QMessageBox::Icon icon =
        IsNotice(stringId) ? QMessageBox::Information : QMessageBox::Warning;
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

std::vector<std::string> CTraverseWindow::ChooseOpenFiles(const std::string& filter) {
    QFileDialog dialog(DialogParent(), QStringLiteral("打开"));
    dialog.setObjectName(QStringLiteral("openFileDialog"));
    PrepareFileDialog(dialog, font(), StartFolder(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    std::vector<std::string> paths;
    if (dialog.exec() != QDialog::Accepted) return paths;
    for (const QString& file : dialog.selectedFiles())
        paths.push_back(ToPath(file));
    if (!paths.empty()) RememberFolder(dialog.selectedFiles().constFirst());
    return paths;
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
    if (auto* path = qobject_cast<QLineEdit*>(controls.Widget(ctl::kOptPath)))
        new CMiddleElision(*path);
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

bool CTraverseWindow::OpenDocument(const std::string& path) {
    // The desktop's handler for the file, started directly: no shell, no command line.
    const QUrl url = QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path)));
    return QDesktopServices::openUrl(url);
}
