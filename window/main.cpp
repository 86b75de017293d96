#include "TApplication.h"
#include "Unit1.h"
#include "WinMain.h"
#include "work_crew.h"

int WinMain()
{
    use_default_worker_threads();
    try {
        Application->Initialize();
        Application->CreateForm(Form1);
        Application->Run();
    } catch (const Exception& exception) {
        Application->ShowException(exception);
    } catch (...) {
        Application->ShowException(Exception(""));
    }
    return 0;
}
