#pragma once
#include <QWidget>

class CVarnholtDoc;
class CVarnholtView;

// Stands where the property view will be: right of the tree.
class CPropertyViewPane : public QWidget {
public:
    explicit CPropertyViewPane(QWidget* parent = nullptr);
};

// The pane right of the tree; the one place that decides what it is.
QWidget* CreatePropertyPane(CVarnholtDoc& doc, CVarnholtView& view, QWidget* parent);
