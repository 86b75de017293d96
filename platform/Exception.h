#pragma once

#include <QString>

#include <stdexcept>
#include <string>

// The base exception of the platform layer: it carries the text shown to the user.
class Exception : public std::runtime_error
{
public:
    explicit Exception(const char* message) : std::runtime_error(message) {}
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    // A translated text, held as UTF-8.
    explicit Exception(const QString& message) : Exception(message.toStdString()) {}

    std::string Message() const { return what(); }
};
