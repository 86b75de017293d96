#pragma once

#include <QPushButton>

#include <functional>

// A push button whose click runs OnClick. An exception leaving OnClick goes to the
// application's handler and never into Qt's event delivery.
class TButton : public QPushButton
{
    Q_OBJECT

public:
    explicit TButton(QWidget* parent = nullptr);

    std::function<void()> OnClick;

private:
    void Click();
};
