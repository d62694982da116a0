#pragma once
#include "core/varnholt_doc.h"
#include "core/xml_access.h"
#include "datasets/property_view_logic.h"
#include "support/fake_ui.h"
#include "support/test_support.h"
#include "tree/tree_item.h"
#include "tree/varnholt_view.h"
#include "widgets/property_grid_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;
using EditOutcome = PropertyViewLogic::EditOutcome;

// A document with its project tree and the property view over a grid model.
class PropertyViewTest : public ::testing::Test {
protected:
    CVarnholtDoc doc;
    CVarnholtView view{doc};
    PropertyGridModel grid;
    FakeUi ui;
    PropertyViewLogic logic{view, grid, ui};

    void LoadFixture(bool valid = true) { LoadText(ReadFileText(TestDataPath("property_view.scd")), valid); }
    void LoadText(const std::string& text, bool valid = true)
    {
        LoadDocText(doc, text, valid);
        view.OnInitialUpdate();
    }
    // Selects the first item in tree order whose label starts with `label`.
    TreeItem* Select(const std::string& label)
    {
        for (TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item))
            if (item->Label().rfind(label, 0) == 0) return view.Select(item), item;
        ADD_FAILURE() << "no item " << label;
        return nullptr;
    }
    xmlNode* Selected() const { return view.SelectedRecord()->node; }
    std::string Attribute(const char* name, const char* child = nullptr) const
    {
        return GetAttribute(child ? FindChildElement(Selected(), child) : Selected(), name);
    }
    bool HasAttribute(const char* name) const { return xmlHasNsProp(Selected(), Xml(name), nullptr); }

    Lines SectionTitles() const
    {
        Lines titles;
        for (const PropertySection& section : grid.Sections()) titles.push_back(section.title);
        return titles;
    }
    // "label=shown value", followed by "*" for an editable row.
    Lines Rows(const std::string& title) const
    {
        Lines rows;
        for (const PropertySection& section : grid.Sections())
            if (section.title == title)
                for (const PropertyItem* item : section.items)
                    rows.push_back(item->label + "=" + ShownValue(*item) + (item->editable ? "*" : ""));
        return rows;
    }
    const PropertyItem* Item(const std::string& title, const std::string& label) const
    {
        for (const PropertySection& section : grid.Sections())
            for (const PropertyItem* item : section.items)
                if (section.title == title && item->label == label) return item;
        ADD_FAILURE() << "no row " << title << "/" << label;
        return nullptr;
    }
    std::string Shown(const std::string& title, const std::string& label) const
    {
        const PropertyItem* item = Item(title, label);
        return item ? ShownValue(*item) : "";
    }

    // The user's change of a row, stored as the grid stores it before it notifies: the
    // text of a choice names the option, that of a number or yes/no row is parsed.
    EditOutcome Edit(const std::string& title, const std::string& label, const std::string& text)
    {
        const PropertyItem* item = Item(title, label);
        if (!item) return EditOutcome::Ignored;
        if (item->kind == PropertyKind::Choice) {
            const auto option = std::find(item->options.begin(), item->options.end(), text);
            EXPECT_NE(option, item->options.end()) << text;
            grid.SetItemInteger(item->id, static_cast<int32_t>(option - item->options.begin()));
        } else if (item->kind == PropertyKind::Integer) {
            grid.SetItemInteger(item->id, std::stoi(text));
        } else if (item->kind == PropertyKind::Bool) {
            grid.SetItemBool(item->id, text == "true");
        } else {
            grid.SetItemText(item->id, text);
        }
        return logic.OnItemChanged(item->id);
    }
};
