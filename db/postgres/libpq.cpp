#include "db/postgres/libpq.h"

#include "base/late_library.h"
#include "db/db_error.h"

#include <QCoreApplication>

const LibPq& libpq()
{
    static const std::optional<LibPq> loaded =
        LateLibrary::load<LibPq>(QStringLiteral("pq"), 5, [](LateLibrary& library, LibPq& pq) {
#define DOCMAR_LIBPQ_TAKE(name) library.take(pq.name, #name);
            DOCMAR_LIBPQ_FUNCTIONS(DOCMAR_LIBPQ_TAKE)
#undef DOCMAR_LIBPQ_TAKE
        });
    if (!loaded)
        throw DbError(QCoreApplication::translate("TDM", "Не найдена библиотека libpq для работы с книгой на "
                                                         "сервере PostgreSQL (пакет libpq5)"));
    return *loaded;
}
