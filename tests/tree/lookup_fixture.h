#pragma once
#include "support/fake_ui.h"
#include "tree/scl_lookups.h"
#include "tree_fixture.h"

#include <string>

// The project of tests/data/lookup_project.scd. Items are named by their path of labels
// without markers, e.g. "IED: S > AccessPoint: AP1 > Server".
class LookupTest : public TreeTest {
protected:
    FakeUi ui;

    void LoadLookupProject() { LoadText(ReadFileText(TestDataPath("lookup_project.scd"))); }

    static std::string Unmarked(std::string label)
    {
        for (const char* marker : {" [D]", " [R]", " [G]", " [I]"})
            if (label.ends_with(marker)) label.resize(label.size() - 4);
        return label;
    }
    // At each step the first child with that label.
    TreeItem* At(const std::string& path) const
    {
        TreeItem* item = nullptr;
        size_t start = 0;
        for (bool last = false; !last;) {
            size_t end = path.find(" > ", start);
            last = end == std::string::npos;
            std::string label = path.substr(start, last ? end : end - start);
            TreeItem* child = item ? item->FirstChild() : view.FirstRootItem();
            while (child && Unmarked(child->Label()) != label) child = child->NextSibling();
            if (!child) {
                ADD_FAILURE() << "no item " << path;
                return nullptr;
            }
            item = child;
            start = end + 3;
        }
        return item;
    }
    static std::string PathOf(const TreeItem* item)
    {
        std::string path;
        for (; item; item = item->Parent()) path = Unmarked(item->Label()) + (path.empty() ? "" : " > " + path);
        return path;
    }
};

// Paths into the lookup project.
inline const std::string kN1 = "Communication > SubNetwork: N1";
inline const std::string kN2 = "Communication > SubNetwork: N2";
inline const std::string kS1 = "IED: S > AccessPoint: AP1 > Server > LD: LD0";
inline const std::string kS1LLN0 = kS1 + " > LN: LLN0";
inline const std::string kS2 = "IED: S > AccessPoint: AP2 > Server > LD: LD0";
inline const std::string kRInputs = "IED: R > AccessPoint: AP1 > Server > LD: LD0 > LN: LLN0 > Inputs";
