#include "app/windows/help_window.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QToolButton* Button(QWidget* owner, QStyle::StandardPixmap picture, const QString& tip)
{
    auto* button = new QToolButton(owner);
    button->setIcon(owner->style()->standardIcon(picture));
    button->setToolTip(tip);
    return button;
}

}  // namespace

CHelpWindow::CHelpWindow(QWidget* parent) : QDialog(parent)
{
    Q_INIT_RESOURCE(help);
    setWindowTitle(tr("Varnholt Help"));
    setSizeGripEnabled(true);
    browser_ = new QTextBrowser;
    browser_->setOpenExternalLinks(false);
    browser_->setSource(QUrl(QStringLiteral("qrc:/help/index.html")));

    QToolButton* back = Button(this, QStyle::SP_ArrowBack, tr("Back"));
    QToolButton* forward = Button(this, QStyle::SP_ArrowForward, tr("Forward"));
    QToolButton* home = Button(this, QStyle::SP_DirHomeIcon, tr("Contents"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QToolButton::clicked, browser_, &QTextBrowser::home);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(tr("Varnholt Help") + " - " + browser_->documentTitle()); });

    auto* tools = new QHBoxLayout;
    tools->addWidget(back);
    tools->addWidget(forward);
    tools->addWidget(home);
    tools->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(browser_);
    resize(760, 560);
}
