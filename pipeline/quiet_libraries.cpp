#include "quiet_libraries.h"

#include "ShowMessage.h"

#include <QThread>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <iostream>

namespace {

std::atomic<QThread*> quiet_thread{nullptr};
std::atomic<bool> silencing{true};
std::atomic<QtMessageHandler> passed_on{nullptr};

void drop_quiet_threads_messages(QtMsgType type, const QMessageLogContext& context,
                                 const QString& text)
{
    if (QThread::currentThread() == quiet_thread.load()) {
        return;
    }
    if (const QtMessageHandler handler = passed_on.load()) {
        handler(type, context, text);
    }
}

// Standard error pointed at /dev/null; the descriptor it had, or -1 when it was left alone.
int silence_standard_error()
{
    std::cerr.flush();
    std::fflush(stderr);
    const int saved = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved < 0 || null < 0 || dup2(null, STDERR_FILENO) < 0) {
        for (const int fd : {saved, null}) {
            if (fd >= 0) {
                close(fd);
            }
        }
        return -1;
    }
    close(null);
    return saved;
}

} // namespace

quiet_libraries::quiet_libraries()
{
    standard_error_lock().lock();
    quiet_thread = QThread::currentThread();
    previous_handler = qInstallMessageHandler(drop_quiet_threads_messages);
    passed_on = previous_handler;
    saved_error = silencing ? silence_standard_error() : -1;
}

quiet_libraries::~quiet_libraries()
{
    if (saved_error >= 0) {
        std::fflush(stderr);
        dup2(saved_error, STDERR_FILENO);
        close(saved_error);
    }
    qInstallMessageHandler(previous_handler);
    quiet_thread = nullptr;
    standard_error_lock().unlock();
}

void silence_standard_error_while_decoding(bool silence)
{
    silencing = silence;
}
