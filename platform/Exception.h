#pragma once

#include <stdexcept>
#include <string>

// The base exception of the platform layer: it carries the text shown to the user.
class Exception : public std::runtime_error
{
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}

    std::string Message() const { return what(); }
};
