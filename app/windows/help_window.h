#pragma once
#include <QDialog>

class QTextBrowser;
class QToolButton;

// Help Topics: the user guide that comes with the program, with back, forward and the
// contents page; links between its pages are followed inside the window.
class CHelpWindow : public QDialog {
public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};
