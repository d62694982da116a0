#pragma once
#include <QDialog>

class CCompareDialog;
class QTreeWidget;

// The differences of a comparison as a tree of their paths: an added element green with
// "+", a removed one red with "-", a changed value below its element, orange with "~".
// A double click on a difference selects its element in the project tree. OK and Cancel
// when the window asks whether to go on (Update IED), else Close.
class CCompareWindow : public QDialog {
public:
    CCompareWindow(const CCompareDialog& model, QWidget* parent = nullptr);

    QTreeWidget* Tree() const { return tree_; }

private:
    QTreeWidget* tree_;
};
