#include "TCommonDialog.h"

TCommonDialog::TCommonDialog(QWidget* parent) : QWidget(parent)
{
    // Hidden on purpose, so showing the form does not show the component.
    hide();
}
