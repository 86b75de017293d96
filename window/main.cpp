#include "TApplication.h"
#include "Unit1.h"
#include "WinMain.h"
#include "work_crew.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

// `widmo FILE` loads FILE once the window is up, as if it had been chosen in Wczytaj.
void open_argument_file()
{
    const QStringList arguments = Application->ProgramArguments();
    if (arguments.size() < 2) {
        return;
    }
    Form1->open_picture_file_later(arguments.at(1));
}

} // namespace

int WinMain()
{
    use_default_worker_threads();
    try {
        Application->Initialize();
        Application->CreateForm(Form1);
        open_argument_file();
        Application->Run();
    } catch (const Exception& exception) {
        Application->ShowException(exception);
    } catch (...) {
        Application->ShowException(Exception(""));
    }
    return 0;
}
