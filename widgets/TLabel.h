#pragma once

#include <QLabel>

// A line of text on a form.
class TLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TLabel(QWidget* parent = nullptr);
};
