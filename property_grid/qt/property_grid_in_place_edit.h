#pragma once
#include <QLineEdit>

// The one-line editor laid over a value cell. Enter, Tab, Ctrl with an arrow or page
// key, and losing the focus close it; Escape first puts the initial text back. It
// hands its text over with editClosed when it closes.
class CPropertyGridInPlaceEdit : public QLineEdit {
    Q_OBJECT
public:
    // `owner` takes the keyboard focus back when the editor closes while holding it.
    CPropertyGridInPlaceEdit(QWidget* parent, QWidget* owner);

    void Open(const QRect& cell, const QString& text);
    void Close();
    bool IsOpen() const { return open_; }

signals:
    void editClosed(const QString& text);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QWidget* owner_;
    QString initial_;
    bool open_ = false;
};
