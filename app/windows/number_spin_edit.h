#pragma once
#include <QAbstractSpinBox>

// A right-aligned number field with up and down arrows over a range. Unlike QSpinBox it
// keeps whatever is typed, so that the dialog's own checks judge the text on OK.
class CNumberSpinEdit : public QAbstractSpinBox {
public:
    CNumberSpinEdit(int minimum, int maximum, QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& position) const override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int minimum_;
    int maximum_;
};
