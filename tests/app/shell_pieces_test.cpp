// The platform pieces of the shell: version line, resources.ini, file dialog filters,
// recent files and the command line.
#include "app/file_filter.h"
#include "app/recent_file_list.h"
#include "app/shell_resources.h"
#include "app/varnholt_app.h"
#include "core/version_line.h"
#include "core/log_dialogs.h"
#include "core/varnholt_doc.h"
#include "support/test_support.h"

#include <QSettings>

#include <gtest/gtest.h>

TEST(VersionLine, BuildDateFromTheCompileDate)
{
    EXPECT_EQ(FormatVersionLine("1.2.1.1", "Apr 14 2015"), "Version: 1.2.1.1 Date: 2015-04-14");
    EXPECT_EQ(FormatVersionLine("0.1.0.0", "Jan  3 2024"), "Version: 0.1.0.0 Date: 2024-01-03");
    EXPECT_EQ(FormatVersionLine("0.1.0.0", "Dec 31 1999"), "Version: 0.1.0.0 Date: 1999-12-31");
}

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

TEST(ResourcesIni, FileBesideTheProgram)
{
    TempDir dir;
    ShellResources none = ShellResources::Read(QString::fromStdString(dir.path()));
    EXPECT_EQ(none.company + none.www + none.banner + none.logo, "");
    EXPECT_TRUE(none.PicturePath(none.logo).isEmpty());

    WriteFileText(dir.File("resources.ini"), "[main]\nlogo=pictures/logo.bmp\nbanner=/elsewhere/strip.bmp\n");
    ShellResources read = ShellResources::Read(QString::fromStdString(dir.path()));
    EXPECT_EQ(read.PicturePath(read.logo).toStdString(), dir.File("pictures/logo.bmp"));
    EXPECT_EQ(read.PicturePath(read.banner).toStdString(), "/elsewhere/strip.bmp");
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

TEST(CommandLine, FirstArgumentThatIsNoOption)
{
    EXPECT_EQ(CommandLineFile({"varnholt"}), "");
    EXPECT_EQ(CommandLineFile({"varnholt", "--reverse", "x.scd", "y.scd"}), "x.scd");
}
