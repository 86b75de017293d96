#pragma once

#include "bmp_failure.h"

#include <string>

// The reason a BMP file was refused, in words for the user: the one place where the
// codec's failures become text.
std::string bmp_failure_text(const bmp::failure& failure);
