#pragma once

#include <libpq-fe.h>

// The functions of the server's client library the program calls.
#define DOCMAR_LIBPQ_FUNCTIONS(F)                                                                            \
    F(PQclear)                                                                                               \
    F(PQcmdTuples)                                                                                           \
    F(PQconninfoFree)                                                                                        \
    F(PQconninfoParse)                                                                                       \
    F(PQerrorMessage)                                                                                        \
    F(PQexec)                                                                                                \
    F(PQfname)                                                                                               \
    F(PQfreemem)                                                                                             \
    F(PQftype)                                                                                               \
    F(PQgetResult)                                                                                           \
    F(PQgetisnull)                                                                                           \
    F(PQgetlength)                                                                                           \
    F(PQgetvalue)                                                                                            \
    F(PQlibVersion)                                                                                          \
    F(PQnfields)                                                                                             \
    F(PQntuples)                                                                                             \
    F(PQputCopyData)                                                                                         \
    F(PQputCopyEnd)                                                                                          \
    F(PQresultErrorField)                                                                                    \
    F(PQresultErrorMessage)                                                                                  \
    F(PQresultStatus)                                                                                        \
    F(PQsendQuery)                                                                                           \
    F(PQsendQueryParams)                                                                                     \
    F(PQstatus)                                                                                              \
    F(PQtransactionStatus)                                                                                   \
    F(PQunescapeBytea)

// The server's client library, loaded when a server book is first used: it brings Kerberos, LDAP, SASL and
// TLS libraries that a book in a file never needs, and every start would load them.
struct LibPq {
#define DOCMAR_LIBPQ_MEMBER(name) decltype(&::name) name = nullptr;
    DOCMAR_LIBPQ_FUNCTIONS(DOCMAR_LIBPQ_MEMBER)
#undef DOCMAR_LIBPQ_MEMBER
};

// The library's functions. Throws DbError when it is not installed.
const LibPq& libpq();
