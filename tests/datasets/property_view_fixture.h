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

#include <string>
#include <vector>

using Lines = std::vector<std::string>;

// A document with its project tree and the property view over a grid model.
class PropertyViewTest : public ::testing::Test {
protected:
    CVarnholtDoc doc;
    CVarnholtView view{doc};
    PropertyGridModel grid;
    FakeUi ui;
    PropertyViewLogic logic{view, grid, ui};

    void LoadFixture(bool valid = true) { LoadText(ReadFileText(TestDataPath("property_view.scd")), valid); }
    void Load(const std::string& body, bool valid = true) { LoadText(SclDocument(body), valid); }
    void LoadText(const std::string& text, bool valid = true)
    {
        LoadDocText(doc, text, valid);
        view.OnInitialUpdate();
    }

    // Selects the first item in tree order whose label starts with `label`.
    TreeItem* Select(const std::string& label)
    {
        for (TreeItem* item = view.FirstRootItem(); item; item = NextItemInPreOrder(item)) {
            if (item->Label().rfind(label, 0) == 0) {
                view.Select(item);
                return item;
            }
        }
        ADD_FAILURE() << "no item " << label;
        return nullptr;
    }
    xmlNode* SelectedNode() const { return view.SelectedRecord()->node; }
    xmlNode* SelectedChild(const char* name) const { return FindChildElement(SelectedNode(), name); }

    Lines SectionTitles() const
    {
        Lines titles;
        for (const PropertySection& section : grid.Sections()) titles.push_back(section.title);
        return titles;
    }
    // "label=shown value", followed by the kind of editor for an editable row.
    Lines Rows(const std::string& title) const
    {
        Lines rows;
        for (const PropertySection& section : grid.Sections()) {
            if (section.title != title) continue;
            for (const PropertyItem* item : section.items) rows.push_back(Describe(*item));
            return rows;
        }
        ADD_FAILURE() << "no section " << title;
        return rows;
    }
    static std::string Describe(const PropertyItem& item)
    {
        static const char* const kEditors[] = {" [string]", " [text]", " [number]", " [choice]", " [yes/no]"};
        std::string row = item.label + "=" + ShownValue(item);
        if (item.editable) row += kEditors[static_cast<int>(item.kind)];
        return row;
    }
    int ItemId(const std::string& title, const std::string& label) const
    {
        for (const PropertySection& section : grid.Sections()) {
            if (section.title != title) continue;
            for (const PropertyItem* item : section.items)
                if (item->label == label) return item->id;
        }
        ADD_FAILURE() << "no row " << title << "/" << label;
        return -1;
    }
    std::string Shown(const std::string& title, const std::string& label) const
    {
        const PropertyItem* item = grid.FindItem(ItemId(title, label));
        return item ? ShownValue(*item) : "";
    }

    // The user's change of one row, as the grid stores it before it notifies.
    PropertyViewLogic::EditOutcome EditText(const std::string& title, const std::string& label, const std::string& text)
    {
        const int id = ItemId(title, label);
        EXPECT_TRUE(grid.SetItemText(id, text));
        return logic.OnItemChanged(id);
    }
    PropertyViewLogic::EditOutcome EditNumber(const std::string& title, const std::string& label, int32_t value)
    {
        const int id = ItemId(title, label);
        EXPECT_TRUE(grid.SetItemInteger(id, value));
        return logic.OnItemChanged(id);
    }
    PropertyViewLogic::EditOutcome EditBool(const std::string& title, const std::string& label, bool value)
    {
        const int id = ItemId(title, label);
        EXPECT_TRUE(grid.SetItemBool(id, value));
        return logic.OnItemChanged(id);
    }
    PropertyViewLogic::EditOutcome Choose(const std::string& title, const std::string& label, const std::string& option)
    {
        const int id = ItemId(title, label);
        const PropertyItem* item = grid.FindItem(id);
        if (!item) return PropertyViewLogic::EditOutcome::Ignored;
        int index = 0;
        while (index < static_cast<int>(item->options.size()) && item->options[static_cast<size_t>(index)] != option)
            ++index;
        EXPECT_LT(index, static_cast<int>(item->options.size())) << "no option " << option;
        EXPECT_TRUE(grid.SetItemInteger(id, index));
        return logic.OnItemChanged(id);
    }

    static bool HasAttribute(const xmlNode* element, const char* name)
    {
        return xmlHasNsProp(element, Xml(name), nullptr) != nullptr;
    }
};

using EditOutcome = PropertyViewLogic::EditOutcome;
