#include "app/windows/version_history_window.h"

#include "app/windows/number_spin_edit.h"
#include "document/version_history_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

QPlainTextEdit* MultiLineField(const std::string& text)
{
    auto* field = new QPlainTextEdit(QString::fromStdString(text));
    field->setTabChangesFocus(true);
    field->setFixedHeight(field->fontMetrics().lineSpacing() * 4 + 12);
    return field;
}

QLabel* Label(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

CVersionHistoryWindow::CVersionHistoryWindow(CVerHistDialog& model, UserInterface& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui)
{
    setWindowTitle(tr("Version history"));
    version_ = new CNumberSpinEdit(CVerHistDialog::kMinVersion, CVerHistDialog::kMaxVersion);
    version_->SetText(QString::fromStdString(model.versionText));
    revision_ = new CNumberSpinEdit(CVerHistDialog::kMinRevision, CVerHistDialog::kMaxRevision);
    revision_->SetText(QString::fromStdString(model.revisionText));
    userName_ = new QLineEdit(QString::fromStdString(model.userName));
    description_ = MultiLineField(model.changeDescription);
    reason_ = MultiLineField(model.changeReason);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label(tr("&Version"), version_), 0, 0);
    layout->addWidget(version_, 0, 1);
    layout->addWidget(Label(tr("&Revision"), revision_), 0, 2);
    layout->addWidget(revision_, 0, 3);
    layout->addWidget(Label(tr("&User name"), userName_), 1, 0);
    layout->addWidget(userName_, 1, 1, 1, 3);
    layout->addWidget(Label(tr("Change &description"), description_), 2, 0, Qt::AlignTop);
    layout->addWidget(description_, 2, 1, 1, 3);
    layout->addWidget(Label(tr("Change r&eason"), reason_), 3, 0, Qt::AlignTop);
    layout->addWidget(reason_, 3, 1, 1, 3);
    layout->addWidget(buttons, 4, 0, 1, 4);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(3, 1);
    setMinimumWidth(440);
}

void CVersionHistoryWindow::accept()
{
    model_.versionText = version_->Text().toStdString();
    model_.revisionText = revision_->Text().toStdString();
    model_.userName = userName_->text().toStdString();
    model_.changeDescription = description_->toPlainText().toStdString();
    model_.changeReason = reason_->toPlainText().toStdString();
    std::string refusal = model_.Accept();
    if (!refusal.empty()) {
        ui_.ShowMessage("Varnholt", refusal, MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    QDialog::accept();
}
