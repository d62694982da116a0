#pragma once
#include <QDialog>

class CNumberSpinEdit;
class CVerHistDialog;
class QLineEdit;
class QPlainTextEdit;
class UserInterface;

// "Version history": the entry written on save. OK hands the fields to the model and
// stays open, with the model's message, while the model refuses them.
class CVersionHistoryWindow : public QDialog {
public:
    CVersionHistoryWindow(CVerHistDialog& model, UserInterface& ui, QWidget* parent = nullptr);

    CNumberSpinEdit* VersionField() const { return version_; }
    CNumberSpinEdit* RevisionField() const { return revision_; }
    QLineEdit* UserNameField() const { return userName_; }
    QPlainTextEdit* DescriptionField() const { return description_; }
    QPlainTextEdit* ReasonField() const { return reason_; }

    void accept() override;

private:
    CVerHistDialog& model_;
    UserInterface& ui_;
    CNumberSpinEdit* version_;
    CNumberSpinEdit* revision_;
    QLineEdit* userName_;
    QPlainTextEdit* description_;
    QPlainTextEdit* reason_;
};
