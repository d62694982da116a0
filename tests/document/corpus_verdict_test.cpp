// Third-party files must get the verdicts their tables list: the schema of the edition
// each declares gives the verdict of EDITIONS.tsv, the edition 1 schema keeps the verdict
// and error count of EXPECTED.tsv, and the dataset reference check its findings.
#include "core_fixture.h"
#include "document/dataset_references.h"
#include "document/varnholt_doc.h"
#include "document/xml_parse.h"

#include <map>
#include <sstream>

namespace {

// The edition 1 schema accepts a desc on ExtRef (where the chosen bit of an input is
// stored), which the release the table was made with refuses once per ExtRef.
int CountExtRefsWithDesc(const xmlNode* node)
{
    int count = 0;
    for (xmlNode* child : ElementChildren(node))
        count += (IsElementNamed(child, "ExtRef") && xmlHasProp(child, Xml("desc"))) + CountExtRefsWithDesc(child);
    return count;
}

// file -> number of validity errors the schema of its edition reports (files of edition 2
// and later; the golden table beside the test data).
std::map<std::string, int> EditionErrorCounts()
{
    std::map<std::string, int> counts;
    std::istringstream lines(ReadFileText(TestDataPath("corpus_edition_errors.tsv")));
    std::string line, file;
    int count = 0;
    while (std::getline(lines, line))
        if (!line.starts_with("#") && std::istringstream(line) >> file >> count) counts[file] = count;
    return counts;
}

TEST(CorpusVerdicts, EveryListedFileGetsItsVerdicts)
{
    SKIP_WITHOUT_CORPUS();
    CVarnholtDoc doc;
    SclSchema& edition1 = doc.Schemas().BuiltIn(SclEdition::Ed2003);
    const std::map<std::string, int> editionErrors = EditionErrorCounts();
    std::vector<CorpusEntry> rows = CorpusTable();
    ASSERT_GE(rows.size(), 20u);
    for (const CorpusEntry& row : rows) {
        SCOPED_TRACE(row.file);
        std::string error;
        TreePtr tree(ParseXmlFile(CorpusPath(row.file), &error), xmlFreeDoc);
        ASSERT_EQ(tree != nullptr, row.wellFormed) << error;
        if (!tree) continue;
        const xmlNode* root = xmlDocGetRootElement(tree.get());
        ASSERT_FALSE(row.edition.empty()) << "not in EDITIONS.tsv";
        EXPECT_STREQ(EditionName(EditionOfRoot(root)), row.edition.c_str());

        std::vector<std::string> log;
        edition1.SetWriteDefaults(false);
        EXPECT_EQ(edition1.Validate(tree.get(), log), row.schemaValid);
        EXPECT_EQ(LinesWith(log, "Schemas validity error"), row.schemaErrors - CountExtRefsWithDesc(root));
        edition1.SetWriteDefaults(true);

        // Writing the schema's defaults into the tree changes neither verdict nor messages.
        doc.SetWriteSchemaDefaults(false);
        const bool valid = doc.Validate(tree.get());
        const std::vector<std::string> withoutDefaults = doc.ValidationLog();
        doc.SetWriteSchemaDefaults(true);
        EXPECT_EQ(doc.Validate(tree.get()), valid);
        EXPECT_EQ(doc.ValidationLog(), withoutDefaults);
        EXPECT_EQ(valid, row.editionValid);
        const int errors = LinesWith(doc.ValidationLog(), "Schemas validity error");
        if (row.edition == "2003") {
            EXPECT_EQ(errors, row.schemaErrors - CountExtRefsWithDesc(root));
        } else {
            const auto golden = editionErrors.find(row.file);
            EXPECT_EQ(golden == editionErrors.end() ? -1 : golden->second, errors);
        }
        if (!valid) {
            EXPECT_EQ(doc.ValidationLog().at(0).rfind("Information: checked against", 0), 0u);
        }

        std::vector<std::string> findings;
        VerifyDatasetReferences(tree.get(), findings);
        EXPECT_EQ(static_cast<int>(findings.size()), row.datasetFindings);
    }
}

}  // namespace
