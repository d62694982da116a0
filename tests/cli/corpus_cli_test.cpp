// Every third-party file goes through the command-line tool: verify gives the listed
// verdict, and a saved file opens to the same tree as the original.
#include "cli/cli_runner.h"
#include "document/xml_access.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

const char* const kReportOptions[] = {" indexed=\"", " gi=\"", " bufOvfl=\""};

long Occurrences(const std::string& text, const std::string& part)
{
    long count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// The file as a device tool of edition 2 might write it: a time stamp for the Header's
// revision, and the first report's options given as false.
std::string VendorVariant(const std::string& text)
{
    xmlDoc* tree = ParseSclText(text);
    xmlNode* root = xmlDocGetRootElement(tree);
    xmlSetProp(FindChildElement(root, "Header"), Xml("revision"), Xml("638983987168294089"));
    std::vector<xmlNode*> pending = {root};
    while (!pending.empty()) {
        xmlNode* node = pending.back();
        pending.pop_back();
        if (!IsElementNamed(node, "ReportControl")) {
            for (xmlNode* child : ElementChildren(node)) pending.push_back(child);
            continue;
        }
        xmlSetProp(node, Xml("indexed"), Xml("false"));
        if (xmlNode* trgOps = FindChildElement(node, "TrgOps")) xmlSetProp(trgOps, Xml("gi"), Xml("false"));
        if (xmlNode* optFields = FindChildElement(node, "OptFields")) xmlSetProp(optFields, Xml("bufOvfl"), Xml("false"));
        break;
    }
    std::string variant = XmlText(tree);
    xmlFreeDoc(tree);
    return variant;
}

TEST(CorpusThroughCli, VerifyTreeAndSaveRoundTrip)
{
    SKIP_WITHOUT_CORPUS();
    TempDir dir;
    for (const CorpusEntry& listed : CorpusTable()) {
        SCOPED_TRACE(listed.file);
        const std::string path = CorpusPath(listed.file);
        CliResult verify = RunCli({"verify", "--syntax", "--addresses", path});
        EXPECT_EQ(verify.err.find("Sanitizer"), std::string::npos) << verify.err;
        EXPECT_EQ(verify.err.find("runtime error"), std::string::npos) << verify.err;
        int expected = !listed.wellFormed ? 2 : (listed.editionValid && listed.datasetFindings == 0 ? 0 : 1);
        EXPECT_EQ(verify.exitCode, expected) << verify.err;
        if (!listed.wellFormed) continue;
        // No corpus file repeats an address.
        EXPECT_TRUE(verify.out.ends_with("\nAddresses are correct\n")) << verify.out;

        CliResult tree = RunCli({"tree", path});
        ASSERT_EQ(tree.exitCode, 0) << tree.err;
        const std::string saved = dir.File("saved-" + listed.file);
        ASSERT_EQ(RunCli({"save", path, "-o", saved, "--keep-invalid"}).exitCode, 0);
        EXPECT_EQ(RunCli({"tree", saved}).out, tree.out);
        // Dropping unused types and old report options never makes a valid file invalid.
        if (expected == 0) {
            EXPECT_EQ(RunCli({"verify", saved}).exitCode, 0);
        }

        // A change with the proposed history entry keeps the report options the file gives.
        const std::string variant = VendorVariant(ReadFileText(path)), changed = dir.File("changed-" + listed.file);
        WriteFileText(dir.File("variant.scd"), variant);
        CliResult change = RunCli({"add-subnetwork", dir.File("variant.scd"), "-o", changed, "--keep-invalid"});
        ASSERT_EQ(change.exitCode, 0) << change.err;
        const std::string text = ReadFileText(changed);
        for (const std::string option : kReportOptions)
            for (const std::string& given : {option, option + "false\""})
                EXPECT_EQ(Occurrences(text, given), Occurrences(variant, given)) << given;
    }
}

}  // namespace
