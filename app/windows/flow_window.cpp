#include "app/windows/flow_window.h"

#include "document/atomic_save.h"
#include "document/user_interface.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "goose/flow_diagram.h"
#include "project_tree/scl_lookups.h"
#include "project_tree/varnholt_view.h"

#include <QComboBox>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <map>
#include <set>

namespace {

// The desc of every IED, by name.
std::map<std::string, std::string> IEDDescriptions(const CVarnholtView& view)
{
    std::map<std::string, std::string> descriptions;
    for (const xmlNode* element : ElementChildren(view.Document().Root()))
        if (IsElementNamed(element, "IED")) descriptions[GetAttribute(element, "name")] = GetAttribute(element, "desc");
    return descriptions;
}

constexpr int kFlowRole = 0;  // item data: the index of the flow shown, or -1
constexpr int kIEDRole = 1;   // item data: the IED of a box

// Zooms with the wheel, pans by dragging, and hands a click to the window.
class FlowCanvas : public QGraphicsView {
public:
    FlowCanvas(QGraphicsScene* scene, CFlowWindow* window) : QGraphicsView(scene), window_(window)
    {
        setDragMode(QGraphicsView::ScrollHandDrag);
        setRenderHint(QPainter::Antialiasing);
        setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    }

protected:
    void wheelEvent(QWheelEvent* event) override
    {
        const double factor = event->angleDelta().y() > 0 ? 1.2 : 1 / 1.2;
        scale(factor, factor);
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        pressed_ = event->position().toPoint();
        QGraphicsView::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QGraphicsView::mouseReleaseEvent(event);
        if ((event->position().toPoint() - pressed_).manhattanLength() < 4)
            window_->ActivateAt(mapToScene(event->position().toPoint()));
    }

private:
    CFlowWindow* window_;
    QPoint pressed_;
};

}  // namespace

CFlowWindow::CFlowWindow(CVarnholtView& view, UserInterface& ui, QWidget* parent)
    : QDialog(parent), view_(view), ui_(ui), map_(ReadMessageFlows(view.Document().Root()))
{
    setWindowTitle(tr("Message Flows"));
    setSizeGripEnabled(true);
    scene_ = new QGraphicsScene(this);
    canvas_ = new FlowCanvas(scene_, this);

    service_ = new QComboBox;
    service_->addItems({tr("All services"), "GOOSE", "SV", "Report"});
    ied_ = new QComboBox;
    ied_->addItem(tr("All IEDs"));
    std::set<std::string> ieds;
    for (const MessageFlow& flow : map_.flows) ieds.insert({flow.publisher, flow.subscriber});
    for (const std::string& name : ieds) ied_->addItem(QString::fromStdString(name));
    connect(service_, &QComboBox::currentIndexChanged, this, [this] { Redraw(); });
    connect(ied_, &QComboBox::currentIndexChanged, this, [this] { Redraw(); });
    auto* fit = new QPushButton(tr("&Fit"));
    connect(fit, &QPushButton::clicked, this,
            [this] { canvas_->fitInView(scene_->itemsBoundingRect(), Qt::KeepAspectRatio); });
    auto* exportButton = new QPushButton(tr("Export &Picture..."));
    connect(exportButton, &QPushButton::clicked, this, [this] {
        std::optional<std::string> path = ui_.AskSaveFileName(
            {"Export Picture", "SVG Pictures (*.svg)|*.svg|PNG Pictures (*.png)|*.png||", ".svg", "flows.svg"});
        if (path) ExportPicture(*path);
    });  // the flows shown

    auto* tools = new QHBoxLayout;
    tools->addWidget(new QLabel(tr("Show:")));
    tools->addWidget(service_);
    tools->addWidget(ied_);
    tools->addStretch();
    tools->addWidget(fit);
    tools->addWidget(exportButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(canvas_);
    if (!map_.unresolved.empty())
        layout->addWidget(new QLabel(tr("%n input(s) reach no control block: varnholt-cli flow lists them.", "",
                                        static_cast<int>(map_.unresolved.size()))));
    resize(900, 600);
    Redraw();
}

void CFlowWindow::Redraw()
{
    scene_->clear();
    shown_.clear();
    const std::string ied = ied_->currentIndex() > 0 ? ied_->currentText().toStdString() : "";
    for (const MessageFlow& flow : map_.flows) {
        if (service_->currentIndex() > 0 && static_cast<int>(flow.service) != service_->currentIndex() - 1) continue;
        if (!ied.empty() && flow.publisher != ied && flow.subscriber != ied) continue;
        shown_.push_back(flow);
    }
    if (shown_.empty()) {
        scene_->addText(tr("No message flows"));
        return;
    }
    std::string error;
    const std::optional<FlowLayout> layout = LayOutFlows(shown_, IEDDescriptions(view_), error);
    if (!layout) {
        scene_->addText(QString::fromStdString(error));
        return;
    }
    for (const FlowLayout::Box& box : layout->boxes) {
        QPainterPath outline;
        outline.addRoundedRect(box.x - box.width / 2, box.y - box.height / 2, box.width, box.height, 6, 6);
        QGraphicsPathItem* item = scene_->addPath(outline, QPen(Qt::black), QBrush(Qt::white));
        item->setData(kFlowRole, -1);
        item->setData(kIEDRole, QString::fromStdString(box.ied));
        QGraphicsSimpleTextItem* text = scene_->addSimpleText(QString::fromStdString(box.label));
        text->setParentItem(item);
        text->setPos(box.x - text->boundingRect().width() / 2, box.y - text->boundingRect().height() / 2);
    }
    for (const FlowLayout::Arrow& arrow : layout->arrows) {
        if (arrow.points.empty()) continue;
        const QColor colour(ServiceColour(shown_[arrow.flow].service));
        QPainterPath path(QPointF(arrow.points[0].first, arrow.points[0].second));
        for (size_t i = 1; i + 2 < arrow.points.size(); i += 3)
            path.cubicTo(arrow.points[i].first, arrow.points[i].second, arrow.points[i + 1].first,
                         arrow.points[i + 1].second, arrow.points[i + 2].first, arrow.points[i + 2].second);
        QGraphicsPathItem* item = scene_->addPath(path, QPen(colour, 1.5));
        item->setData(kFlowRole, static_cast<int>(arrow.flow));
        if (arrow.hasTip) {
            // The arrowhead: from the end of the curve to the tip, as wide as it is long.
            const QPointF base(arrow.points.back().first, arrow.points.back().second);
            const QPointF tip(arrow.tip.first, arrow.tip.second);
            const QPointF side(-(tip - base).y() / 2, (tip - base).x() / 2);
            QGraphicsPolygonItem* head =
                scene_->addPolygon(QPolygonF({tip, base + side, base - side}), QPen(colour), QBrush(colour));
            head->setData(kFlowRole, static_cast<int>(arrow.flow));
        }
        QGraphicsSimpleTextItem* label = scene_->addSimpleText(QString::fromStdString(arrow.label));
        label->setBrush(colour);
        label->setPos(arrow.labelX - label->boundingRect().width() / 2,
                      arrow.labelY - label->boundingRect().height() / 2);
        label->setData(kFlowRole, static_cast<int>(arrow.flow));
    }
    scene_->setSceneRect(scene_->itemsBoundingRect().adjusted(-20, -20, 20, 20));
}

void CFlowWindow::ActivateAt(const QPointF& scenePoint)
{
    // The nearest arrow or label within a few points, else the box under the point.
    const QRectF near(scenePoint - QPointF(4, 4), QSizeF(8, 8));
    for (QGraphicsItem* item : scene_->items(near)) {
        for (QGraphicsItem* at = item; at; at = at->parentItem()) {
            const QVariant flow = at->data(kFlowRole);
            if (!flow.isValid()) continue;
            if (flow.toInt() >= 0) {
                if (TreeItem* found = FindItemOfElement(view_, shown_[static_cast<size_t>(flow.toInt())].control))
                    view_.Select(found);
                return;
            }
            if (TreeItem* found = FindIEDItem(view_, at->data(kIEDRole).toString().toStdString())) view_.Select(found);
            return;
        }
    }
}

bool CFlowWindow::ExportPicture(const std::string& path)
{
    return ExportFlowPicture(shown_, IEDDescriptions(view_), path, ui_);
}

bool ExportFlowPicture(const std::vector<MessageFlow>& flows, const std::map<std::string, std::string>& descriptions,
                       const std::string& path, UserInterface& ui)
{
    std::string error;
    const std::optional<DiagramFormat> format = DiagramFormatOf(path);
    std::optional<std::string> drawn;
    if (!format || *format == DiagramFormat::Dot) error = "only .svg and .png pictures are written";
    else drawn = DrawFlows(flows, descriptions, *format, error);
    if (drawn && WriteFileAtomically(path, *drawn, error)) return true;
    ui.ShowMessage("Export Picture", path + " could not be written: " + error, MessageIcon::Error,
                   MessageButtons::Ok);
    return false;
}

void OnExportFlowPicture(const CVarnholtView& view, UserInterface& ui)
{
    std::optional<std::string> path = ui.AskSaveFileName(
        {"Export Picture", "SVG Pictures (*.svg)|*.svg|PNG Pictures (*.png)|*.png||", ".svg", "flows.svg"});
    if (path) ExportFlowPicture(ReadMessageFlows(view.Document().Root()).flows, IEDDescriptions(view), *path, ui);
}
