#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum class PropertyKind {
    String,   // one line of text, edited in place
    Text,     // text with line breaks, edited in the text dialog
    Integer,  // 32-bit whole number shown with a format, edited in place
    Choice,   // index into option texts, chosen from the drop-down list
    Bool,     // chosen from the drop-down list as "true" (index 0) or "false" (index 1)
};

struct PropertyItem {
    int id = -1;
    int section = -1;
    PropertyKind kind = PropertyKind::String;
    std::string label;
    bool editable = false;
    std::string text;                  // String, Text
    int32_t number = 0;                // Integer; the selected index of a Choice
    bool flag = false;                 // Bool
    std::string format;                // Integer
    std::vector<std::string> options;  // Choice
    int row = -1;                      // the item's visible row, -1 while hidden
};

struct PropertySection {
    int id = -1;
    std::string title;
    bool collapsed = false;
    std::vector<PropertyItem*> items;  // sorted by label, byte order
    int row = -1;                      // the header's visible row, -1 while hidden
};

// The value as the grid shows it.
std::string ShownValue(const PropertyItem& item);
// The text the in-place editor starts with: a whole number in plain decimal, so that
// the editor reads back what it was given whatever the item's format.
std::string InPlaceEditText(const PropertyItem& item);
// The rows of the drop-down list and the one that stands for the value (-1: none).
std::vector<std::string> DropDownOptions(const PropertyItem& item);
int DropDownIndex(const PropertyItem& item);
