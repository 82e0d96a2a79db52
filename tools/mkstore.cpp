// Makes a fresh memo store from the schema file. An existing store is left
// exactly as it is.
#include "tools/storebuilder.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkstore SCHEMA.sql STORE\n");
        return 1;
    }
    const QString error = buildStore(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "mkstore: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
