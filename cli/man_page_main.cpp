// Writes widmo-cli's manual page, made from its option table, to the file named by the
// one argument.
#include "option_table.h"

#include <QFile>

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: widmo-cli-man-page OUTPUT.1\n";
        return 1;
    }
    QFile page(QString::fromLocal8Bit(argv[1]));
    const QByteArray text = manual_page(QStringLiteral(WIDMO_VERSION)).toUtf8();
    if (!page.open(QIODevice::WriteOnly) || page.write(text) != text.size() || !page.flush()) {
        std::cerr << "widmo-cli-man-page: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
