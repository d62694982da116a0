#pragma once
#include <QDialog>

class QPlainTextEdit;

// Edits the text of a text item: a multi-line field with OK and Cancel, titled with
// the item's label.
class CPropertyGridTextDialog : public QDialog {
    Q_OBJECT
public:
    CPropertyGridTextDialog(QWidget* parent, const QString& title, const QString& text);

    QString Text() const;
    QPlainTextEdit* Field() const { return field_; }

private:
    QPlainTextEdit* field_;
};
