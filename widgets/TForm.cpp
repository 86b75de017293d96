#include "TForm.h"

#include "form_loader.h"

TForm::TForm(const QString& resourceName, QWidget* parent) : QWidget(parent)
{
    load_form(*this, resourceName);
}

void TForm::Close()
{
    close();
}
