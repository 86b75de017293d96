#pragma once

#include <Qt>

// Shows a cursor shape over the whole application while it lives, also when the work it
// guards ends in an exception; the shape shown before comes back afterwards.
class cursor_override
{
public:
    explicit cursor_override(Qt::CursorShape shape);
    cursor_override(const cursor_override&) = delete;
    cursor_override& operator=(const cursor_override&) = delete;
    ~cursor_override();
};

// The wait cursor, while the program is busy.
class wait_cursor : public cursor_override
{
public:
    wait_cursor() : cursor_override(Qt::WaitCursor) {}
};
