#pragma once
#include <QIcon>

// The 16 x 16 picture of each kind of project tree item (TreeItemKind 0 to 24); an
// unknown kind gets the picture of "any other element".
const QIcon& TreeKindIcon(int kind);
