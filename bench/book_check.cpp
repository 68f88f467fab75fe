// Prints "ok N" for a book that passes the engine's integrity check (with DocMar's own collation), N being
// its clients besides the owner; "none" where there is no database; anything else names the damage.
// Exit 0 for ok or none. Usage: book_check DATABASE_FOLDER
#include "db/data_module.h"
#include "db/driver.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: book_check DATABASE_FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!TDM::databaseExists(folder)) {
        std::puts("none");
        return 0;
    }
    try {
        TDM dm;
        dm.connect(folder);
        const QString check = scalar(ConnectionOf(dm), QStringLiteral("PRAGMA integrity_check")).toString();
        const int clients =
            scalar(ConnectionOf(dm), QStringLiteral("SELECT count(*) FROM CLIENTS WHERE ID_NUMBER>1"))
                .toInt();
        std::printf("%s %d\n", check.toUtf8().constData(), clients);
        return check == QLatin1String("ok") ? 0 : 1;
    } catch (const DbError& e) {
        std::printf("%s\n", e.fullText().toUtf8().constData());
        return 1;
    }
}
