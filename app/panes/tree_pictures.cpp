// The tree pictures, drawn in code at 16 x 16.
#include "app/panes/tree_pictures.h"

#include "document/tree_item_record.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

#include <array>

namespace {

const QColor kOutline(60, 60, 60);

void Polygon(QPainter& p, std::initializer_list<QPointF> points, QColor fill)
{
    p.setBrush(fill);
    p.drawPolygon(QPolygonF(points));
}

void Diamond(QPainter& p, QColor fill, double radius)
{
    Polygon(p, {{8, 8 - radius}, {8 + radius, 8}, {8, 8 + radius}, {8 - radius, 8}}, fill);
}

void Page(QPainter& p, QColor fill)
{
    Polygon(p, {{3, 1.5}, {10, 1.5}, {13, 4.5}, {13, 14.5}, {3, 14.5}}, fill);
}

void Envelope(QPainter& p, QColor fill)
{
    p.setBrush(fill);
    p.drawRect(QRectF(1.5, 4.5, 13, 8));
    p.drawPolyline(QPolygonF({QPointF(1.5, 4.5), QPointF(8, 9.5), QPointF(14.5, 4.5)}));
}

void Clock(QPainter& p)
{
    p.setBrush(QColor(250, 250, 235));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(QColor(30, 30, 30), 1.4));
    p.drawLine(QPointF(8, 8), QPointF(8, 3.5));
    p.drawLine(QPointF(8, 8), QPointF(11.5, 9.5));
}

void DrawKind(QPainter& p, int kind)
{
    p.setPen(QPen(kOutline, 1));
    switch (kind) {
    case kKindSubstation:
        Polygon(p, {{1, 7.5}, {8, 1.5}, {15, 7.5}, {13.5, 7.5}, {13.5, 14.5}, {2.5, 14.5}, {2.5, 7.5}}, QColor(225, 200, 160));
        p.setPen(Qt::NoPen);
        Polygon(p, {{9, 6}, {5.5, 10.5}, {8, 10.5}, {7, 14}, {11, 9}, {8.5, 9}, {10, 6}}, QColor(240, 190, 0));
        break;
    case kKindVoltageLevel:
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 3; ++i) {
            p.setBrush(std::array{QColor(200, 40, 40), QColor(220, 170, 0), QColor(40, 90, 200)}[i]);
            p.drawRect(QRectF(1, 3 + 4 * i, 14, 2));
        }
        break;
    case kKindBay:
        p.setBrush(QColor(185, 190, 200));
        p.drawRect(QRectF(3.5, 1.5, 9, 13));
        p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
        p.setBrush(kOutline);
        p.drawRect(QRectF(6, 7, 1, 2));
        p.drawRect(QRectF(9, 7, 1, 2));
        break;
    case kKindCommunication:
        p.setBrush(QColor(120, 180, 240));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5, 1.5, 6, 13));
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        break;
    case kKindSubNetwork:
        p.setPen(QPen(QColor(30, 90, 170), 1.6));
        p.drawLine(QPointF(1, 4), QPointF(15, 4));
        for (double x : {3.0, 8.0, 13.0}) p.drawLine(QPointF(x, 4), QPointF(x, 10));
        p.setPen(QPen(kOutline, 1));
        p.setBrush(QColor(120, 180, 240));
        for (double x : {3.0, 8.0, 13.0}) p.drawRect(QRectF(x - 2, 10.5, 4, 4));
        break;
    case kKindConnectedAP:
        p.setBrush(QColor(70, 70, 70));
        p.drawRect(QRectF(4.5, 6.5, 7, 8));
        p.setBrush(QColor(200, 170, 60));
        p.drawRect(QRectF(5.5, 1.5, 1.5, 5));
        p.drawRect(QRectF(9, 1.5, 1.5, 5));
        break;
    case kKindIED:
    case kKindTimeServer:
        p.setBrush(QColor(70, 110, 180));
        p.drawRoundedRect(QRectF(1.5, 3.5, 13, 9), 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(80, 230, 80));
        p.drawEllipse(QRectF(3, 5.5, 2.5, 2.5));
        p.setBrush(QColor(240, 80, 60));
        p.drawEllipse(QRectF(3, 9, 2.5, 2.5));
        p.setBrush(QColor(220, 235, 250));
        p.drawRect(QRectF(7, 5.5, 6, 5));
        if (kind == kKindTimeServer) {
            p.setPen(QPen(kOutline, 1));
            p.scale(0.6, 0.6);
            p.translate(10, 10);
            Clock(p);
        }
        break;
    case kKindAccessPoint:
        p.setBrush(QColor(210, 210, 210));
        p.drawRect(QRectF(2.5, 7.5, 11, 7));
        p.setBrush(QColor(40, 40, 40));
        p.drawRect(QRectF(5.5, 9.5, 5, 3));
        p.drawLine(QPointF(8, 7.5), QPointF(8, 2));
        p.setBrush(QColor(240, 80, 60));
        p.drawEllipse(QRectF(6.5, 0.5, 3, 3));
        break;
    case kKindLDevice:
        Polygon(p, {{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {14.5, 5}, {14.5, 13.5}, {1.5, 13.5}}, QColor(245, 205, 90));
        break;
    case kKindLN:
        p.setBrush(QColor(60, 160, 90));
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 2; ++col) p.drawRect(QRectF(4 + 5 * col, 4 + 5 * row, 3, 3));
        break;
    case kKindDO:
        p.setBrush(QColor(245, 150, 40));
        p.drawEllipse(QRectF(3.5, 3.5, 9, 9));
        break;
    case kKindSDO:
        p.setPen(QPen(QColor(245, 150, 40), 2.2));
        p.drawEllipse(QRectF(4, 4, 8, 8));
        break;
    case kKindDA:
        Diamond(p, QColor(70, 130, 220), 5);
        break;
    case kKindBDA:
        p.setPen(QPen(QColor(70, 130, 220), 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(QPolygonF({QPointF(8, 3.5), QPointF(12.5, 8), QPointF(8, 12.5), QPointF(3.5, 8)}));
        break;
    case kKindDataSet:
        Page(p, Qt::white);
        p.setPen(QPen(QColor(40, 90, 200), 1));
        for (int y : {5, 8, 11}) p.drawLine(QPointF(5, y + 0.5), QPointF(11, y + 0.5));
        break;
    case kKindReportControl:
        Page(p, QColor(255, 250, 230));
        p.setPen(Qt::NoPen);
        Polygon(p, {{5, 4}, {11, 4}, {11, 8}, {5, 8}}, QColor(210, 50, 50));
        p.setPen(QPen(kOutline, 1));
        p.drawLine(QPointF(5, 10.5), QPointF(11, 10.5));
        p.drawLine(QPointF(5, 12.5), QPointF(9, 12.5));
        break;
    case kKindGSEControl:
        Polygon(p, {{1.5, 5.5}, {9, 5.5}, {9, 2}, {15, 8}, {9, 14}, {9, 10.5}, {1.5, 10.5}}, QColor(60, 180, 80));
        break;
    case kKindFCDA:
        p.setBrush(QColor(40, 90, 200));
        p.drawEllipse(QRectF(2, 6, 4, 4));
        p.drawLine(QPointF(8, 8.5), QPointF(14, 8.5));
        break;
    case kKindExtRef:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7.5, 2.5, 7, 11));
        Polygon(p, {{1, 6.5}, {6, 6.5}, {6, 4}, {10.5, 8}, {6, 12}, {6, 9.5}, {1, 9.5}}, QColor(60, 180, 80));
        break;
    case kKindAddress:
        Envelope(p, QColor(250, 245, 220));
        break;
    case kKindGSEAddress:
        Envelope(p, QColor(250, 245, 220));
        p.setBrush(QColor(60, 180, 80));
        p.drawEllipse(QRectF(9, 8, 6, 6));
        break;
    case kKindInputs:
        Polygon(p, {{1.5, 7.5}, {4, 7.5}, {5.5, 10}, {10.5, 10}, {12, 7.5}, {14.5, 7.5}, {14.5, 14.5}, {1.5, 14.5}},
                QColor(200, 200, 210));
        Polygon(p, {{6.5, 1}, {9.5, 1}, {9.5, 4.5}, {11.5, 4.5}, {8, 8.5}, {4.5, 4.5}, {6.5, 4.5}}, QColor(60, 180, 80));
        break;
    case kKindVal:
        Polygon(p, {{1.5, 4.5}, {11, 4.5}, {14.5, 8}, {11, 11.5}, {1.5, 11.5}}, QColor(255, 235, 120));
        p.drawLine(QPointF(4, 7), QPointF(9, 7));
        p.drawLine(QPointF(4, 9.5), QPointF(9, 9.5));
        break;
    default:
        p.setBrush(QColor(170, 170, 170));
        p.drawRect(QRectF(4.5, 4.5, 7, 7));
        break;
    }
}

QIcon MakeIcon(int kind)
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawKind(painter, kind);
    painter.end();
    return QIcon(picture);
}

}  // namespace

const QIcon& TreeKindIcon(int kind)
{
    static const std::array<QIcon, kTreeItemKindCount> icons = [] {
        std::array<QIcon, kTreeItemKindCount> made;
        for (int kind = 0; kind < kTreeItemKindCount; ++kind) made[static_cast<size_t>(kind)] = MakeIcon(kind);
        return made;
    }();
    if (kind < 0 || kind >= kTreeItemKindCount) kind = kKindOther;
    return icons[static_cast<size_t>(kind)];
}
