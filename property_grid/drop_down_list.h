#pragma once

// The highlighted row and the scroll position of an open drop-down list.
class DropDownList {
public:
    static constexpr int kMaxVisibleRows = 12;

    // `current` out of range highlights nothing.
    DropDownList(int count = 0, int current = -1);

    int Count() const { return count_; }
    int Highlight() const { return highlight_; }
    int Top() const { return top_; }
    int VisibleRows() const;
    int MaxTop() const { return count_ - VisibleRows() > 0 ? count_ - VisibleRows() : 0; }

    // Both stop at the ends; with nothing highlighted they highlight the first row.
    void MoveUp() { MoveTo(highlight_ < 0 ? 0 : highlight_ - 1); }
    void MoveDown() { MoveTo(highlight_ < 0 ? 0 : highlight_ + 1); }
    // The pointer is over the `row`-th row from the top of the window.
    void Hover(int row);
    void ScrollTo(int top);

private:
    void MoveTo(int index);

    int count_;
    int highlight_;
    int top_ = 0;
};
