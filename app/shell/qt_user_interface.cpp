#include "app/shell/qt_user_interface.h"

#include "app/shell/file_filter.h"
#include "app/windows/dialog_windows.h"
#include "document/log_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QProgressBar>
#include <QStatusBar>

#include <algorithm>

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// The box is as narrow as its text; a detail such as a path with its reason would
// wrap after every word, so the box grows to the detail's width up to a limit.
void ShowDetail(QMessageBox& box, const QString& detail)
{
    constexpr int kWidestDetail = 560;
    constexpr int kSpacing = 40;  // between the icon and the text, and the margins
    box.setInformativeText(detail);
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    int width = std::min(box.fontMetrics().horizontalAdvance(detail) + box.iconPixmap().width() + kSpacing,
                         kWidestDetail);
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

MessageAnswer QtUserInterface::ShowMessage(const std::string& title, const std::string& text, MessageIcon icon,
                                           MessageButtons buttons)
{
    return ShowMessageWithDetail(title, text, {}, icon, buttons);
}

MessageAnswer QtUserInterface::ShowMessageWithDetail(const std::string& title, const std::string& text,
                                                     const std::string& detail, MessageIcon icon,
                                                     MessageButtons buttons)
{
    QMessageBox box(BoxIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                    BoxButtons(buttons), parent_);
    if (!detail.empty()) ShowDetail(box, QString::fromStdString(detail));
    if (buttons == MessageButtons::YesNoCancel) box.setEscapeButton(QMessageBox::Cancel);
    else if (buttons == MessageButtons::YesNo) box.setEscapeButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Ok: return MessageAnswer::Ok;
    default: return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
}

std::optional<std::string> QtUserInterface::AskOpenFileName(const FileDialogRequest& request)
{
    return AskFileName(request, false);
}

std::optional<std::string> QtUserInterface::AskSaveFileName(const FileDialogRequest& request)
{
    return AskFileName(request, true);
}

std::optional<std::string> QtUserInterface::AskFileName(const FileDialogRequest& request, bool forSaving)
{
    QFileDialog dialog(parent_, QString::fromStdString(request.title));
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(QtNameFilters(request.filter));
    dialog.setDefaultSuffix(QtDefaultSuffix(request.defaultExtension));
    if (!request.initialName.empty()) dialog.selectFile(QFile::decodeName(request.initialName.c_str()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}

bool QtUserInterface::RunDialog(DialogModel& dialog)
{
    if (auto* log = dynamic_cast<LogDialogModel*>(&dialog); log && logLineHandler_)
        log->SetLineHandler(logLineHandler_);
    return RunDialogWindow(dialog, *this, parent_);
}

bool QtUserInterface::SetClipboardText(const std::string& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    clipboard->setText(QString::fromStdString(text));
    return true;
}

void QtUserInterface::SetBusy(bool busy)
{
    if (busy) {
        if (busyDepth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
        QApplication::restoreOverrideCursor();
        SetStatus(QObject::tr("Ready"), -1);
    }
}

void QtUserInterface::ShowProgress(const std::string& step, int percent)
{
    SetStatus(QString::fromStdString(step), percent);
    // Paints the window (and whatever a closed dialog left on it) before the step
    // blocks the window thread; input waits until the operation is over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtUserInterface::SetStatus(const QString& text, int percent)
{
    auto* window = qobject_cast<QMainWindow*>(parent_.data());
    if (!window) return;
    if (auto* label = window->statusBar()->findChild<QLabel*>(QString::fromUtf8(StatusTextName())))
        label->setText(text);
    if (auto* bar = window->statusBar()->findChild<QProgressBar*>(QString::fromUtf8(ProgressBarName()))) {
        bar->setVisible(percent >= 0);
        if (percent >= 0) bar->setValue(percent);
    }
}
