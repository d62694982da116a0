#include "app_test_support.h"

#include <QAbstractButton>

bool ClickButton(QWidget* window, const QString& text)
{
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->text().remove('&') == text) {
            button->click();
            return true;
        }
    }
    return false;
}
