#pragma once
#include <ostream>

class CVarnholtView;

// The project tree as text: one item per line, its label indented by two blanks per
// level below the root level.
void WriteTreeOutline(const CVarnholtView& view, std::ostream& out);
