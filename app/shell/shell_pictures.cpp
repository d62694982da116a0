#include "app/shell/shell_pictures.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace {

const QColor kOutline(60, 60, 60);
const QColor kNavy(20, 50, 120);

void Plus(QPainter& p, QPointF centre)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 150, 40));
    p.drawRect(QRectF(centre.x() - 3.5, centre.y() - 1, 7, 2));
    p.drawRect(QRectF(centre.x() - 1, centre.y() - 3.5, 2, 7));
}

void Glyph(QPainter& p, const QString& text, QColor colour)
{
    QFont font;
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
}

void Page(QPainter& p)
{
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(3.5, 1.5), QPointF(9.5, 1.5), QPointF(12.5, 4.5), QPointF(12.5, 14.5),
                             QPointF(3.5, 14.5)}));
    p.drawPolyline(QPolygonF({QPointF(9.5, 1.5), QPointF(9.5, 4.5), QPointF(12.5, 4.5)}));
}

void Floppy(QPainter& p)
{
    p.setBrush(QColor(60, 90, 160));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
}

// `count` lines of a table, 3 pixels apart, from (x, y) to the right edge.
void Rows(QPainter& p, double x, double y, int count)
{
    p.save();
    p.setPen(QPen(QColor(40, 90, 200), 1.5));
    for (int i = 0; i < count; ++i) p.drawLine(QPointF(x, y + 3 * i), QPointF(15, y + 3 * i));
    p.restore();
}

// A block arrow pointing right, drawn turned by `degrees` about the centre.
void Arrow(QPainter& p, double degrees, QColor fill)
{
    p.save();
    p.translate(8, 8);
    p.rotate(degrees);
    p.setBrush(fill);
    p.drawPolygon(QPolygonF({QPointF(-6.5, -2.5), QPointF(0, -2.5), QPointF(0, -6.5), QPointF(6.5, 0),
                             QPointF(0, 6.5), QPointF(0, 2.5), QPointF(-6.5, 2.5)}));
    p.restore();
}

// A bent arrow that turns back to the left (undo), or mirrored to the right (redo).
void TurningArrow(QPainter& p, bool back)
{
    p.save();
    if (!back) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    const QColor colour(40, 90, 200);
    QPainterPath bend;
    bend.moveTo(13.5, 13);
    bend.cubicTo(14, 6, 9, 4.5, 5, 6.5);
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bend);
    p.setPen(QPen(colour, 1));
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({QPointF(1, 8), QPointF(6.5, 2.5), QPointF(7.5, 10)}));
    p.restore();
}

// A GOOSE signal: its wave in a box, with a pointer into the box for an input and out
// of it for an output.
void Signal(QPainter& p, bool input, bool analog)
{
    double left = input ? 5.5 : 1.5;
    p.setBrush(input ? QColor(225, 245, 225) : QColor(220, 232, 252));
    p.drawRect(QRectF(left, 3.5, 9, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(input ? QColor(40, 150, 50) : QColor(40, 90, 200));
    double tip = input ? 5 : 15.5;
    p.drawPolygon(QPolygonF({QPointF(tip - 4.5, 4), QPointF(tip, 8), QPointF(tip - 4.5, 12)}));
    p.setPen(QPen(QColor(30, 30, 30), 1.2));
    p.setBrush(Qt::NoBrush);
    if (analog) {
        QPainterPath wave(QPointF(left + 1, 8));
        wave.cubicTo(QPointF(left + 2.2, 4.5), QPointF(left + 3.3, 4.5), QPointF(left + 4.5, 8));
        wave.cubicTo(QPointF(left + 5.7, 11.5), QPointF(left + 6.8, 11.5), QPointF(left + 8, 8));
        p.drawPath(wave);
    } else {
        p.drawPolyline(QPolygonF({QPointF(left + 1, 10.5), QPointF(left + 3, 10.5), QPointF(left + 3, 5.5),
                                  QPointF(left + 6, 5.5), QPointF(left + 6, 10.5), QPointF(left + 8, 10.5)}));
    }
}

void Draw(QPainter& p, ShellPicture picture)
{
    p.setPen(QPen(kOutline, 1));
    switch (picture) {
    case ShellPicture::New:
        Page(p);
        break;
    case ShellPicture::Open:
        p.setBrush(QColor(245, 205, 90));
        p.drawPolygon(QPolygonF({QPointF(1.5, 3.5), QPointF(6, 3.5), QPointF(7.5, 5), QPointF(13.5, 5),
                                 QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
        p.setBrush(QColor(250, 225, 140));
        p.drawPolygon(QPolygonF({QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
        break;
    case ShellPicture::Save:
    case ShellPicture::SaveLog:
        Floppy(p);
        break;
    case ShellPicture::AddIED:
        p.setBrush(QColor(70, 110, 180));
        p.drawRoundedRect(QRectF(0.5, 2.5, 11, 8), 1.5, 1.5);
        p.setBrush(QColor(80, 230, 80));
        p.drawEllipse(QRectF(2, 4.5, 2.5, 2.5));
        Plus(p, {11.5, 11.5});
        break;
    case ShellPicture::AddTimeServer:
        p.setBrush(QColor(250, 250, 235));
        p.drawEllipse(QRectF(0.5, 0.5, 11, 11));
        p.drawLine(QPointF(6, 6), QPointF(6, 2.5));
        p.drawLine(QPointF(6, 6), QPointF(9, 7));
        Plus(p, {11.5, 11.5});
        break;
    case ShellPicture::AddSubnetwork:
        p.setPen(QPen(QColor(30, 90, 170), 1.6));
        p.drawLine(QPointF(0.5, 3), QPointF(11, 3));
        for (double x : {2.0, 6.0, 10.0}) p.drawLine(QPointF(x, 3), QPointF(x, 8));
        Plus(p, {11.5, 11.5});
        break;
    case ShellPicture::Delete:
        p.setPen(QPen(QColor(200, 30, 30), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case ShellPicture::About:
        p.setBrush(QColor(40, 90, 200));
        p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        Glyph(p, QStringLiteral("i"), Qt::white);
        break;
    case ShellPicture::ContextHelp:
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({QPointF(1, 1), QPointF(1, 11), QPointF(3.5, 8.5), QPointF(5.5, 13),
                                 QPointF(7, 12.3), QPointF(5, 8), QPointF(8, 8)}));
        p.translate(4, 0);
        Glyph(p, QStringLiteral("?"), QColor(40, 90, 200));
        break;
    case ShellPicture::CopyLog:
        p.translate(-2, -1);
        Page(p);
        p.resetTransform();
        p.translate(2, 1);
        Page(p);
        break;
    case ShellPicture::GroupedRows:
        for (double y : {2.5, 9.5}) {
            p.setBrush(Qt::white);
            p.drawRect(QRectF(0.5, y - 2, 4, 4));
            p.drawLine(QPointF(1.5, y), QPointF(3.5, y));
            p.drawLine(QPointF(6, y), QPointF(15, y));
            Rows(p, 6, y + 3, 1);
        }
        break;
    case ShellPicture::ListRows:
        Rows(p, 1, 2.5, 5);
        break;
    case ShellPicture::AddToList:
        Arrow(p, 0, QColor(40, 160, 50));
        break;
    case ShellPicture::MoveUp:
        Arrow(p, -90, QColor(40, 90, 200));
        break;
    case ShellPicture::Undo:
    case ShellPicture::Redo:
        TurningArrow(p, picture == ShellPicture::Undo);
        break;
    case ShellPicture::MoveDown:
        Arrow(p, 90, QColor(40, 90, 200));
        break;
    case ShellPicture::BinaryInput:
    case ShellPicture::AnalogInput:
    case ShellPicture::BinaryOutput:
    case ShellPicture::AnalogOutput:
        Signal(p, picture == ShellPicture::BinaryInput || picture == ShellPicture::AnalogInput,
               picture == ShellPicture::AnalogInput || picture == ShellPicture::AnalogOutput);
        break;
    }
}

QImage Canvas(int width, int height, QColor background)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

void Emblem(QPainter& p, QRectF box)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawRoundedRect(box, box.width() * 0.18, box.width() * 0.18);
    p.setPen(QPen(QColor(255, 200, 40), box.width() * 0.09, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    double x = box.x(), y = box.y(), w = box.width(), h = box.height();
    p.drawPolyline(QPolygonF({QPointF(x + 0.2 * w, y + 0.3 * h), QPointF(x + 0.5 * w, y + 0.75 * h),
                              QPointF(x + 0.8 * w, y + 0.3 * h)}));
    p.setPen(QPen(Qt::white, w * 0.06));
    p.drawLine(QPointF(x + 0.15 * w, y + 0.85 * h), QPointF(x + 0.85 * w, y + 0.85 * h));
}

}  // namespace

QIcon ShellIcon(ShellPicture picture)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, picture);
    painter.end();
    return QIcon(pixmap);
}

QIcon ApplicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        Emblem(painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QImage BuiltInLogo()
{
    QImage image = Canvas(206, 73, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing, false);  // no blended pixels around the keyed background
    Emblem(p, QRectF(6, 8, 56, 56));
    QFont name(QStringLiteral("Sans Serif"));
    name.setBold(true);
    const QString product = QStringLiteral("Varnholt");
    for (int size = 30; size > 10; --size) {
        name.setPixelSize(size);
        if (QFontMetrics(name).horizontalAdvance(product) <= 128) break;
    }
    p.setFont(name);
    p.setPen(kNavy);
    p.drawText(QRectF(70, 6, 136, 42), Qt::AlignLeft | Qt::AlignVCenter, product);
    QFont line(QStringLiteral("Sans Serif"));
    line.setPixelSize(12);
    p.setFont(line);
    p.setPen(QColor(90, 90, 90));
    p.drawText(QRectF(72, 46, 134, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("SCL project editor"));
    return image;
}

QImage BuiltInBanner()
{
    QImage image = Canvas(521, 154, kNavy);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 521, 154);
    sky.setColorAt(0, QColor(20, 50, 120));
    sky.setColorAt(1, QColor(60, 120, 200));
    p.fillRect(image.rect(), sky);
    p.setPen(QPen(QColor(255, 255, 255, 60), 2));
    for (int i = 0; i < 6; ++i) p.drawLine(QPointF(330 + 30 * i, 154), QPointF(400 + 25 * i, 20));
    Emblem(p, QRectF(24, 37, 80, 80));
    QFont name(QStringLiteral("Sans Serif"));
    name.setPixelSize(48);
    name.setBold(true);
    p.setFont(name);
    p.setPen(Qt::white);
    p.drawText(QRectF(124, 30, 380, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Varnholt"));
    QFont line(QStringLiteral("Sans Serif"));
    line.setPixelSize(16);
    p.setFont(line);
    p.drawText(QRectF(126, 88, 380, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Substation configuration in IEC 61850 SCL"));
    return image;
}

QImage BuiltInStrip()
{
    QImage image = Canvas(522, 18, kNavy);
    QPainter p(&image);
    QLinearGradient band(0, 0, 522, 0);
    band.setColorAt(0, QColor(20, 50, 120));
    band.setColorAt(0.7, QColor(60, 120, 200));
    band.setColorAt(1, QColor(255, 200, 40));
    p.fillRect(image.rect(), band);
    return image;
}
