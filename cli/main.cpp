#include "cli.h"
#include "install_translations.h"
#include "work_crew.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    install_translations(application);
    use_default_worker_threads();
    return RunCli(QCoreApplication::arguments());
}
