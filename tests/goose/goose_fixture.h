#pragma once
#include "core/varnholt_doc.h"
#include "core/xml_access.h"
#include "support/fake_ui.h"
#include "support/test_support.h"
#include "tree/varnholt_view.h"

#include <gtest/gtest.h>

#include <string>

// The item reached by labels without markers, from the root:
// "IED: R > AccessPoint: AP1 > Server > LD: LD0".
inline TreeItem* ItemAt(const CVarnholtView& view, const std::string& path)
{
    TreeItem* item = nullptr;
    for (size_t start = 0, end = 0; end != std::string::npos; start = end + 3) {
        end = path.find(" > ", start);
        TreeItem* child = item ? item->FirstChild() : view.FirstRootItem();
        for (; child; child = child->NextSibling()) {
            std::string label = child->Label();
            while (label.size() > 4 && label.compare(label.size() - 4, 2, " [") == 0) label.resize(label.size() - 4);
            if (label == path.substr(start, end - start)) break;
        }
        if (!(item = child)) ADD_FAILURE() << "no item " << path;
        if (!item) return nullptr;
    }
    return item;
}

// A project from tests/data with its tree.
class GooseTest : public ::testing::Test {
protected:
    CVarnholtDoc doc;
    CVarnholtView view{doc};
    FakeUi ui;

    void Load(const std::string& fixture)
    {
        LoadDocText(doc, ReadFileText(TestDataPath(fixture)));
        view.OnInitialUpdate();
    }
    TreeItem* At(const std::string& path) const { return ItemAt(view, path); }
    // The Inputs item of the LLN0 of LD0 of the IED's AP1, as the fixtures have it.
    static std::string Inputs(const std::string& ied)
    {
        return "IED: " + ied + " > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0 > Inputs";
    }
    TreeItem* ExtRefAt(const std::string& ied, int row) const { return At(Inputs(ied))->Child(row); }
    xmlNode* Element(const TreeItem* item) const { return view.Record(item)->node; }
    std::string Attr(const TreeItem* item, const char* name) const { return GetAttribute(Element(item), name); }
    // "ied|ld|prefix|lnClass|lnInst|do|da", "-" for an absent attribute.
    std::string Reference(const TreeItem* extRef) const
    {
        std::string text;
        for (const char* name : {"iedName", "ldInst", "prefix", "lnClass", "lnInst", "doName", "daName"}) {
            bool present = xmlHasNsProp(Element(extRef), Xml(name), nullptr) != nullptr;
            text += (text.empty() ? "" : "|") + (present ? Attr(extRef, name) : std::string("-"));
        }
        return text;
    }
    std::string DocumentText() const { return XmlText(doc.XmlTree()); }
};
