#pragma once
// The hourglass for the length of a long operation (loading or saving a report): set on
// construction, the previous cursor back on destruction, also when the operation raises.
// Without a GUI application there is no cursor and nothing happens.
class TWaitCursor {
public:
    TWaitCursor();
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor &) = delete;
    TWaitCursor &operator=(const TWaitCursor &) = delete;

    bool Active() const { return FActive; }

private:
    bool FActive = false;
};
