#pragma once
#include "document/log_dialogs.h"
#include "document/varnholt_doc.h"
#include "document/xml_parse.h"
#include "project_tree/scl_lookups.h"
#include "project_tree/tree_outline.h"
#include "project_tree/varnholt_view.h"
#include "support/fake_ui.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using Labels = std::vector<std::string>;

// A document with its project tree, loaded from SCL body text or a fixture file.
class TreeTest : public ::testing::Test {
protected:
    CVarnholtDoc doc;
    CVarnholtView view{doc};
    FakeUi ui;

    void Load(const std::string& body) { LoadText(SclDocument(body)); }
    void LoadFixture(const char* name = "tree_project.scd") { LoadText(ReadFileText(TestDataPath(name))); }
    void LoadText(const std::string& text)
    {
        LoadDocText(doc, text);
        view.OnInitialUpdate();
    }
    // Reads a corpus file the way the program opens files; false (with a test
    // failure) when it cannot be read.
    bool LoadCorpusFile(const std::string& file)
    {
        std::string error;
        xmlDoc* tree = ParseXmlFile(CorpusPath(file), &error);
        EXPECT_NE(tree, nullptr) << error;
        if (!tree) return false;
        doc.AdoptTree(tree, false);
        view.BuildTree();
        return true;
    }
    // Answers each verification window with OK, keeping the lines of the last one.
    std::vector<std::string> windowLines;
    void KeepWindowLines()
    {
        ui.onDialog = [this](DialogModel& model) {
            windowLines = dynamic_cast<CVerifyDialog&>(model).Lines();
            return true;
        };
    }
    std::string Outline() const
    {
        std::ostringstream text;
        WriteTreeOutline(view, text);
        return text.str();
    }
    // The tree a fresh build of the document as it now is would show.
    std::string FreshOutline()
    {
        CVarnholtView fresh(doc);
        fresh.OnInitialUpdate();
        std::ostringstream text;
        WriteTreeOutline(fresh, text);
        return text.str();
    }
    // The first item in pre-order with this label, or with this path of labels without
    // markers ("IED: S > AccessPoint: AP1").
    TreeItem* Find(const std::string& label) const
    {
        for (TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item))
            if (item->Label() == label || PathOf(item) == label) return item;
        ADD_FAILURE() << "no item " << label;
        return nullptr;
    }
    xmlNode* NodeOf(const std::string& label) const { return view.Record(Find(label))->node; }
    Labels ChildLabels(const TreeItem* parent) const
    {
        Labels labels;
        for (TreeItem* c = parent ? parent->FirstChild() : view.FirstRootItem(); c; c = c->NextSibling())
            labels.push_back(c->Label());
        return labels;
    }
    // Appends a copy of the element `xml` to `parent` in the document.
    xmlNode* AppendXml(xmlNode* parent, const std::string& xml)
    {
        xmlDoc* fragment = ParseSclText(xml);
        xmlNode* copy = xmlDocCopyNode(xmlDocGetRootElement(fragment), doc.XmlTree(), 1);
        xmlFreeDoc(fragment);
        return xmlAddChild(parent, copy);
    }
    // Counts the items, checking on the way that each knows its row and parent.
    size_t CheckedItemCount() const
    {
        size_t count = 0;
        for (TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item), ++count) {
            const TreeItem* parent = item->Parent();
            EXPECT_EQ(parent ? parent->Child(item->Row()) : view.RootItem(item->Row()), item) << item->Label();
        }
        return count;
    }
    static std::string PathOf(const TreeItem* item)
    {
        std::string path;
        for (; item; item = item->Parent()) {
            std::string label = item->Label();
            while (label.size() > 4 && label.ends_with("]") && label.compare(label.size() - 4, 2, " [") == 0)
                label.resize(label.size() - 4);
            path = label + (path.empty() ? "" : " > " + path);
        }
        return path;
    }
};
