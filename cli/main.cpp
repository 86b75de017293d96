#include "cli.h"
#include "work_crew.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    use_default_worker_threads();
    return run_cli(QCoreApplication::arguments());
}
