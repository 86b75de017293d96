#include "memory_budget.h"

#include "Exception.h"
#include "byte_counts.h"

#include <QCoreApplication>
#include <QString>

#include <sys/resource.h>

#include <algorithm>
#include <bit>
#include <fstream>
#include <utility>

namespace {

using bmp::saturating_product;
using bmp::saturating_sum;

constexpr std::uint64_t unlimited = bmp::largest_count;

// The value in KiB of `key` in a /proc file of "Key:   123 kB" lines, in bytes.
std::uint64_t proc_kib(const char* path, const std::string& key)
{
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind(key + ":", 0) == 0) {
            return std::stoull(line.substr(key.size() + 1)) * 1024;
        }
    }
    return unlimited;
}

// What a resource limit leaves when `used` bytes of it are taken.
std::uint64_t left_under_limit(int resource, const std::string& used_key)
{
    rlimit limit{};
    if (getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return unlimited;
    }
    const std::uint64_t used = proc_kib("/proc/self/status", used_key);
    return used >= limit.rlim_cur ? 0 : limit.rlim_cur - used;
}

std::uint64_t machine_memory()
{
    return std::min({proc_kib("/proc/meminfo", "MemAvailable"),
                     left_under_limit(RLIMIT_AS, "VmSize"),
                     left_under_limit(RLIMIT_DATA, "VmData")});
}

memory_probe& probe()
{
    static memory_probe current = machine_memory;
    return current;
}

std::uint64_t& pixel_cap()
{
    static std::uint64_t cap = no_pixel_cap;
    return cap;
}

void require_padded_area(std::int64_t width, std::int64_t height)
{
    const std::uint64_t padded_width = power_of_two_at_or_above(width);
    const std::uint64_t padded_height = power_of_two_at_or_above(height);
    const std::uint64_t area = saturating_product(padded_width, padded_height);
    if (area <= pixel_cap()) {
        return;
    }
    throw Exception(
        QCoreApplication::translate(
            "memory", "The %1 x %2 picture is padded to %3 x %4 pixels, more than the %5 allowed")
            .arg(QString::number(width), QString::number(height), QString::number(padded_width),
                 QString::number(padded_height), QString::number(pixel_cap())));
}

} // namespace

std::uint64_t power_of_two_at_or_above(std::int64_t side)
{
    return side <= 1 ? 1 : std::bit_ceil(static_cast<std::uint64_t>(side));
}

std::uint64_t set_padded_pixel_cap(std::uint64_t cap)
{
    return std::exchange(pixel_cap(), cap);
}

std::uint64_t padded_pixel_cap()
{
    return pixel_cap();
}

std::uint64_t available_memory()
{
    return probe()();
}

memory_probe set_memory_probe(memory_probe replacement)
{
    memory_probe previous = std::move(probe());
    probe() = replacement ? std::move(replacement) : memory_probe(machine_memory);
    return previous;
}

std::string memory_text(std::uint64_t bytes)
{
    if (bytes < 1024) {
        // Below 1024, the count fits the int that the plural rules take.
        const int count = static_cast<int>(bytes);
        return QCoreApplication::translate("memory", "%n byte(s)", nullptr, count).toStdString();
    }
    constexpr const char* units[] = {"KiB", "MiB", "GiB", "TiB", "PiB", "EiB"};
    double value = static_cast<double>(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 5) {
        value /= 1024;
        ++unit;
    }
    // The same figures in every language and locale: a point before the one decimal.
    return QString::number(value, 'f', 1).toStdString() + ' ' + units[unit];
}

void require_memory(std::int64_t width, std::int64_t height, std::uint64_t bytes,
                    const std::string& purpose)
{
    require_padded_area(width, height);
    const std::uint64_t available = available_memory();
    if (saturating_sum(bytes, memory_reserve) <= available) {
        return;
    }
    const std::uint64_t usable = available > memory_reserve ? available - memory_reserve : 0;
    throw Exception(
        QCoreApplication::translate("memory",
                                    "The %1 x %2 picture needs %3 of memory %4, but only %5 are "
                                    "available")
            .arg(QString::number(width), QString::number(height),
                 QString::fromStdString(memory_text(bytes)), QString::fromStdString(purpose),
                 QString::fromStdString(memory_text(usable))));
}

std::uint64_t picture_bytes(std::int64_t width, std::int64_t height, int bits_per_pixel)
{
    return saturating_product(bmp::padded_row_bytes(static_cast<std::uint64_t>(width),
                                                    static_cast<std::uint64_t>(bits_per_pixel)),
                              static_cast<std::uint64_t>(height));
}

std::uint64_t row_list_bytes(std::int64_t rows)
{
    return saturating_product(static_cast<std::uint64_t>(rows), sizeof(std::uint8_t*));
}
