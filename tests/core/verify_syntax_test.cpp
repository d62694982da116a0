#include "core/log_dialogs.h"
#include "core/varnholt_doc.h"
#include "core_fixture.h"
#include "support/fake_ui.h"

namespace {

// The check shows what the open found: schema messages first, then dataset findings, or
// that the document is correct.
TEST(VerifySyntax, TheCheckFindsWhatTheOpenFoundSchemaMessagesFirst)
{
    // A nameless Substation for the schema, a report control block without its dataset.
    const std::string faulty =
        SclDocument("<Substation/>" + ServerOf(Lln0Of("<ReportControl name=\"rc\" datSet=\"DS9\" rptID=\"\"/>")));
    TempDir dir;
    for (const std::string& text : {faulty, SclDocument("")}) {
        WriteFileText(dir.File("p.scd"), text);
        CVarnholtDoc doc;
        FakeUi ui;
        std::vector<std::string> shown;
        ui.onDialog = [&](DialogModel& model) {
            if (auto* verify = dynamic_cast<CVerifyDialog*>(&model)) shown = verify->Lines();
            return true;
        };
        ASSERT_TRUE(doc.OpenDocumentFile(dir.File("p.scd"), ui));
        doc.SetValidFlag(text == faulty);  // the check sets the flag anew
        doc.OnVerifySyntax(ui);
        EXPECT_EQ(shown, doc.OpenFindings());
        EXPECT_EQ(doc.IsValid(), shown.empty());
        EXPECT_FALSE(doc.IsModified());
        std::vector<std::string> messages;
        for (const FakeUi::Message& message : ui.messages) messages.push_back(message.text);
        EXPECT_EQ(messages, shown.empty() ? std::vector<std::string>{"Document is correct"} : std::vector<std::string>{});
        if (text == faulty) {
            ASSERT_GE(shown.size(), 2u);
            EXPECT_NE(shown.front().find("Schemas validity error"), std::string::npos) << shown.front();
            EXPECT_EQ(shown.back(), "Error: dataset DS9 referenced by: LD0/LLN0.rc not found");
        }
    }
}

}  // namespace
