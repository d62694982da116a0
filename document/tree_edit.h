#pragma once
#include <libxml/tree.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

class ChangeChannel;

// Changes of any XML tree the program holds. In the project's tree they go through its
// change channel (the document registers it on its tree), so that they are steps of its
// history; in any other tree (a file being imported, an export being made) they are
// made at once.
ChangeChannel* ChannelOf(const xmlNode* node);
void RegisterChannel(xmlDoc* tree, ChangeChannel* channel);

void EditSetAttribute(xmlNode* element, const char* name, std::string_view value);
void EditRemoveAttribute(xmlNode* element, const char* name);
// Puts `node` (in no tree) under `parent` before `before`, last when null.
void EditInsert(xmlNode* parent, xmlNode* before, xmlNode* node);
// Takes `node` out of its tree (outside the project: and frees it).
void EditRemove(xmlNode* node);
// Makes `text` the element's text: its first text that is not blank changes, or a text
// node is put in last when it has none.
void EditSetText(xmlNode* element, std::string_view text);

// A new element in the namespace of `like` (its parent-to-be), with the attributes and
// the text taken as they stand, in no tree yet; null when libxml2 cannot allocate it.
xmlNode* NewElement(const xmlNode* like, const char* name,
                    std::initializer_list<std::pair<const char*, std::string>> attributes = {},
                    const char* text = nullptr);
