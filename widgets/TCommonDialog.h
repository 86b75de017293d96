#pragma once

#include <QWidget>

// A dialog component placed on a form: it stays hidden and shows nothing of its own
// until a command opens it.
class TCommonDialog : public QWidget
{
    Q_OBJECT

public:
    explicit TCommonDialog(QWidget* parent = nullptr);
};
