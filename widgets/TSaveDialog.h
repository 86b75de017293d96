#pragma once

#include "TCommonDialog.h"

// The save dialog the form declares. No command opens it.
class TSaveDialog : public TCommonDialog
{
    Q_OBJECT

public:
    explicit TSaveDialog(QWidget* parent = nullptr);
};
