#include "core/ied_file.h"
#include "core/xml_parse.h"
#include "import_fixture.h"

#include <array>
#include <map>

namespace {

bool IsIEDFile(const std::string& file)
{
    for (const char* extension : {".icd", ".iid", ".cid"})
        if (file.size() > 4 && file.compare(file.size() - 4, 4, extension) == 0) return true;
    return false;
}

// The IED each valid IED file of the corpus brings, and its subtree as the file shows it.
std::map<std::string, std::string> ExpectedSubtrees(std::vector<std::string>& files)
{
    std::map<std::string, std::string> subtrees;
    for (const CorpusEntry& entry : CorpusTable()) {
        if (!entry.schemaValid || !IsIEDFile(entry.file)) continue;
        files.push_back(entry.file);
        CVarnholtDoc doc;
        CVarnholtView view(doc);
        std::string error;
        xmlDoc* tree = ParseXmlFile(CorpusPath(entry.file), &error);
        EXPECT_TRUE(tree) << error;
        if (!tree) continue;
        doc.AdoptTree(tree, doc.Validate(tree));
        view.BuildTree();
        std::vector<xmlNode*> ieds = FileIEDs(tree);
        std::string name = GetAttribute(ieds[static_cast<size_t>(PreferredFileIED(ieds))], "name");
        for (TreeItem* item = view.FirstRootItem(); item; item = item->NextSibling())
            if (item->Label().rfind("IED: " + name, 0) == 0) subtrees[name] = SubtreeOutline(item);
    }
    return subtrees;
}

// Types with the ids of the files' types but other content: every data attribute gets
// an sAddr and every enumeration value another text.
void Disturb(xmlNode* node)
{
    for (xmlNode* child : ElementChildren(node)) {
        if (IsElementNamed(child, "DA") || IsElementNamed(child, "BDA")) xmlSetProp(child, Xml("sAddr"), Xml("clash"));
        if (IsElementNamed(child, "EnumVal")) xmlNodeSetContent(child, Xml((GetElementText(child) + "x").c_str()));
        Disturb(child);
    }
}

class CorpusImport : public ImportTest {
protected:
    // Returns how many types were renamed.
    size_t AddAllAndCompare(const std::vector<std::string>& files, const std::map<std::string, std::string>& subtrees)
    {
        size_t renamed = 0;
        for (const std::string& file : files) {
            SCOPED_TRACE(file);
            ImportResult result = Add(CorpusPath(file));
            EXPECT_EQ(result.outcome, ImportOutcome::Done);
            for (const MergedType& type : result.types) renamed += type.outcome == TypeMergeOutcome::Renamed;
            EXPECT_TRUE(doc.IsValid()) << (doc.ValidationLog().empty() ? "" : doc.ValidationLog().front());
        }
        for (const auto& [name, subtree] : subtrees) {
            SCOPED_TRACE(name);
            TreeItem* ied = FindRootItem("IED: " + name);
            EXPECT_TRUE(ied && SubtreeOutline(ied) == subtree);
        }
        return renamed;
    }
};

TEST_F(CorpusImport, ValidIEDFilesKeepTheirSubtreesInANewProject)
{
    SKIP_WITHOUT_CORPUS();
    std::vector<std::string> files;
    auto subtrees = ExpectedSubtrees(files);
    ASSERT_GE(subtrees.size(), 2u);
    doc.OnNewDocument();
    view.BuildTree();
    AddAllAndCompare(files, subtrees);
}

TEST_F(CorpusImport, ValidIEDFilesKeepTheirSubtreesBesideClashingTypes)
{
    SKIP_WITHOUT_CORPUS();
    std::vector<std::string> files;
    auto subtrees = ExpectedSubtrees(files);
    doc.OnNewDocument();
    std::vector<XmlDocPtr> trees;
    std::array<std::vector<xmlNode*>, kTemplateKindCount> types;  // kept in the schema's order of kinds
    StringSet ids[kTemplateKindCount];
    for (const std::string& file : files) {
        trees.emplace_back(ParseXmlFile(CorpusPath(file), nullptr));
        ASSERT_TRUE(trees.back());
        xmlNode* fileTemplates = FindChildElement(xmlDocGetRootElement(trees.back().get()), "DataTypeTemplates");
        Disturb(fileTemplates);
        for (xmlNode* type : ElementChildren(fileTemplates)) {
            TemplateKind kind;
            if (TypeIndex::KindOfElement(type, kind) && ids[static_cast<int>(kind)].insert(GetAttribute(type, "id")).second)
                types[static_cast<int>(kind)].push_back(type);
        }
    }
    xmlNode* templates = doc.TemplatesElement();
    for (const auto& kind : types)
        for (xmlNode* type : kind) xmlAddChild(templates, xmlDocCopyNode(type, doc.XmlTree(), 1));
    ASSERT_TRUE(doc.Validate(doc.XmlTree())) << doc.ValidationLog().front();
    doc.Types().Build(templates);
    view.BuildTree();
    EXPECT_GT(AddAllAndCompare(files, subtrees), 100u);
}

}  // namespace
