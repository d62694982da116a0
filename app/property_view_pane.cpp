#include "app/property_view_pane.h"

CPropertyViewPane::CPropertyViewPane(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

QWidget* CreatePropertyPane(CVarnholtDoc&, CVarnholtView&, QWidget* parent)
{
    return new CPropertyViewPane(parent);
}
