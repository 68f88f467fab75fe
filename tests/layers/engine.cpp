// Compiled as a file of print/ would be: the engines' interfaces are db/'s own and are not found.
#include <QSqlDatabase>

bool engine()
{
    return QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"));
}
