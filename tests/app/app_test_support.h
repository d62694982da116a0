#pragma once
#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Acts on the next modal window of type W once it is shown (the code under test is
// blocked in its exec() meanwhile). Gives up after five seconds.
template <typename W>
void WhenModalShown(std::function<void(W*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act, tries = 500]() mutable {
        W* window = dynamic_cast<W*>(QApplication::activeModalWidget());
        if (!window && --tries > 0) return;
        timer->stop();
        timer->deleteLater();
        if (window) act(window);
    });
    timer->start();
}

// Clicks the button with this text in a window.
inline bool ClickButton(QWidget* window, const QString& text)
{
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->text().remove('&') == text) {
            button->click();
            return true;
        }
    }
    return false;
}
