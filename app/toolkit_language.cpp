#include "app/toolkit_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool InstallToolkitLanguage(QCoreApplication& app)
{
    // Russian words with the Ukrainian territory's conventions: the decimal comma, day.month.year.
    const QLocale locale(QLocale::Russian, QLocale::Ukraine);
    QLocale::setDefault(locale);
    auto* toolkit = new QTranslator(&app);
    if (!toolkit->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete toolkit;
        return false;
    }
    QCoreApplication::installTranslator(toolkit);
    return true;
}
