// The caption pane and the About box, with and without resources.ini.
#include "app/about_box.h"
#include "app/caption_view.h"
#include "app/shell_resources.h"
#include "support/test_support.h"

#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

ShellResources ResourcesIn(const TempDir& dir, const std::string& ini)
{
    if (!ini.empty()) WriteFileText(dir.File("resources.ini"), ini);
    return ShellResources::Read(QString::fromStdString(dir.path()));
}

}  // namespace

TEST(CaptionView, EachLineOnlyWithItsName)
{
    CCaptionView caption{QImage()};
    caption.SetTexts("S1", "P1", "LD0");
    EXPECT_EQ(caption.SubstationText(), "Substation: S1");
    EXPECT_EQ(caption.IedText(), "IED: P1");
    EXPECT_EQ(caption.LogicalDeviceText(), "Logical device: LD0");
    caption.SetTexts("S1", "", "");
    EXPECT_EQ(caption.SubstationText(), "Substation: S1");
    EXPECT_EQ(caption.IedText(), "");
    EXPECT_EQ(caption.LogicalDeviceText(), "");
}

TEST(CaptionView, LogoFromTheResources)
{
    TempDir dir;
    QImage builtIn = CaptionLogo(ResourcesIn(dir, ""));
    EXPECT_EQ(builtIn.size(), QSize(206, 73));

    EXPECT_TRUE(CaptionLogo(ResourcesIn(dir, "[main]\nlogo=missing.bmp\n")).isNull());

    QImage own(40, 20, QImage::Format_RGB32);
    own.fill(Qt::red);
    ASSERT_TRUE(own.save(QString::fromStdString(dir.File("own.bmp"))));
    EXPECT_EQ(CaptionLogo(ResourcesIn(dir, "[main]\nlogo=own.bmp\n")).size(), QSize(40, 20));
}

TEST(CaptionView, LogoBackgroundTakesTheWindowColour)
{
    QImage logo(3, 1, QImage::Format_RGB32);
    logo.setPixel(0, 0, qRgb(255, 255, 255));
    logo.setPixel(1, 0, qRgb(0, 0, 128));
    logo.setPixel(2, 0, qRgb(255, 255, 255));
    QImage keyed = KeyOutBackground(logo, QColor(200, 201, 202));
    EXPECT_EQ(keyed.pixel(0, 0), qRgb(200, 201, 202));
    EXPECT_EQ(keyed.pixel(1, 0), qRgb(0, 0, 128));
    EXPECT_EQ(keyed.pixel(2, 0), qRgb(200, 201, 202));
}

TEST(AboutBox, CompanyAndAddressFromTheResources)
{
    TempDir dir;
    ShellResources resources = ResourcesIn(dir, "[main]\ncompany=Acme Power AG\nwww=https://acme.example/\n");
    AboutTexts texts = AboutTexts::Make(resources);
    EXPECT_EQ(texts.notice.indexOf("Kettridge"), -1);
    EXPECT_NE(texts.notice.indexOf("Acme Power AG"), -1);
    EXPECT_EQ(texts.madeFor.indexOf("Kettridge"), -1);
    EXPECT_NE(texts.madeFor.indexOf("Acme Power AG"), -1);
    EXPECT_EQ(texts.companyLink, "https://acme.example/");

    CAboutBox box(resources);
    EXPECT_EQ(box.windowTitle(), "About Varnholt");
    QStringList shown;
    for (QLabel* label : box.findChildren<QLabel*>()) shown << label->text();
    EXPECT_TRUE(shown.join('\n').contains("https://acme.example/"));
    EXPECT_TRUE(shown.contains(texts.versionLine));
}
