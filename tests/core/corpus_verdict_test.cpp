// Third-party files must get the verdict their table lists from the built-in schema
// and the dataset reference check.
#include "core/dataset_references.h"
#include "core/varnholt_doc.h"
#include "core/xml_parse.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The built-in schema accepts a desc on ExtRef (where the chosen bit of an input is
// stored), which the release the table was made with refuses once per ExtRef.
int CountExtRefsWithDesc(const xmlNode* node)
{
    int count = 0;
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        if (xmlStrEqual(node->name, BAD_CAST "ExtRef") && xmlHasProp(node, BAD_CAST "desc")) ++count;
        count += CountExtRefsWithDesc(node->children);
    }
    return count;
}

int CountErrors(const std::vector<std::string>& log)
{
    return static_cast<int>(std::count_if(log.begin(), log.end(), [](const std::string& line) {
        return line.find("Schemas validity error") != std::string::npos;
    }));
}

TEST(CorpusVerdicts, EveryListedFileGetsItsVerdict)
{
    SKIP_WITHOUT_CORPUS();
    CVarnholtDoc doc;
    ASSERT_TRUE(doc.HasUsableSchema());
    std::vector<CorpusEntry> rows = CorpusTable();
    ASSERT_GE(rows.size(), 20u);
    for (const CorpusEntry& row : rows) {
        SCOPED_TRACE(row.file);
        std::string error;
        xmlDoc* tree = ParseXmlFile(CorpusPath(row.file), &error);
        ASSERT_EQ(tree != nullptr, row.wellFormed) << error;
        if (!tree) continue;
        // Writing the schema's defaults into the tree changes neither verdict nor messages.
        doc.SetWriteSchemaDefaults(false);
        bool valid = doc.Validate(tree);
        const std::vector<std::string> withoutDefaults = doc.ValidationLog();
        doc.SetWriteSchemaDefaults(true);
        EXPECT_EQ(doc.Validate(tree), valid);
        EXPECT_EQ(doc.ValidationLog(), withoutDefaults);
        EXPECT_EQ(valid, row.schemaValid);
        EXPECT_EQ(CountErrors(doc.ValidationLog()),
                  row.schemaErrors - CountExtRefsWithDesc(xmlDocGetRootElement(tree)));
        std::vector<std::string> findings;
        VerifyDatasetReferences(tree, findings);
        EXPECT_EQ(static_cast<int>(findings.size()), row.datasetFindings);
        xmlFreeDoc(tree);
    }
}

}  // namespace
