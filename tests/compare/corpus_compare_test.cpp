// Every corpus file against itself, against itself as the program opens it (with the
// values its schema gives left-out attributes written in), and the opened document
// against its own save: no differences.
#include "compare/document_compare.h"
#include "document/schema_defaults.h"
#include "document/varnholt_doc.h"
#include "document/xml_parse.h"
#include "support/fake_ui.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Compared(const xmlNode* a, const xmlNode* b)
{
    CompareOptions options;
    options.header = true;
    options.defaultsA = &SchemaDefaults::For(EditionOfRoot(a));
    options.defaultsB = &SchemaDefaults::For(EditionOfRoot(b));
    std::vector<std::string> lines;
    for (const Difference& difference : CompareDocuments(a, b, options)) lines.push_back(DifferenceLine(difference));
    return lines;
}

TEST(CorpusCompare, EachFileEqualsItselfAsOpenedAndAsSaved)
{
    SKIP_WITHOUT_CORPUS();
    TempDir dir;
    FakeUi ui;
    ui.onDialog = [](DialogModel&) { return true; };
    size_t files = 0;
    for (const CorpusEntry& entry : CorpusTable()) {
        if (!entry.wellFormed) continue;
        SCOPED_TRACE(entry.file);
        XmlDocPtr raw(ParseXmlFile(CorpusPath(entry.file), nullptr));
        ASSERT_TRUE(raw);
        const xmlNode* rawRoot = xmlDocGetRootElement(raw.get());
        EXPECT_EQ(Compared(rawRoot, rawRoot), std::vector<std::string>{});
        CVarnholtDoc doc;
        doc.AdoptTree(ParseXmlFile(CorpusPath(entry.file), nullptr), false);
        doc.Validate(doc.XmlTree());  // as Open does: the schema's values are written in
        EXPECT_EQ(Compared(rawRoot, doc.Root()), std::vector<std::string>{});
        ASSERT_EQ(doc.OnSaveDocument(dir.File("saved.scd"), ui), SaveOutcome::Saved);
        XmlDocPtr saved(ParseXmlFile(dir.File("saved.scd"), nullptr));
        ASSERT_TRUE(saved);
        EXPECT_EQ(Compared(doc.Root(), xmlDocGetRootElement(saved.get())), std::vector<std::string>{});
        ++files;
    }
    EXPECT_GT(files, 15u);
}

}  // namespace
