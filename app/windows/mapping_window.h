#pragma once
#include "goose/mapping_dialog.h"

#include <QDialog>
#include <QKeySequence>

#include <array>
#include <functional>

class MappingTreeView;
class QAction;
class QComboBox;
class QLabel;
class UserInterface;

// "Connecting GOOSE signals": the outputs and the inputs of the project above, the
// mapping below. Every drop, every selection and the actions of the trees' context
// menus go to the model; the trees are shown again from it after each change. Insert
// on an input connects it to the selected output; Delete in the Mapping tree removes
// the selected mapping.
class CMappingWindow : public QDialog {
public:
    CMappingWindow(CMappingDialog& model, UserInterface& ui, QWidget* parent = nullptr);

    MappingTreeView* TreeView(MappingTree tree) const { return views_[static_cast<size_t>(tree)]; }
    QComboBox* BitIndexList() const { return bitIndex_; }
    // "Connect to the selected output" of the Inputs or the Mapping tree.
    QAction* ConnectAction(MappingTree tree) const { return connect_[static_cast<size_t>(tree)]; }
    QAction* RemoveAction() const { return remove_; }

private:
    MappingTreeView* AddTree(MappingTree tree);
    void Drop(MappingTree tree, MappingNode* dragged, MappingNode* under);
    void ConnectSelected(MappingTree tree);
    QAction* AddTreeAction(MappingTree tree, const QString& text, QKeySequence key);
    void EnableActions();
    // Runs `gesture`, which may reshape any tree, between the resets of the three.
    void Change(const std::function<void()>& gesture);
    void ShowBitIndex();

    CMappingDialog& model_;
    UserInterface& ui_;
    std::array<MappingTreeView*, 3> views_{};
    std::array<QAction*, 3> connect_{};
    QAction* remove_ = nullptr;
    QLabel* bitIndexLabel_;
    QComboBox* bitIndex_;
};
