// Third-party files must get the verdict their table lists from the built-in schema
// and the dataset reference check.
#include "core/dataset_references.h"
#include "core/varnholt_doc.h"
#include "core/xml_parse.h"
#include "core_fixture.h"

namespace {

// The built-in schema accepts a desc on ExtRef (where the chosen bit of an input is
// stored), which the release the table was made with refuses once per ExtRef.
int CountExtRefsWithDesc(const xmlNode* node)
{
    int count = 0;
    for (xmlNode* child : ElementChildren(node))
        count += (IsElementNamed(child, "ExtRef") && xmlHasProp(child, Xml("desc"))) + CountExtRefsWithDesc(child);
    return count;
}

TEST(CorpusVerdicts, EveryListedFileGetsItsVerdict)
{
    SKIP_WITHOUT_CORPUS();
    CVarnholtDoc doc;
    std::vector<CorpusEntry> rows = CorpusTable();
    ASSERT_GE(rows.size(), 20u);
    for (const CorpusEntry& row : rows) {
        SCOPED_TRACE(row.file);
        std::string error;
        TreePtr tree(ParseXmlFile(CorpusPath(row.file), &error), xmlFreeDoc);
        ASSERT_EQ(tree != nullptr, row.wellFormed) << error;
        if (!tree) continue;
        // Writing the schema's defaults into the tree changes neither verdict nor messages.
        doc.SetWriteSchemaDefaults(false);
        bool valid = doc.Validate(tree.get());
        const std::vector<std::string> withoutDefaults = doc.ValidationLog();
        doc.SetWriteSchemaDefaults(true);
        EXPECT_EQ(doc.Validate(tree.get()), valid);
        EXPECT_EQ(doc.ValidationLog(), withoutDefaults);
        EXPECT_EQ(valid, row.schemaValid);
        EXPECT_EQ(LinesWith(doc.ValidationLog(), "Schemas validity error"),
                  row.schemaErrors - CountExtRefsWithDesc(xmlDocGetRootElement(tree.get())));
        std::vector<std::string> findings;
        VerifyDatasetReferences(tree.get(), findings);
        EXPECT_EQ(static_cast<int>(findings.size()), row.datasetFindings);
    }
}

}  // namespace
