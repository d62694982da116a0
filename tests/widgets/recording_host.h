#pragma once
#include "widgets/property_grid_model.h"

#include <string>
#include <vector>

// Records what the grid asks of its window; the text dialog answers as scripted.
struct RecordingHost : PropertyGridHost {
    std::vector<int> changed;
    std::vector<std::string> opened;  // "edit <id> <text>", "list <id> <current> <options...>", "dialog <title>"
    int closes = 0;
    bool dialogAccepts = true;
    std::string dialogText;
    std::string dialogSaw;

    void ItemChanged(int id) override { changed.push_back(id); }
    void OpenInPlaceEdit(int id, const std::string& text) override
    {
        opened.push_back("edit " + std::to_string(id) + " " + text);
    }
    void OpenDropDown(int id, const std::vector<std::string>& options, int current) override
    {
        std::string line = "list " + std::to_string(id) + " " + std::to_string(current);
        for (const std::string& option : options) line += " " + option;
        opened.push_back(line);
    }
    void CloseEditor() override { ++closes; }
    bool EditText(const std::string& title, std::string& text) override
    {
        opened.push_back("dialog " + title);
        dialogSaw = text;
        if (dialogAccepts) text = dialogText;
        return dialogAccepts;
    }
};
