#include "app/windows/go_selection_window.h"

#include "project_tree/go_selection_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CGoSelectionWindow::CGoSelectionWindow(CGoSelectionDialog& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setWindowTitle(QString::fromStdString(model.Prompt().empty() ? CGoSelectionDialog::DefaultTitle()
                                                                 : model.Prompt()));
    list_ = new QListWidget;
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (const std::string& choice : model.Choices()) list_->addItem(QString::fromStdString(choice));
    if (model.SelectedIndex() >= 0 && model.SelectedIndex() < list_->count())
        list_->setCurrentRow(model.SelectedIndex());
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* ok = new QPushButton(tr("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(tr("Cancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch();
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(380, 240);
}

void CGoSelectionWindow::accept()
{
    QList<QListWidgetItem*> selected = list_->selectedItems();
    model_.SetSelectedIndex(selected.isEmpty() ? -1 : list_->row(selected.first()));
    QDialog::accept();
}
