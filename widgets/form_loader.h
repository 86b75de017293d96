#pragma once

#include <QString>
#include <QUiLoader>

class QWidget;

// Builds a form from a Qt Designer description into an existing window: the
// description's top-level widget is that window, and the components it names by class
// (TImage, TButton, TLabel, TOpenDialog, TSaveDialog) are made as such.
class form_loader : public QUiLoader
{
public:
    explicit form_loader(QWidget& target);

    QWidget* createWidget(const QString& class_name, QWidget* parent = nullptr,
                          const QString& name = QString()) override;

private:
    QWidget& form;
};

// Loads the description stored as resource `resource_name` into `form`. Raises
// Exception when the resource is missing or cannot be read.
void load_form(QWidget& form, const QString& resource_name);
