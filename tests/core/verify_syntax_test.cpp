#include "core/log_dialogs.h"
#include "core/varnholt_doc.h"
#include "core_fixture.h"
#include "support/fake_ui.h"

namespace {

// A nameless Substation for the schema, a report control block without its dataset.
const std::string kFaulty =
    SclDocument("<Substation/>" + ServerOf(Lln0Of("<ReportControl name=\"rc\" datSet=\"DS9\" rptID=\"\"/>")));

TEST(VerifySyntax, CorrectDocumentIsAnnouncedAndMarkedValid)
{
    CVarnholtDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetValidFlag(false);
    FakeUi ui;
    doc.OnVerifySyntax(ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Document is correct");
    EXPECT_TRUE(doc.IsValid());
    EXPECT_FALSE(doc.IsModified());
}

TEST(VerifySyntax, SchemaMessagesComeBeforeDatasetFindings)
{
    CVarnholtDoc doc;
    LoadDocText(doc, kFaulty);
    FakeUi ui;
    std::vector<std::string> lines;
    ui.onDialog = [&](DialogModel& model) {
        lines = dynamic_cast<CVerifyDialog&>(model).Lines();
        return true;
    };
    doc.OnVerifySyntax(ui);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines.front().find("Schemas validity error"), std::string::npos) << lines.front();
    EXPECT_EQ(lines.back(), "Error: dataset DS9 referenced by: LD0/LLN0.rc not found");
    EXPECT_FALSE(doc.IsValid());
    EXPECT_TRUE(ui.messages.empty());
}

TEST(VerifySyntax, FindingsOfTheOpenAreThoseOfAFreshCheck)
{
    TempDir dir;
    for (const std::string& text : {kFaulty, SclDocument("")}) {
        WriteFileText(dir.File("p.scd"), text);
        CVarnholtDoc doc;
        FakeUi ui;
        ui.onDialog = [](DialogModel&) { return true; };
        ASSERT_TRUE(doc.OpenDocumentFile(dir.File("p.scd"), ui));
        std::vector<std::string> opened = doc.OpenFindings(), fresh;
        doc.VerifySyntax(fresh);
        EXPECT_EQ(opened, fresh) << text;
    }
}

}  // namespace
