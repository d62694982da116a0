#pragma once
#include <QDialog>

class LogDialogModel;
class QListWidget;
class QPushButton;
class QToolButton;
class UserInterface;

// The window of a log: its lines in a list, wrapped to its width (each whole line as
// its tooltip; a double click hands the line to the model), two small buttons that save the log to a file
// and copy it to the clipboard, and Yes/No (go on or stop) or OK. It can grow but not
// shrink below its first size.
class CLogWindow : public QDialog {
public:
    enum class Closing { YesNo, Ok };

    CLogWindow(const LogDialogModel& model, Closing closing, UserInterface& ui, QWidget* parent = nullptr);

    QListWidget* List() const { return list_; }
    QToolButton* SaveButton() const { return save_; }
    QToolButton* CopyButton() const { return copy_; }
    // Yes or OK.
    QPushButton* AcceptButton() const { return accept_; }
    // No; null for a window closed with OK.
    QPushButton* RejectButton() const { return reject_; }

private:
    QListWidget* list_;
    QToolButton* save_;
    QToolButton* copy_;
    QPushButton* accept_;
    QPushButton* reject_ = nullptr;
};
