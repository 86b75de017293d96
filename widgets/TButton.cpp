#include "TButton.h"

#include "TApplication.h"

TButton::TButton(QWidget* parent) : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, &TButton::Click);
}

void TButton::Click()
{
    if (OnClick) {
        Application->Guarded(OnClick);
    }
}
