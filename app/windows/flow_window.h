#pragma once
#include "goose/message_flows.h"

#include <QDialog>
#include <QGraphicsView>

#include <map>
#include <string>
#include <vector>

class CVarnholtView;
class QComboBox;
class QGraphicsScene;
class UserInterface;

// View > Message Flows: the flows between the IEDs as Graphviz lays them out, drawn in a
// view that zooms with the wheel, pans by dragging and fits on demand; filtered by
// service and by IED. A click on an arrow selects its control block in the project tree,
// a click on a box the IED. Export Picture saves the drawing as SVG or PNG.
class CFlowWindow : public QDialog {
public:
    CFlowWindow(CVarnholtView& view, UserInterface& ui, QWidget* parent = nullptr);

    QGraphicsView* Canvas() const { return canvas_; }
    QComboBox* ServiceFilter() const { return service_; }
    QComboBox* IEDFilter() const { return ied_; }
    // The flows drawn now.
    const std::vector<MessageFlow>& Shown() const { return shown_; }
    // Saves the drawing of the flows shown to `path` (.svg or .png); tells the person why not.
    bool ExportPicture(const std::string& path);
    // Selects in the project tree what the item at a point of the scene stands for.
    void ActivateAt(const QPointF& scenePoint);

private:
    void Redraw();

    CVarnholtView& view_;
    UserInterface& ui_;
    FlowMap map_;
    std::vector<MessageFlow> shown_;
    QGraphicsView* canvas_;
    QGraphicsScene* scene_;
    QComboBox* service_;
    QComboBox* ied_;
};

// Saves the picture of the flows to `path` (.svg or .png); tells the person why not.
bool ExportFlowPicture(const std::vector<MessageFlow>& flows, const std::map<std::string, std::string>& descriptions,
                       const std::string& path, UserInterface& ui);
// File > Export Picture: asks for the file, then saves the picture of every flow.
void OnExportFlowPicture(const CVarnholtView& view, UserInterface& ui);
