#include "cli.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    return RunCli(QCoreApplication::arguments());
}
