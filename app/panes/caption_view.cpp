#include "app/panes/caption_view.h"

#include "app/shell/shell_pictures.h"
#include "app/shell/shell_resources.h"

#include <QFileInfo>
#include <QPainter>

namespace {

QFont CaptionFont(int pixelHeight)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelHeight);
    font.setWeight(QFont::Bold);
    return font;
}

QString Line(const char* prefix, const std::string& name)
{
    return name.empty() ? QString() : QString::fromUtf8(prefix) + QString::fromStdString(name);
}

}  // namespace

CCaptionView::CCaptionView(const QImage& logo, QWidget* parent)
    : QWidget(parent), logo_(logo), bigFont_(CaptionFont(20)), smallFont_(CaptionFont(16))
{
    setMinimumHeight(kHeight);
}

void CCaptionView::SetTexts(const std::string& substation, const std::string& ied, const std::string& logicalDevice)
{
    substation_ = Line("Substation: ", substation);
    ied_ = Line("IED: ", ied);
    logicalDevice_ = Line("Logical device: ", logicalDevice);
    update();
}

void CCaptionView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QColor background = palette().color(QPalette::Window);
    painter.fillRect(rect(), background);
    if (!logo_.isNull()) {
        if (keyedLogo_.isNull()) keyedLogo_ = KeyOutBackground(logo_, background);
        painter.drawImage(QPoint(width() - keyedLogo_.width(), 0), keyedLogo_);
    }
    painter.setPen(QColor(0, 0, 255));
    painter.setFont(bigFont_);
    painter.drawText(QRect(20, 5, width(), 30), Qt::AlignLeft | Qt::AlignTop, substation_);
    painter.setFont(smallFont_);
    painter.drawText(QRect(20, 25, width(), 30), Qt::AlignLeft | Qt::AlignTop, ied_);
    painter.drawText(QRect(20, 45, width(), 30), Qt::AlignLeft | Qt::AlignTop, logicalDevice_);
}

void CCaptionView::resizeEvent(QResizeEvent*)
{
    update();
}

QImage CaptionLogo(const ShellResources& resources)
{
    if (resources.logo.empty()) return BuiltInLogo();
    QString path = resources.PicturePath(resources.logo);
    if (!QFileInfo(path).isFile()) return {};
    return QImage(path);
}

QImage KeyOutBackground(const QImage& logo, QColor background)
{
    QImage keyed = logo.convertToFormat(QImage::Format_ARGB32);
    if (keyed.isNull()) return keyed;
    QRgb key = keyed.pixel(0, 0);
    QRgb fill = background.rgba();
    if (key == fill) return keyed;
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if (line[x] == key) line[x] = fill;
    }
    return keyed;
}
