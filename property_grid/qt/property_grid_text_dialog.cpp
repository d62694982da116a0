#include "property_grid/qt/property_grid_text_dialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CPropertyGridTextDialog::CPropertyGridTextDialog(QWidget* parent, const QString& title, const QString& text)
    : QDialog(parent), field_(new QPlainTextEdit(text, this))
{
    setWindowTitle(title);
    field_->setTabChangesFocus(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(field_);
    layout->addWidget(buttons);
    resize(360, 200);
}

QString CPropertyGridTextDialog::Text() const { return field_->toPlainText(); }
