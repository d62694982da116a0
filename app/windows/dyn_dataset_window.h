#pragma once
#include <QDialog>

#include <functional>

class CDynDatasetDialog;
class QLineEdit;
class QListWidget;
class QToolButton;
class QTreeWidget;
class UserInterface;

// "Create dynamic dataset": the IED's data as a tree on the left, the dataset's
// members on the right, the name above. Every gesture goes to the model and the
// window is redrawn from it; OK stays open with the model's message.
class CDynDatasetWindow : public QDialog {
public:
    CDynDatasetWindow(CDynDatasetDialog& model, UserInterface& ui, QWidget* parent = nullptr);

    QLineEdit* NameField() const { return name_; }
    QLineEdit* FullNameField() const { return fullName_; }
    QTreeWidget* DataTree() const { return tree_; }
    QListWidget* ElementList() const { return list_; }
    QToolButton* AddButton() const { return add_; }
    QToolButton* MoveUpButton() const { return moveUp_; }
    QToolButton* MoveDownButton() const { return moveDown_; }
    QToolButton* DeleteButton() const { return delete_; }

    void accept() override;

private:
    void BuildDataTree();
    // A click on `button` runs `gesture` on the model, then the window is redrawn.
    void Follow(QToolButton* button, std::function<void()> gesture);
    void Redraw();

    CDynDatasetDialog& model_;
    UserInterface& ui_;
    QLineEdit* name_;
    QLineEdit* fullName_;
    QTreeWidget* tree_;
    QListWidget* list_;
    QToolButton* add_;
    QToolButton* moveUp_;
    QToolButton* moveDown_;
    QToolButton* delete_;
};
