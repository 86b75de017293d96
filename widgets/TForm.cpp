#include "TForm.h"

#include "FormLoader.h"

TForm::TForm(const QString& resourceName, QWidget* parent) : QWidget(parent)
{
    LoadForm(*this, resourceName);
}

void TForm::Close()
{
    close();
}
