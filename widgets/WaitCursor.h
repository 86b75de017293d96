#pragma once

#include <Qt>

// Shows a cursor shape over the whole application while it lives, also when the work it
// guards ends in an exception; the shape shown before comes back afterwards.
class CursorOverride
{
public:
    explicit CursorOverride(Qt::CursorShape shape);
    CursorOverride(const CursorOverride&) = delete;
    CursorOverride& operator=(const CursorOverride&) = delete;
    ~CursorOverride();
};

// The wait cursor, while the program is busy.
class WaitCursor : public CursorOverride
{
public:
    WaitCursor() : CursorOverride(Qt::WaitCursor) {}
};
