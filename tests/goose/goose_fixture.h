#pragma once
#include "core/varnholt_doc.h"
#include "core/xml_access.h"
#include "support/fake_ui.h"
#include "support/test_support.h"
#include "tree/varnholt_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A project from tests/data with its tree. Items are named by their labels without
// markers, from the root: "IED: R > AccessPoint: AP1 > Server > LD: LD0".
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

    static std::string Unmarked(std::string label)
    {
        while (label.size() > 4 && label[label.size() - 4] == ' ' && label[label.size() - 3] == '[')
            label.resize(label.size() - 4);
        return label;
    }
    TreeItem* At(const std::string& path) const
    {
        TreeItem* item = nullptr;
        for (size_t start = 0;;) {
            size_t end = path.find(" > ", start);
            std::string label = path.substr(start, end == std::string::npos ? end : end - start);
            TreeItem* child = item ? item->FirstChild() : view.FirstRootItem();
            while (child && Unmarked(child->Label()) != label) child = child->NextSibling();
            if (!child) {
                ADD_FAILURE() << "no item " << path;
                return nullptr;
            }
            item = child;
            if (end == std::string::npos) return item;
            start = end + 3;
        }
    }
    // The receiving logical node of an IED built like the fixtures' receivers.
    static std::string Inputs(const std::string& ied, const std::string& ln = "LLN0")
    {
        return "IED: " + ied + " > AccessPoint: AP1 > Server > LD: LD0 > LN: " + ln + " > Inputs";
    }
    TreeItem* ExtRefAt(const std::string& inputs, int row) const
    {
        TreeItem* parent = At(inputs);
        return parent ? parent->Child(row) : nullptr;
    }
    xmlNode* Element(const TreeItem* item) const { return view.Record(item)->node; }
    std::string Attr(const TreeItem* item, const char* name) const { return GetAttribute(Element(item), name); }
    bool HasAttr(const TreeItem* item, const char* name) const
    {
        return xmlHasNsProp(Element(item), Xml(name), nullptr) != nullptr;
    }
    // "ied|ld|prefix|lnClass|lnInst|do|da", with "-" for an absent attribute.
    std::string Reference(const TreeItem* extRef) const
    {
        std::string text;
        for (const char* name : {"iedName", "ldInst", "prefix", "lnClass", "lnInst", "doName", "daName"})
            text += (text.empty() ? "" : "|") + (HasAttr(extRef, name) ? Attr(extRef, name) : std::string("-"));
        return text;
    }
};
