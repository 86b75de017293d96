#pragma once

// Shows the wait cursor over the whole application while it lives, also when the work
// it guards ends in an exception.
class WaitCursor
{
public:
    WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor();
};
