#include "db/postgres/libpq.h"

#include "db/db_error.h"

#include <QCoreApplication>
#include <QLibrary>

const LibPq& libpq()
{
    static const LibPq loaded = [] {
        LibPq pq;
        QLibrary library(QStringLiteral("pq"), 5);
        if (!library.load())
            return pq;
        bool whole = true;
#define DOCMAR_LIBPQ_RESOLVE(name)                                                                           \
    pq.name = reinterpret_cast<decltype(pq.name)>(library.resolve(#name));                                   \
    whole = whole && pq.name;
        DOCMAR_LIBPQ_FUNCTIONS(DOCMAR_LIBPQ_RESOLVE)
#undef DOCMAR_LIBPQ_RESOLVE
        if (!whole)
            pq.PQclear = nullptr;
        return pq;
    }();
    if (!loaded.PQclear)
        throw DbError(QCoreApplication::translate("TDM", "Не найдена библиотека libpq для работы с книгой на "
                                                         "сервере PostgreSQL (пакет libpq5)"));
    return loaded;
}
