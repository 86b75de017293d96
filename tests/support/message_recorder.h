#pragma once

#include "ShowMessage.h"

#include <string>
#include <vector>

// Records every ShowMessage text while it lives, instead of showing it.
class message_recorder
{
public:
    message_recorder()
        : previous(set_message_sink([this](const std::string& text) { texts.push_back(text); }))
    {
    }
    message_recorder(const message_recorder&) = delete;
    message_recorder& operator=(const message_recorder&) = delete;
    ~message_recorder() { set_message_sink(previous); }

    std::vector<std::string> texts;

private:
    message_sink previous;
};
