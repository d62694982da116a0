#include "compare/compare_dialog.h"

std::string CCompareDialog::ChangeText(const Difference& difference)
{
    switch (difference.kind) {
    case Difference::Kind::Added: return "added";
    case Difference::Kind::Removed: return "removed";
    case Difference::Kind::Changed: break;
    }
    return difference.what + ": " + difference.before + " -> " + difference.after;
}
