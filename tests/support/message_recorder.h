#pragma once

#include "ShowMessage.h"

#include <string>
#include <vector>

// Records every ShowMessage text while it lives, instead of showing it.
class MessageRecorder
{
public:
    MessageRecorder()
        : previous(SetMessageSink([this](const std::string& text) { texts.push_back(text); }))
    {
    }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;
    ~MessageRecorder() { SetMessageSink(previous); }

    std::vector<std::string> texts;

private:
    MessageSink previous;
};
