#pragma once
#include "goose/mapping_dialog.h"

#include <QDialog>

#include <array>
#include <functional>

class MappingTreeView;
class QComboBox;
class QLabel;
class UserInterface;

// "Connecting GOOSE signals": the outputs and the inputs of the project above, the
// mapping below. Every drop, the Delete key and every selection go to the model; the
// trees are shown again from it after each change.
class CMappingWindow : public QDialog {
public:
    CMappingWindow(CMappingDialog& model, UserInterface& ui, QWidget* parent = nullptr);

    MappingTreeView* TreeView(MappingTree tree) const { return views_[static_cast<size_t>(tree)]; }
    QComboBox* BitIndexList() const { return bitIndex_; }

private:
    MappingTreeView* AddTree(MappingTree tree);
    void Drop(MappingTree tree, MappingNode* dragged, MappingNode* under);
    // Runs `gesture`, which may reshape any tree, between the resets of the three.
    void Change(const std::function<void()>& gesture);
    void ShowBitIndex();

    CMappingDialog& model_;
    UserInterface& ui_;
    std::array<MappingTreeView*, 3> views_{};
    QLabel* bitIndexLabel_;
    QComboBox* bitIndex_;
};
