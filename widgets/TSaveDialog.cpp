#include "TSaveDialog.h"

TSaveDialog::TSaveDialog(QWidget* parent) : TCommonDialog(parent) {}
