#include "app/windows/log_window.h"

#include "app/panes/elided_text_delegate.h"
#include "app/shell/shell_pictures.h"
#include "document/log_dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* IconButton(ShellPicture picture, const char* tooltip)
{
    auto* button = new QToolButton;
    button->setIcon(ShellIcon(picture));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(QString::fromUtf8(tooltip));
    button->setAutoRaise(false);
    return button;
}

}  // namespace

CLogWindow::CLogWindow(const LogDialogModel& model, Closing closing, UserInterface& ui, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QString::fromStdString(model.WindowTitle()));
    setSizeGripEnabled(true);

    // A long message is wrapped to the width of the list, which follows the window's.
    list_ = new QListWidget;
    list_->setWordWrap(true);
    list_->setTextElideMode(Qt::ElideNone);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setResizeMode(QListView::Adjust);
    list_->setLayoutMode(QListView::Batched);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (size_t row = 0; row < model.Lines().size(); ++row) {
        auto* item = new QListWidgetItem(QString::fromStdString(model.ShownLine(row)), list_);
        item->setToolTip(PlainToolTip(QString::fromStdString(model.Lines()[row])));
    }
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this, &model](QListWidgetItem* item) { model.ActivateLine(static_cast<size_t>(list_->row(item))); });

    save_ = IconButton(ShellPicture::SaveLog, LogDialogModel::SaveTooltip());
    copy_ = IconButton(ShellPicture::CopyLog, LogDialogModel::CopyTooltip());
    connect(save_, &QToolButton::clicked, this, [&model, &ui] { model.SaveLogToFile(ui); });
    connect(copy_, &QToolButton::clicked, this, [&model, &ui] { model.CopyLogToClipboard(ui); });
    auto* tools = new QVBoxLayout;
    tools->addWidget(save_);
    tools->addWidget(copy_);
    tools->addStretch();

    auto* buttons = new QHBoxLayout;
    accept_ = new QPushButton(closing == Closing::YesNo ? tr("Yes") : tr("OK"));
    accept_->setDefault(true);
    connect(accept_, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(accept_);
    buttons->addStretch();
    if (closing == Closing::YesNo) {
        reject_ = new QPushButton(tr("No"));
        connect(reject_, &QPushButton::clicked, this, &QDialog::reject);
        buttons->addWidget(reject_);
    }

    auto* layout = new QGridLayout(this);
    int row = 0;
    if (closing == Closing::YesNo) {
        auto* prompt = new QLabel(QString::fromUtf8(CXMLLogDialog::Prompt()));
        prompt->setWordWrap(true);
        layout->addWidget(prompt, row++, 0, 1, 2);
    }
    layout->addWidget(list_, row, 0);
    layout->addLayout(tools, row, 1);
    layout->setRowStretch(row++, 1);
    layout->addLayout(buttons, row, 0, 1, 2);

    resize(600, 360);
    setMinimumSize(size());
}
