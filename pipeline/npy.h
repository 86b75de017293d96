#pragma once

#include "matrix.h"

#include <QByteArray>
#include <QIODevice>

// The header of a NumPy file (format 1.0) holding a C-order array of complex128 numbers
// with `rows` rows and `columns` columns, padded so the data starts on a 64-byte line.
QByteArray npy_header(int rows, int columns);

// Writes the matrix as such a file of rows x cols / 2 complex numbers; false when the
// device refuses a byte.
bool write_npy(QIODevice& device, const matrix& m);
