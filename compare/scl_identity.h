#pragma once
#include <libxml/tree.h>

#include <string>

// How the comparison of two SCL documents tells which element of one is which of the
// other: by the attributes that name it in SCL, or else by its place among the siblings
// of its name.

// The identity of `element` among its siblings: "P1" for IED P1, "LD0/GGIO1.Ind1.stVal ST"
// for an FCDA, "2" for the second Val; "" for the first (or only) element of a name that
// is told apart by place.
std::string IdentityOf(const xmlNode* element, int placeAmongItsName);

// The element's step in a path: "IED[P1]", "Server", "Val[2]".
std::string PathStep(const xmlNode* element, const std::string& identity);

// Elements whose place among the siblings of their name is part of what they are (the
// members of a dataset): moving one is a change.
bool OrderMatters(const xmlNode* element);
