#pragma once
#include "compare/compare_dialog.h"
#include "document/log_dialogs.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "import/add_ied_dialog.h"
#include "import/ied_import_command.h"
#include "project_tree/tree_outline.h"
#include "project_tree/varnholt_view.h"
#include "support/fake_ui.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>

// A project with its tree, a scripted person and a folder for the files to import.
class ImportTest : public ::testing::Test {
protected:
    CVarnholtDoc doc;
    CVarnholtView view{doc};
    FakeUi ui;
    TempDir dir;
    std::vector<std::string> logShown;
    std::vector<std::string> logTitles;  // of the "Continue?" log windows shown
    std::vector<std::string> previewLines;  // of the differences Update IED showed last
    bool cancelPreview = false;             // Cancel in that window

    // As Open does: the schema's default attributes are written into the tree.
    void LoadProject(const std::string& text)
    {
        LoadDocText(doc, text);
        ASSERT_TRUE(doc.Validate(doc.XmlTree()));
        view.OnInitialUpdate();
    }
    std::string WriteFile(const std::string& body, const std::string& rootAttributes = "")
    {
        std::string path = dir.File("ied" + std::to_string(++files_) + ".icd");
        WriteFileText(path, SclDocument(body, rootAttributes));
        return path;
    }
    // Add IED of the file, as the menu command; `name` answers the Add IED dialog (its
    // preset stands when ""), `goOn` every "Continue?" log window.
    ImportResult Add(const std::string& path, const std::string& name = "", bool goOn = false)
    {
        Answer(name, goOn);
        ui.openFileNames.push_back(path);
        return OnAddIED(view, ui);
    }
    // Update IED of the selected IED from the file, as the menu command.
    ImportResult Update(const std::string& iedName, const std::string& path)
    {
        view.Select(FindRootItem("IED: " + iedName));
        Answer("", false);
        ui.openFileNames.push_back(path);
        return OnUpdateIED(view, ui);
    }
    TreeItem* FindRootItem(const std::string& label) const
    {
        for (TreeItem* item = view.FirstRootItem(); item; item = item->NextSibling())
            if (item->Label().rfind(label, 0) == 0) return item;
        return nullptr;
    }
    std::string DocumentText() const { return XmlText(doc.XmlTree()); }
    std::vector<std::string> MessageTexts() const
    {
        std::vector<std::string> texts;
        for (const FakeUi::Message& message : ui.messages) texts.push_back(message.title + ": " + message.text);
        return texts;
    }

private:
    int files_ = 0;

    void Answer(const std::string& name, bool goOn)
    {
        ui.onDialog = [this, name, goOn](DialogModel& model) {
            if (auto* dialog = dynamic_cast<CAddIEDDialog*>(&model)) {
                if (!name.empty()) dialog->iedName = name;
                return dialog->Accept().empty();
            }
            if (auto* preview = dynamic_cast<CCompareDialog*>(&model)) {
                previewLines.clear();
                for (const Difference& difference : preview->Differences())
                    previewLines.push_back(DifferenceLine(difference));
                return !cancelPreview;
            }
            if (auto* log = dynamic_cast<CVerifyDialog*>(&model)) logShown = log->Lines();
            if (auto* log = dynamic_cast<CXMLLogDialog*>(&model)) logTitles.push_back(log->Title());
            return dynamic_cast<CVerifyDialog*>(&model) != nullptr || goOn;
        };
    }
};
