#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <vector>

// Disables widgets while it lives, so that clicks on them meanwhile are dropped, not
// queued; each comes back enabled afterwards, however the work ends, and the one that had
// the keyboard focus gets it back.
class widgets_disabled
{
public:
    explicit widgets_disabled(std::initializer_list<QWidget*> widgets);
    widgets_disabled(const widgets_disabled&) = delete;
    widgets_disabled& operator=(const widgets_disabled&) = delete;
    ~widgets_disabled();

private:
    std::vector<QPointer<QWidget>> disabled;
    QPointer<QWidget> focused;
};

// Runs `work` on a thread of its own while this thread goes on handling its events, so
// the windows repaint, and returns once the work has ended, raising here what it raised.
// Without an application object the work runs here.
void run_beside_events(const std::function<void()>& work);
