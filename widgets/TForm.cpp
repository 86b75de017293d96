#include "TForm.h"

#include "form_loader.h"

TForm::TForm(const QString& resource_name, QWidget* parent) : QWidget(parent)
{
    load_form(*this, resource_name);
}

void TForm::Close()
{
    close();
}
