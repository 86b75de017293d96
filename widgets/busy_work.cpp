#include "busy_work.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

widgets_disabled::widgets_disabled(std::initializer_list<QWidget*> widgets)
    : focused(QApplication::focusWidget())
{
    for (QWidget* widget : widgets) {
        if (widget->isEnabled()) {
            widget->setEnabled(false);
            disabled.emplace_back(widget);
        }
    }
}

widgets_disabled::~widgets_disabled()
{
    for (const QPointer<QWidget>& widget : disabled) {
        if (widget) {
            widget->setEnabled(true);
        }
    }
    if (focused && std::find(disabled.begin(), disabled.end(), focused) != disabled.end()) {
        focused->setFocus();
    }
}

void run_beside_events(const std::function<void()>& work)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) {
        work();
        return;
    }
    // The loop below waits in the dispatcher of this thread; waking it is safe from any
    // thread, and a wake before the wait makes the wait return at once.
    QAbstractEventDispatcher* dispatcher =
        QAbstractEventDispatcher::instance(application->thread());
    std::atomic<bool> done = false;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        done = true;
        if (dispatcher != nullptr) {
            dispatcher->wakeUp();
        }
    });
    // Events are handled until the work is done, even when the application is asked to
    // quit meanwhile: the work's data must not go before the work.
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    worker.join();
    if (failure) {
        std::rethrow_exception(failure);
    }
}
