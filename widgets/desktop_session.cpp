#include "desktop_session.h"

#include "ShowMessage.h"
#include "install_translations.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

const char* variable_value(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

bool platform_chosen(int argc, char** argv)
{
    if (variable_value("QT_QPA_PLATFORM") != nullptr) {
        return true;
    }
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-platform" || argument == "--platform") {
            return true;
        }
    }
    return false;
}

// The line the failing platform plugin leaves, made before Qt's application object starts
// to be built: the message handler cannot translate.
std::string& unreachable_line()
{
    static std::string line;
    return line;
}

QtMessageHandler& previous_handler()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

// A message held back while Qt's application object is built: the platform plugin's
// warnings come before its fatal message, and only the one line is shown then.
struct held_message
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

std::vector<held_message>& held_messages()
{
    static std::vector<held_message> messages;
    return messages;
}

void pass_on(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (previous_handler() != nullptr) {
        previous_handler()(type, context, text);
    } else {
        std::fputs(qUtf8Printable(qFormatLogMessage(type, context, text) + '\n'), stderr);
    }
}

void end_on_fatal_message(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        standard_error_line(unreachable_line());
        std::_Exit(1);
    }
    held_messages().push_back({type, QByteArray(context.category), text});
}

} // namespace

std::string missing_desktop_session(int argc, char** argv)
{
    if (platform_chosen(argc, argv) || variable_value("DISPLAY") != nullptr ||
        variable_value("WAYLAND_DISPLAY") != nullptr) {
        return {};
    }
    return translate_without_application(
               "desktop session",
               QT_TRANSLATE_NOOP("desktop session",
                                 "widmo: the window needs a desktop session and finds none "
                                 "(DISPLAY and WAYLAND_DISPLAY are unset); for spectra in a "
                                 "shell use widmo-cli, or run the window without a screen with "
                                 "xvfb-run widmo"))
        .toStdString();
}

unreachable_display_guard::unreachable_display_guard()
{
    const char* display = variable_value("WAYLAND_DISPLAY");
    if (display == nullptr) {
        display = variable_value("DISPLAY");
    }
    unreachable_line() =
        translate_without_application(
            "desktop session",
            QT_TRANSLATE_NOOP("desktop session",
                              "widmo: cannot reach the desktop session at the display \"%1\" "
                              "for the window; for spectra in a shell use widmo-cli, or run the "
                              "window without a screen with xvfb-run widmo"))
            .arg(QString::fromUtf8(display != nullptr ? display : ""))
            .toStdString();
    previous_handler() = qInstallMessageHandler(end_on_fatal_message);
}

unreachable_display_guard::~unreachable_display_guard()
{
    qInstallMessageHandler(previous_handler());
    for (const held_message& message : held_messages()) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        pass_on(message.type, context, message.text);
    }
    held_messages().clear();
    previous_handler() = nullptr;
}
