// The platform pieces of the shell: resources.ini and what it changes, file dialog
// filters, recent files, the command line and the version line.
#include "app/panes/caption_view.h"
#include "app/shell/about_box.h"
#include "app/shell/file_filter.h"
#include "app/shell/recent_file_list.h"
#include "app/shell/shell_resources.h"
#include "app/shell/varnholt_app.h"
#include "document/varnholt_doc.h"
#include "document/version_line.h"
#include "support/test_support.h"

#include <QImage>
#include <QSettings>

#include <gtest/gtest.h>

TEST(ResourcesIni, ReadsLikePrivateProfileFiles)
{
    std::string ini =
        "[other]\ncompany=Wrong\n"
        "[ Main ]\r\n"
        "; a comment\r\n"
        "Company = Acme Power AG \r\n"
        "www=\"https://acme.example/\"\r\n"
        "logo=\r\n"
        "banner=" + std::string(600, 'b') + "\r\n";
    EXPECT_EQ(ReadProfileString(ini, "main", "company"), "Acme Power AG");
    EXPECT_EQ(ReadProfileString(ini, "main", "www"), "https://acme.example/");
    EXPECT_EQ(ReadProfileString(ini, "main", "logo"), "");
    EXPECT_EQ(ReadProfileString(ini, "main", "missing"), "");
    EXPECT_EQ(ReadProfileString(ini, "other", "company"), "Wrong");
    EXPECT_EQ(ReadProfileString(ini, "main", "banner").size(), 499u);
}

// Pictures are found beside the program; the company and the logo replace the built-in ones.
TEST(ResourcesIni, FileBesideTheProgramChangesCompanyAndLogo)
{
    TempDir dir;
    auto read = [&](const std::string& ini) {
        WriteFileText(dir.File("resources.ini"), ini);
        return ShellResources::Read(QString::fromStdString(dir.path()));
    };
    ShellResources none = ShellResources::Read(QString::fromStdString(dir.path()));
    EXPECT_FALSE(CaptionLogo(none).isNull());

    ShellResources paths = read("[main]\nlogo=pictures/logo.bmp\nbanner=/elsewhere/strip.bmp\n");
    EXPECT_EQ(paths.PicturePath(paths.logo).toStdString(), dir.File("pictures/logo.bmp"));
    EXPECT_EQ(paths.PicturePath(paths.banner).toStdString(), "/elsewhere/strip.bmp");
    EXPECT_TRUE(CaptionLogo(paths).isNull());

    QImage own(40, 20, QImage::Format_RGB32);
    own.fill(Qt::red);
    ASSERT_TRUE(own.save(QString::fromStdString(dir.File("own.bmp"))));
    ShellResources acme = read("[main]\nlogo=own.bmp\ncompany=Acme Power AG\nwww=https://acme.example/\n");
    EXPECT_EQ(CaptionLogo(acme).size(), own.size());
    AboutTexts texts = AboutTexts::Make(acme);
    EXPECT_TRUE(texts.notice.contains("Acme Power AG") && texts.madeFor.contains("Acme Power AG"));
    EXPECT_FALSE(texts.notice.contains("Kettridge") || texts.madeFor.contains("Kettridge"));
    EXPECT_EQ(texts.companyLink, "https://acme.example/");
}

TEST(CaptionView, LogoBackgroundTakesTheWindowColour)
{
    QImage logo(3, 1, QImage::Format_RGB32);
    logo.fill(qRgb(255, 255, 255));
    logo.setPixel(1, 0, qRgb(0, 0, 128));
    QImage keyed = KeyOutBackground(logo, QColor(200, 201, 202));
    EXPECT_EQ(QList<QRgb>({keyed.pixel(0, 0), keyed.pixel(1, 0), keyed.pixel(2, 0)}),
              QList<QRgb>({qRgb(200, 201, 202), qRgb(0, 0, 128), qRgb(200, 201, 202)}));
}

TEST(FileFilter, PatternsMatchEitherCaseAndStarDotStarMatchesAll)
{
    EXPECT_EQ(QtNameFilters(CVarnholtDoc::DocumentFilter()),
              QStringList({"Varnholt Files (*.SCD *.scd)", "All Files (*)"}));
    EXPECT_EQ(QtNameFilters("TXT Files (*.txt)|*.txt|All Files (*.*)|*.*||"),
              QStringList({"TXT Files (*.txt *.TXT)", "All Files (*)"}));
    EXPECT_EQ(QtNameFilters("SCL Files|*.icd;*.IID;*.cid||"),
              QStringList({"SCL Files (*.icd *.ICD *.IID *.iid *.cid *.CID)"}));
    EXPECT_EQ(QtDefaultSuffix(".SCD"), "SCD");
}

TEST(RecentFiles, NewestFirstFourAtMostAndKeptInTheSettings)
{
    TempDir dir;
    QString ini = QString::fromStdString(dir.File("settings.ini"));
    {
        QSettings store(ini, QSettings::IniFormat);
        RecentFileList recent(&store);
        for (const char* name : {"/p/a.scd", "/p/b.scd", "/p/c.scd", "/p/d.scd", "/p/e.scd"}) recent.Add(name);
        recent.Add("/p/c.scd");
        EXPECT_EQ(recent.Files(), QStringList({"/p/c.scd", "/p/e.scd", "/p/d.scd", "/p/b.scd"}));
        recent.Remove("/p/d.scd");
    }
    QSettings store(ini, QSettings::IniFormat);
    EXPECT_EQ(RecentFileList(&store).Files(), QStringList({"/p/c.scd", "/p/e.scd", "/p/b.scd"}));
}

TEST(CommandLine, FirstArgumentThatIsNoOptionAndTheVersionLine)
{
    EXPECT_EQ(CommandLineFile({"varnholt"}), "");
    EXPECT_EQ(CommandLineFile({"varnholt", "--reverse", "x.scd", "y.scd"}), "x.scd");
    EXPECT_EQ(FormatVersionLine("1.2.1.1", "Apr 14 2015"), "Version: 1.2.1.1 Date: 2015-04-14");
    EXPECT_EQ(FormatVersionLine("0.1.0.0", "Jan  3 2024"), "Version: 0.1.0.0 Date: 2024-01-03");
}
