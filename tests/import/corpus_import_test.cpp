#include "document/xml_parse.h"
#include "import/ied_file.h"
#include "import_fixture.h"

#include <map>

namespace {

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

using CorpusImport = ImportTest;

// The valid IED files of the corpus, added one after the other into a new project and
// into one whose templates already hold clashing types of the same ids, keep the IED's
// subtree as the file shows it and the project valid.
TEST_F(CorpusImport, ValidIEDFilesKeepTheirSubtrees)
{
    SKIP_WITHOUT_CORPUS();
    std::vector<std::string> files;
    std::map<std::string, std::string> subtrees;
    std::vector<XmlDocPtr> clashing;
    for (const CorpusEntry& entry : CorpusTable()) {
        const std::string_view extension = std::string_view(entry.file).substr(entry.file.size() - 4);
        if (!entry.schemaValid || (extension != ".icd" && extension != ".iid" && extension != ".cid")) continue;
        files.push_back(entry.file);
        CVarnholtDoc file;
        CVarnholtView fileView(file);
        xmlDoc* tree = ParseXmlFile(CorpusPath(entry.file), nullptr);
        ASSERT_TRUE(tree);
        clashing.emplace_back(xmlCopyDoc(tree, 1));
        Disturb(FindChildElement(xmlDocGetRootElement(clashing.back().get()), "DataTypeTemplates"));
        file.AdoptTree(tree, file.Validate(tree));
        fileView.BuildTree();
        std::vector<xmlNode*> ieds = FileIEDs(tree);
        const std::string name = GetAttribute(ieds[static_cast<size_t>(PreferredFileIED(ieds))], "name");
        for (TreeItem* item = fileView.FirstRootItem(); item; item = item->NextSibling())
            if (item->Label().rfind("IED: " + name, 0) == 0) subtrees[name] = SubtreeOutline(item);
    }
    ASSERT_GE(subtrees.size(), 2u);

    for (bool clash : {false, true}) {
        SCOPED_TRACE(clash ? "beside clashing types" : "new project");
        doc.OnNewDocument();
        if (clash) {
            // Each id once, in the schema's order of kinds.
            std::vector<xmlNode*> types[kTemplateKindCount];
            StringSet ids[kTemplateKindCount];
            for (const XmlDocPtr& tree : clashing)
                for (xmlNode* type : ElementChildren(FindChildElement(xmlDocGetRootElement(tree.get()), "DataTypeTemplates"))) {
                    TemplateKind kind;
                    if (TypeIndex::KindOfElement(type, kind) && ids[static_cast<int>(kind)].insert(GetAttribute(type, "id")).second)
                        types[static_cast<int>(kind)].push_back(type);
                }
            for (const auto& kind : types)
                for (xmlNode* type : kind) xmlAddChild(doc.TemplatesElement(), xmlDocCopyNode(type, doc.XmlTree(), 1));
            ASSERT_TRUE(doc.Validate(doc.XmlTree())) << doc.ValidationLog().front();
            doc.Types().Build(doc.TemplatesElement());
        }
        view.BuildTree();
        size_t renamed = 0;
        for (const std::string& file : files) {
            SCOPED_TRACE(file);
            ImportResult result = Add(CorpusPath(file));
            EXPECT_EQ(result.outcome, ImportOutcome::Done);
            for (const MergedType& type : result.types) renamed += type.outcome == TypeMergeOutcome::Renamed;
            EXPECT_TRUE(doc.IsValid()) << (doc.ValidationLog().empty() ? "" : doc.ValidationLog().front());
        }
        for (const auto& [name, subtree] : subtrees) {
            TreeItem* ied = FindRootItem("IED: " + name);
            EXPECT_TRUE(ied && SubtreeOutline(ied) == subtree) << name;
        }
        if (clash) {
            EXPECT_GT(renamed, 100u);
        }
    }
}

}  // namespace
