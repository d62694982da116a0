#pragma once
#include "core/varnholt_doc.h"
#include "support/test_support.h"
#include "tree/tree_outline.h"
#include "tree/varnholt_view.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

// A document with its project tree, loaded from a fixture or from SCL body text.
class TreeTest : public ::testing::Test {
protected:
    CVarnholtDoc doc;
    CVarnholtView view{doc};

    void Load(const std::string& body)
    {
        LoadDocText(doc, SclDocument(body));
        view.OnInitialUpdate();
    }
    void LoadFixture(const std::string& name)
    {
        LoadDocText(doc, ReadFileText(TestDataPath(name)));
        view.OnInitialUpdate();
    }
    std::string Outline() const
    {
        std::ostringstream text;
        WriteTreeOutline(view, text);
        return text.str();
    }
    // The first item in pre-order whose label is `label`.
    TreeItem* Find(const std::string& label) const
    {
        for (TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item))
            if (item->Label() == label) return item;
        ADD_FAILURE() << "no item labelled '" << label << "'";
        return nullptr;
    }
    static std::vector<std::string> ChildLabels(const TreeItem* item)
    {
        std::vector<std::string> labels;
        for (TreeItem* child = item ? item->FirstChild() : nullptr; child; child = child->NextSibling())
            labels.push_back(child->Label());
        return labels;
    }
    // Parses `xml` and appends a copy of its root element to `parent` in the document.
    xmlNode* AppendXml(xmlNode* parent, const std::string& xml)
    {
        xmlDoc* fragment = ParseSclText(xml);
        if (!fragment) return nullptr;
        xmlNode* copy = xmlDocCopyNode(xmlDocGetRootElement(fragment), doc.XmlTree(), 1);
        xmlFreeDoc(fragment);
        return xmlAddChild(parent, copy);
    }
    // Every item's row is its position among its siblings.
    bool RowsConsistent() const
    {
        for (int row = 0; row < view.RootItemCount(); ++row)
            if (view.RootItem(row)->Row() != row || !RowsConsistentBelow(view.RootItem(row))) return false;
        return true;
    }
    static bool RowsConsistentBelow(const TreeItem* item)
    {
        for (int row = 0; row < item->ChildCount(); ++row) {
            const TreeItem* child = item->Child(row);
            if (child->Row() != row || child->Parent() != item || !RowsConsistentBelow(child)) return false;
        }
        return true;
    }
    size_t ItemCount() const
    {
        size_t count = 0;
        for (TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item)) ++count;
        return count;
    }
};
