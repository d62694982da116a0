#pragma once
#include "document/xml_access.h"
#include "project_tree/tree_fixture.h"

// A project from tests/data with its tree.
class GooseTest : public TreeTest {
protected:
    // The Inputs item of the LLN0 of LD0 of the IED's AP1, as the fixtures have it.
    static std::string Inputs(const std::string& ied)
    {
        return "IED: " + ied + " > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0 > Inputs";
    }
    TreeItem* ExtRefAt(const std::string& ied, int row) const { return Find(Inputs(ied))->Child(row); }
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
