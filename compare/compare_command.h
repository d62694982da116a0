#pragma once
#include "compare/document_compare.h"

#include <libxml/tree.h>

#include <string>

class CVarnholtView;
class UserInterface;

// The options of a comparison of the project with another file: the values each side's
// schema gives left-out attributes.
CompareOptions CompareOptionsFor(const xmlNode* rootA, const xmlNode* rootB);

// Selects the element of a difference in the project tree (for an element only in the
// other file, the nearest element of the project around it).
void SelectDifference(CVarnholtView& view, const Difference& difference);

// File > Compare with...: asks for an SCL file, compares the project with it and shows
// the differences; a file that cannot be read, or is not SCL, is told and nothing shown.
void OnCompareWith(CVarnholtView& view, UserInterface& ui);
// The same with the file given.
void CompareWithFile(CVarnholtView& view, const std::string& path, UserInterface& ui);
