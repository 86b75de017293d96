#pragma once

#include "ShowMessage.h"

#include <string>

// While it lives, every message the computation shows on this thread goes to standard
// error, after `prefix` and ": " when a prefix is given, and is counted.
class message_counter
{
public:
    explicit message_counter(const std::string& prefix = {})
        : previous(set_thread_message_sink([this, prefix](const std::string& text) {
              ++count;
              standard_error_line(prefix.empty() ? text : prefix + ": " + text);
          }))
    {
    }
    message_counter(const message_counter&) = delete;
    message_counter& operator=(const message_counter&) = delete;
    ~message_counter() { set_thread_message_sink(previous); }

    int count = 0;

private:
    message_sink previous;
};
