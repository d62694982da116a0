#include "app/panes/property_view.h"

#include "app/shell/shell_pictures.h"
#include "document/varnholt_doc.h"
#include "project_tree/varnholt_view.h"
#include "property_grid/qt/property_grid.h"
#include "property_view/property_view_logic.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* ModeButton(ShellPicture picture, const QString& tip)
{
    auto* button = new QToolButton;
    button->setIcon(ShellIcon(picture));
    button->setIconSize(QSize(16, 16));
    button->setFixedSize(PropertyViewLogic::kButtonRowHeight, PropertyViewLogic::kButtonRowHeight);
    button->setToolTip(tip);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

CPropertyView::CPropertyView(CVarnholtView& view, UserInterface& ui, QWidget* parent)
    : QWidget(parent), doc_(view.Document())
{
    grid_ = new CPropertyGrid(this);
    grouped_ = ModeButton(ShellPicture::GroupedRows, tr("Rows in sections"));
    list_ = ModeButton(ShellPicture::ListRows, tr("All rows in one list"));
    auto* modes = new QButtonGroup(this);
    modes->addButton(grouped_, PropertyGridModel::kGrouped);
    modes->addButton(list_, PropertyGridModel::kList);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(0);
    buttons->addWidget(grouped_);
    buttons->addWidget(list_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(buttons);
    layout->addWidget(grid_, 1);
    setFocusProxy(grid_);

    logic_ = std::make_unique<PropertyViewLogic>(view, grid_->Model(), ui);
    ShowDisplayMode(logic_->DisplayMode());
    connect(modes, &QButtonGroup::idClicked, this, [this](int mode) {
        logic_->SetDisplayMode(mode);
        ShowDisplayMode(logic_->DisplayMode());
    });
    connect(grid_, &CPropertyGrid::itemChanged, this, &CPropertyView::OnItemChanged);
}

CPropertyView::~CPropertyView() = default;

void CPropertyView::OnItemChanged(int itemId)
{
    if (logic_->OnItemChanged(itemId) == PropertyViewLogic::EditOutcome::Written)
        doc_.UpdateAllViews(logic_.get());
}

void CPropertyView::ShowDisplayMode(int mode)
{
    grouped_->setChecked(mode == PropertyGridModel::kGrouped);
    list_->setChecked(mode == PropertyGridModel::kList);
}
