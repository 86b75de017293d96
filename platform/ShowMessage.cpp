#include "ShowMessage.h"

#include <iostream>
#include <utility>

namespace {

MessageSink& current_sink()
{
    static MessageSink sink;
    return sink;
}

} // namespace

void StandardErrorLine(const std::string& text)
{
    std::cerr << text << '\n' << std::flush;
}

void ShowMessage(const std::string& text)
{
    if (const MessageSink& sink = current_sink()) {
        sink(text);
    } else {
        StandardErrorLine(text);
    }
}

MessageSink SetMessageSink(MessageSink sink)
{
    return std::exchange(current_sink(), std::move(sink));
}
