#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <optional>

// A value an option takes by name.
template <typename Value> struct named_value
{
    const char* name;
    Value value;
};

template <typename Value, std::size_t count>
using value_names = std::array<named_value<Value>, count>;

template <typename Value, std::size_t count>
std::optional<Value> value_named(const value_names<Value, count>& names, const QString& text)
{
    for (const auto& entry : names) {
        if (text == QLatin1String(entry.name)) {
            return entry.value;
        }
    }
    return std::nullopt;
}

template <typename Value, std::size_t count>
QString name_of(const value_names<Value, count>& names, Value value)
{
    for (const auto& entry : names) {
        if (entry.value == value) {
            return QLatin1String(entry.name);
        }
    }
    return {};
}

// "a, b or c".
template <typename Value, std::size_t count>
QString name_list(const value_names<Value, count>& names)
{
    QStringList list;
    for (const auto& entry : names) {
        list << QLatin1String(entry.name);
    }
    const QString last = list.takeLast();
    return list.isEmpty() ? last : list.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}
