#pragma once

#include "Exception.h"

#include <QString>
#include <QWidget>

#include <string>

// A window built from the form description stored in the program's resources under
// `resource_name`. Closing the application's main form ends its message loop.
class TForm : public QWidget
{
    Q_OBJECT

public:
    explicit TForm(const QString& resource_name, QWidget* parent = nullptr);

    void Close();

    // The component the description names `name`; raises Exception when there is no
    // such component of class `Component`.
    template <class Component> Component* FindComponent(const QString& name)
    {
        auto* component = findChild<Component*>(name, Qt::FindDirectChildrenOnly);
        if (component == nullptr) {
            throw Exception("The form has no component " + name.toStdString());
        }
        return component;
    }
};
