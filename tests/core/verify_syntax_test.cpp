#include "core/log_dialogs.h"
#include "core/varnholt_doc.h"
#include "support/fake_ui.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(VerifySyntax, CorrectDocumentIsAnnouncedAndMarkedValid)
{
    CVarnholtDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetValidFlag(false);
    FakeUi ui;
    doc.OnVerifySyntax(ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Verify Syntax");
    EXPECT_EQ(ui.messages[0].text, "Document is correct");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
    EXPECT_STREQ(doc.ValidityIndicatorText(), "VALID");
    EXPECT_FALSE(doc.IsModified());
}

TEST(VerifySyntax, SchemaMessagesComeBeforeDatasetFindings)
{
    CVarnholtDoc doc;
    LoadDocText(doc, SclDocument("<Substation/>"
                                 "<IED name=\"P1\"><AccessPoint name=\"AP1\"><Server><Authentication/>"
                                 "<LDevice inst=\"LD0\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"T\">"
                                 "<ReportControl name=\"rc\" datSet=\"DS9\" rptID=\"\"/></LN0></LDevice>"
                                 "</Server></AccessPoint></IED>"));
    FakeUi ui;
    std::vector<std::string> lines;
    ui.onDialog = [&](DialogModel& model) {
        auto& log = dynamic_cast<CVerifyDialog&>(model);
        EXPECT_EQ(log.Title(), "Verification log");
        lines = log.Lines();
        return true;
    };
    doc.OnVerifySyntax(ui);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines.front().find("Schemas validity error"), std::string::npos) << lines.front();
    EXPECT_EQ(lines.back(), "Error: dataset DS9 referenced by: LD0/LLN0.rc not found");
    EXPECT_STREQ(doc.ValidityIndicatorText(), "INVALID");
    EXPECT_TRUE(ui.messages.empty());
}

// The findings kept from the open are those a new check of the opened file gives.
TEST(VerifySyntax, FindingsOfTheOpenAreThoseOfAFreshCheck)
{
    TempDir dir;
    WriteFileText(dir.File("p.scd"), SclDocument("<Substation/><IED name=\"P1\"><AccessPoint name=\"AP1\"><Server>"
                                                 "<Authentication/><LDevice inst=\"LD0\"><LN0 lnClass=\"LLN0\" "
                                                 "inst=\"\" lnType=\"T\"><ReportControl name=\"rc\" "
                                                 "datSet=\"DS9\" rptID=\"\"/></LN0></LDevice></Server>"
                                                 "</AccessPoint></IED>"));
    WriteFileText(dir.File("clean.scd"), SclDocument(""));
    for (const char* file : {"p.scd", "clean.scd"}) {
        CVarnholtDoc doc;
        FakeUi ui;
        ui.onDialog = [](DialogModel&) { return true; };
        ASSERT_TRUE(doc.OpenDocumentFile(dir.File(file), ui));
        std::vector<std::string> opened = doc.OpenFindings(), fresh;
        doc.VerifySyntax(fresh);
        EXPECT_EQ(opened, fresh) << file;
    }
}

}  // namespace
