#include "app/shell/main_frame.h"

#include "app/panes/caption_view.h"
#include "app/panes/project_tree_model.h"
#include "app/panes/project_tree_pane.h"
#include "app/panes/property_view.h"
#include "app/shell/command_table.h"
#include "app/shell/qt_user_interface.h"
#include "app/shell/shell_pictures.h"
#include "document/varnholt_doc.h"
#include "project_tree/varnholt_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <tuple>

namespace {

constexpr int kTreeWidth = 300;

QLabel* Indicator(const QString& widest)
{
    auto* label = new QLabel;
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest) + 12);
    return label;
}

QString FirstLocalFile(const QMimeData* data)
{
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

}  // namespace

CMainFrame::CMainFrame(CVarnholtDoc& doc, UserInterface& ui, RecentFileList& recentFiles, ShellResources resources,
                       QWidget* parent)
    : QMainWindow(parent),
      doc_(doc),
      ui_(ui),
      recentFiles_(recentFiles),
      resources_(std::move(resources)),
      view_(std::make_unique<CVarnholtView>(doc)),
      model_(std::make_unique<ProjectTreeModel>(*view_))
{
    setWindowIcon(ApplicationIcon());
    setAcceptDrops(true);
    CreatePanes();
    CreateActions();
    RegisterHandlers();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    view_->AddObserver(this);
    doc_.AddView(this);
    resize(1100, 760);
    RefreshState();
}

CMainFrame::~CMainFrame()
{
    doc_.RemoveView(this);
    view_->RemoveObserver(this);
    delete propertyPane_;  // an editor still open hands back its text, written through the tree view
    treePane_->setModel(nullptr);
    model_.reset();
    view_.reset();
}

void CMainFrame::CreatePanes()
{
    caption_ = new CCaptionView(CaptionLogo(resources_));
    treePane_ = new CProjectTreePane;
    treePane_->setModel(model_.get());
    propertyPane_ = new CPropertyView(*view_, ui_);

    auto* lower = new QSplitter(Qt::Horizontal);
    lower->addWidget(treePane_);
    lower->addWidget(propertyPane_);
    lower->setStretchFactor(0, 0);
    lower->setStretchFactor(1, 1);
    lower->setChildrenCollapsible(false);
    lower->setSizes({kTreeWidth, 800});

    auto* outer = new QSplitter(Qt::Vertical);
    outer->addWidget(caption_);
    outer->addWidget(lower);
    outer->setStretchFactor(0, 0);
    outer->setStretchFactor(1, 1);
    outer->setChildrenCollapsible(false);
    outer->setSizes({CCaptionView::kHeight, 600});
    setCentralWidget(outer);

    connect(treePane_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { FollowTreeCurrent(current); });
    auto changing = [this] { treeChanging_ = true; };
    auto changed = [this] {
        treeChanging_ = false;
        ShowTreeSelection();
    };
    connect(model_.get(), &QAbstractItemModel::modelAboutToBeReset, this, changing);
    connect(model_.get(), &QAbstractItemModel::rowsAboutToBeInserted, this, changing);
    connect(model_.get(), &QAbstractItemModel::rowsAboutToBeRemoved, this, changing);
    connect(model_.get(), &QAbstractItemModel::modelReset, this, changed);
    connect(model_.get(), &QAbstractItemModel::rowsInserted, this, changed);
    connect(model_.get(), &QAbstractItemModel::rowsRemoved, this, changed);
    connect(model_.get(), &ProjectTreeModel::ResetStarted, this, [this] { ui_.SetBusy(true); });
    connect(model_.get(), &ProjectTreeModel::ResetFinished, this, [this] { ui_.SetBusy(false); });

    auto* next = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(next, &QShortcut::activated, this, [this] { FocusNextPane(1); });
    auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), this);
    connect(previous, &QShortcut::activated, this, [this] { FocusNextPane(-1); });
}

void CMainFrame::CreateStatusBar()
{
    auto* message = new QLabel(tr("Ready"));
    message->setObjectName(QString::fromUtf8(QtUserInterface::StatusTextName()));
    statusBar()->addWidget(message, 1);
    auto* progress = new QProgressBar;
    progress->setObjectName(QString::fromUtf8(QtUserInterface::ProgressBarName()));
    progress->setRange(0, 100);
    progress->setMaximumWidth(200);
    progress->hide();
    statusBar()->addPermanentWidget(progress);
    edition_ = Indicator(QStringLiteral("2007B4"));
    edition_->setToolTip(tr("The SCL edition whose schema checks the project"));
    validity_ = Indicator(QStringLiteral("INVALID"));
    modified_ = Indicator(QStringLiteral("MOD"));
    statusBar()->addPermanentWidget(edition_);
    statusBar()->addPermanentWidget(validity_);
    statusBar()->addPermanentWidget(modified_);
}

void CMainFrame::RefreshState()
{
    if (!validity_) return;  // still being built
    setWindowTitle(QString::fromStdString(doc_.Title()) + QStringLiteral("[*] - Varnholt"));
    setWindowModified(doc_.IsModified());
    edition_->setText(QString::fromStdString(doc_.EditionIndicatorText()));
    validity_->setText(QString::fromUtf8(doc_.ValidityIndicatorText()));
    modified_->setText(QString::fromUtf8(doc_.ModifiedIndicatorText()));
    for (const auto& [id, action] : actions_) {
        const CommandInfo* info = FindCommand(id);
        bool enabled = HasHandler(id);
        if (enabled && info && info->availability == Availability::ProjectTree) enabled = view_->IsCommandEnabled(id);
        action->setEnabled(enabled);
    }
    Action(ShellCommand::BuiltInSchemas)->setEnabled(!doc_.Schemas().Folder().empty());
    // "Undo Delete IED P2": the texts name the step, as the tool tips do.
    for (auto [id, text, can, step] :
         {std::tuple{ShellCommand::EditUndo, "Undo", doc_.Changes().CanUndo(), doc_.Changes().UndoName()},
          std::tuple{ShellCommand::EditRedo, "R&edo", doc_.Changes().CanRedo(), doc_.Changes().RedoName()}}) {
        QAction* action = Action(id);
        const QString named = QString::fromUtf8(text) + (step.empty() ? QString() : QStringLiteral(" ") +
                                                                                       QString::fromStdString(step));
        action->setText(named);
        action->setToolTip(QString(named).remove(QLatin1Char('&')));
        action->setEnabled(can);
    }
    Action(ShellCommand::ViewToolbar)->setChecked(!toolBar_ || !toolBar_->isHidden());
    Action(ShellCommand::ViewStatusBar)->setChecked(!statusBar()->isHidden());
}

void CMainFrame::OnSelectionChanged(TreeItem*, TreeItemRecord*, const TreeCaption& caption)
{
    OnCaptionChanged(caption);
    ShowTreeSelection();
}

void CMainFrame::OnCaptionChanged(const TreeCaption& caption)
{
    caption_->SetTexts(caption.substation, caption.ied, caption.logicalDevice);
}

// The tree view's selection is the one that counts; the Qt view only shows it.
void CMainFrame::ShowTreeSelection()
{
    if (treeChanging_) return;
    QModelIndex wanted = model_->IndexOf(view_->Selected());
    if (treePane_->currentIndex() != wanted || treePane_->selectionModel()->isSelected(wanted) != wanted.isValid())
        treePane_->ShowCurrent(wanted);
}

void CMainFrame::FollowTreeCurrent(const QModelIndex& current)
{
    // While items come and go Qt moves its current index on its own; the tree view's
    // selection is shown again once the change is complete.
    if (treeChanging_) return;
    view_->Select(ProjectTreeModel::ItemAt(current));
}

void CMainFrame::FocusNextPane(int step)
{
    QWidget* panes[] = {treePane_, propertyPane_};
    int current = propertyPane_->isAncestorOf(focusWidget()) || focusWidget() == propertyPane_ ? 1 : 0;
    panes[(current + step + 2) % 2]->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!doc_.SaveModified(ui_)) {
        event->ignore();
        RefreshState();
        return;
    }
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!FirstLocalFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

// The file opens once the drop has finished, so that the questions it may ask do not
// hold up the application the file came from.
void CMainFrame::dropEvent(QDropEvent* event)
{
    QString path = FirstLocalFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [this, path] { OpenFile(path); });
}
