#include "ShowMessage.h"

#include <iostream>
#include <utility>

namespace {

message_sink& current_sink()
{
    static message_sink sink;
    return sink;
}

message_sink& thread_sink()
{
    thread_local message_sink sink;
    return sink;
}

} // namespace

std::recursive_mutex& standard_error_lock()
{
    static std::recursive_mutex lock;
    return lock;
}

void standard_error_line(const std::string& text)
{
    const std::lock_guard<std::recursive_mutex> hold(standard_error_lock());
    std::cerr << (text + '\n') << std::flush;
}

void ShowMessage(const std::string& text)
{
    if (const message_sink& own = thread_sink()) {
        own(text);
    } else if (const message_sink& sink = current_sink()) {
        sink(text);
    } else {
        standard_error_line(text);
    }
}

message_sink set_message_sink(message_sink sink)
{
    return std::exchange(current_sink(), std::move(sink));
}

message_sink set_thread_message_sink(message_sink sink)
{
    return std::exchange(thread_sink(), std::move(sink));
}
