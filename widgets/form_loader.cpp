#include "form_loader.h"

#include "Exception.h"
#include "TButton.h"
#include "TImage.h"
#include "TLabel.h"
#include "TOpenDialog.h"
#include "TSaveDialog.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QPoint>
#include <QWidget>
#include <QXmlStreamReader>

namespace {

QWidget* create_component(const QString& class_name, QWidget* parent)
{
    if (class_name == "TImage") {
        return new TImage(parent);
    }
    if (class_name == "TButton") {
        return new TButton(parent);
    }
    if (class_name == "TLabel") {
        return new TLabel(parent);
    }
    if (class_name == "TOpenDialog") {
        return new TOpenDialog(parent);
    }
    if (class_name == "TSaveDialog") {
        return new TSaveDialog(parent);
    }
    return nullptr;
}

// The x and y of the first rectangle in the description, the top level's geometry.
// Qt's form builder takes only the size from it, as Designer forms are placed by the
// window manager; this form's position is part of its description.
QPoint stored_position(const QByteArray& description)
{
    QXmlStreamReader xml(description);
    while (!xml.atEnd() &&
           !(xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"rect")) {
    }
    QPoint position;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"x") {
            position.setX(xml.readElementText().toInt());
        } else if (xml.name() == u"y") {
            position.setY(xml.readElementText().toInt());
        } else {
            xml.skipCurrentElement();
        }
    }
    return position;
}

} // namespace

form_loader::form_loader(QWidget& target) : form(target) {}

QWidget* form_loader::createWidget(const QString& class_name, QWidget* parent, const QString& name)
{
    // The description's top level is the only widget made without a parent.
    QWidget* widget = parent ? create_component(class_name, parent) : &form;
    if (widget == nullptr) {
        widget = QUiLoader::createWidget(class_name, parent, name);
    }
    if (widget != nullptr) {
        widget->setObjectName(name);
    }
    return widget;
}

void load_form(QWidget& form, const QString& resource_name)
{
    QFile description(":/" + resource_name);
    if (!description.open(QIODevice::ReadOnly)) {
        throw Exception(
            QCoreApplication::translate("form", "The form description %1 is missing: %2")
                .arg(resource_name, description.errorString()));
    }
    const QByteArray bytes = description.readAll();
    QBuffer buffer;
    buffer.setData(bytes);
    form_loader loader(form);
    if (loader.load(&buffer) != &form) {
        throw Exception(
            QCoreApplication::translate("form", "The form description %1 cannot be read: %2")
                .arg(resource_name, loader.errorString()));
    }
    form.move(stored_position(bytes));
}
