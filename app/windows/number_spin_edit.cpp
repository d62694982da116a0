#include "app/windows/number_spin_edit.h"

#include "document/version_history_dialog.h"

#include <QLineEdit>

#include <algorithm>

CNumberSpinEdit::CNumberSpinEdit(int minimum, int maximum, QWidget* parent)
    : QAbstractSpinBox(parent), minimum_(minimum), maximum_(maximum)
{
    setAlignment(Qt::AlignRight);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
}

QString CNumberSpinEdit::Text() const
{
    return lineEdit()->text();
}

void CNumberSpinEdit::SetText(const QString& text)
{
    lineEdit()->setText(text);
}

void CNumberSpinEdit::stepBy(int steps)
{
    long long value = 0;
    if (!ParseDialogInteger(Text().toStdString(), value)) value = minimum_ - steps;
    value = std::clamp<long long>(value + steps, minimum_, maximum_);
    SetText(QString::number(value));
}

QValidator::State CNumberSpinEdit::validate(QString&, int&) const
{
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled CNumberSpinEdit::stepEnabled() const
{
    long long value = 0;
    if (!ParseDialogInteger(Text().toStdString(), value)) return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (value < maximum_) enabled |= StepUpEnabled;
    if (value > minimum_) enabled |= StepDownEnabled;
    return enabled;
}
