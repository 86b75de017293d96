#pragma once

#include "Exception.h"
#include "ShowMessage.h"
#include "TForm.h"

#include <QApplication>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// The program's application object, reached through the global Application: it starts
// Qt, owns the forms, runs the message loop and reports exceptions that leave event
// handlers without ending the loop.
class TApplication
{
public:
    TApplication() = default;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // The program's arguments, handed over by the process entry before WinMain runs;
    // they must outlive the application.
    void Arguments(int& argc, char** argv);

    // The program's arguments once Initialize has taken Qt's own (-platform and the like),
    // the program's name first, each as the bytes it was given (see file_name.h), so that
    // a file name that is not UTF-8 still names its file.
    QStringList ProgramArguments() const;

    // Starts the widget application on the program's arguments, with Qt's own texts in
    // the system language where a translation is installed, and shows messages from then
    // on in a modal box. A display Qt cannot connect to ends the program with one line
    // and exit status 1.
    void Initialize();

    // Creates a form of class `Form` into `reference`. The first form made is the main
    // form; the application owns every form.
    template <class Form> void CreateForm(Form*& reference)
    {
        auto form = std::make_unique<Form>();
        reference = form.get();
        forms.push_back(std::move(form));
    }

    // Shows the main form and runs the message loop until it closes.
    void Run();

    // Destroys the forms, then Qt's application object, and gives messages back to the
    // sink they had before. The process entry calls it once WinMain has returned: Qt must
    // not outlive main.
    void Release();

    // Tells the user the exception's text.
    void ShowException(const Exception& exception);

    // Runs `handler`; an exception leaving it is reported with ShowException, so the
    // command ends and the program goes on.
    void Guarded(const std::function<void()>& handler);

    // Reports the exception being handled; call only inside a catch block.
    void HandleException();

private:
    int* argument_count = nullptr;
    char** argument_values = nullptr;
    std::unique_ptr<QApplication> application;
    message_sink previous_sink;
    bool installed_sink = false;
    std::vector<std::unique_ptr<TForm>> forms;
};

extern TApplication* Application;
