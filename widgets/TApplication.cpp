#include "TApplication.h"

#include "ShowMessage.h"
#include "desktop_session.h"
#include "file_name.h"
#include "install_translations.h"
#include "message_box.h"

#include <QCoreApplication>

#include <exception>
#include <new>
#include <utility>

namespace {

// Qt's application object with the last line of defence: an exception thrown by any
// event's handler is reported, and the event counts as handled.
class GuardedApplication : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        bool handled = true;
        Application->Guarded([&] { handled = QApplication::notify(receiver, event); });
        return handled;
    }
};

TApplication& application_object()
{
    static TApplication object;
    return object;
}

} // namespace

TApplication* Application = &application_object();

void TApplication::Arguments(int& argc, char** argv)
{
    argument_count = &argc;
    argument_values = argv;
}

void TApplication::Initialize()
{
    static int no_arguments = 0;
    int& argc = argument_count ? *argument_count : no_arguments;
    {
        const unreachable_display_guard guard;
        application = std::make_unique<GuardedApplication>(argc, argument_values);
    }
    install_translations(*application);
    previous_sink = set_message_sink(modal_message_box);
    installed_sink = true;
}

void TApplication::Run()
{
    if (!forms.empty()) {
        forms.front()->show();
        QApplication::exec();
    }
}

void TApplication::Release()
{
    // Widgets must go before Qt's application object.
    forms.clear();
    application.reset();
    if (installed_sink) {
        set_message_sink(std::exchange(previous_sink, {}));
        installed_sink = false;
    }
}

void TApplication::ShowException(const Exception& exception)
{
    ShowMessage(exception.Message());
}

void TApplication::Guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (...) {
        HandleException();
    }
}

void TApplication::HandleException()
{
    try {
        throw;
    } catch (const Exception& exception) {
        ShowException(exception);
    } catch (const std::bad_alloc&) {
        ShowException(Exception(QCoreApplication::translate("application", "Out of memory")));
    } catch (const std::exception& exception) {
        ShowException(Exception(exception.what()));
    } catch (...) {
        ShowException(Exception(""));
    }
}

QStringList TApplication::ProgramArguments() const
{
    QStringList arguments;
    for (int i = 0; argument_count != nullptr && i < *argument_count; ++i) {
        arguments << file_name_from_bytes(argument_values[i]);
    }
    return arguments;
}
