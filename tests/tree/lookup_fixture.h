#pragma once
#include "support/fake_ui.h"
#include "tree/scl_lookups.h"
#include "tree_fixture.h"

#include <string>

// The project of tests/data/lookup_project.scd, with items addressed by their path of
// labels without markers: "IED: S > AccessPoint: AP1 > Server".
class LookupTest : public TreeTest {
protected:
    FakeUi ui;

    static constexpr const char* kS1 = "IED: S > AccessPoint: AP1 > Server > LD: LD0";
    static constexpr const char* kS1LLN0 = "IED: S > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0";
    static constexpr const char* kS2LLN0 = "IED: S > AccessPoint: AP2 > Server > LD: LD0 > LN: LLN0";
    static constexpr const char* kRInputs = "IED: R > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0 > Inputs";

    void LoadLookupProject() { LoadText(ReadFileText(TestDataPath("lookup_project.scd"))); }

    static std::string WithoutMarkers(std::string label)
    {
        for (const char* marker : {" [D]", " [R]", " [G]", " [I]"})
            if (label.size() >= 4 && label.compare(label.size() - 4, 4, marker) == 0) label.resize(label.size() - 4);
        return label;
    }
    // The first item at each step whose label matches.
    TreeItem* At(const std::string& path) const
    {
        TreeItem* parent = nullptr;
        size_t start = 0;
        while (true) {
            size_t end = path.find(" > ", start);
            std::string label = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
            TreeItem* found = nullptr;
            for (TreeItem* c = parent ? parent->FirstChild() : view.FirstRootItem(); c && !found; c = c->NextSibling())
                if (WithoutMarkers(c->Label()) == label) found = c;
            if (!found) {
                ADD_FAILURE() << "no item " << label << " in " << path;
                return nullptr;
            }
            if (end == std::string::npos) return found;
            parent = found;
            start = end + 3;
        }
    }
    static std::string PathOf(const TreeItem* item)
    {
        std::string path;
        for (; item; item = item->Parent()) path = WithoutMarkers(item->Label()) + (path.empty() ? "" : " > " + path);
        return path;
    }
};
