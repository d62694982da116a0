#include "app/shell/about_box.h"

#include "app/shell/shell_pictures.h"
#include "app/shell/shell_resources.h"
#include "document/version_line.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

const char kBuiltInCompany[] = "Kettridge Ltd.";
const char kBuiltInCompanyWeb[] = "https://www.kettridge.example/";
const char kDeveloperWeb[] = "https://www.orlemar.example/varnholt/";

QLabel* Picture(const QImage& image)
{
    auto* label = new QLabel;
    label->setPixmap(QPixmap::fromImage(image));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* Link(const QString& address, QColor colour)
{
    auto* label = new QLabel(QStringLiteral("<a href=\"%1\" style=\"color:%2\">%1</a>")
                                 .arg(address.toHtmlEscaped(), colour.name()));
    label->setTextFormat(Qt::RichText);
    label->setOpenExternalLinks(true);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* Text(const QString& text)
{
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

}  // namespace

AboutTexts AboutTexts::Make(const ShellResources& resources)
{
    QString company = resources.company.empty() ? QString::fromUtf8(kBuiltInCompany)
                                                : QString::fromStdString(resources.company);
    auto withCompany = [&](QString text) { return text.replace(QLatin1String(kBuiltInCompany), company); };
    AboutTexts texts;
    texts.notice = withCompany(QStringLiteral("Copyright \u00a9 Kettridge Ltd. All rights reserved.\n"
                                              "This program is licensed, not sold; it may be used and copied "
                                              "only as its licence permits."));
    texts.companyLink = resources.www.empty() ? QString::fromUtf8(kBuiltInCompanyWeb)
                                              : QString::fromStdString(resources.www);
    texts.versionLine = QString::fromStdString(ProgramVersionLine());
    texts.madeFor = withCompany(QStringLiteral("Made for Kettridge Ltd. by Orlemar"));
    texts.developerLink = QString::fromUtf8(kDeveloperWeb);
    return texts;
}

CAboutBox::CAboutBox(const ShellResources& resources, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Varnholt"));
    AboutTexts texts = AboutTexts::Make(resources);
    QImage strip = BuiltInStrip();
    QString bannerPath = resources.PicturePath(resources.banner);
    if (!bannerPath.isEmpty() && QFileInfo(bannerPath).isFile()) {
        QImage replacement(bannerPath);
        if (!replacement.isNull()) strip = replacement;
    }

    auto* title = Text(QStringLiteral("Varnholt"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setStyleSheet(QStringLiteral("color: rgb(0, 0, 120)"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Picture(BuiltInBanner()));
    layout->addWidget(Text(texts.notice));
    layout->addWidget(title);
    layout->addWidget(Link(texts.companyLink, QColor(0, 0, 240)));
    layout->addWidget(Text(texts.versionLine));
    layout->addWidget(Text(texts.madeFor));
    layout->addWidget(Link(texts.developerLink, QColor(0, 0, 255)));
    layout->addWidget(Picture(strip));
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
