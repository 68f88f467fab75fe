#include "app/toolkit_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>

namespace {

struct Translators {
    QTranslator program;
    QTranslator toolkit;
    bool programInstalled = false;
    bool toolkitInstalled = false;
    QString language = QStringLiteral("ru");
};

Translators& translators()
{
    static Translators t;
    return t;
}

} // namespace

bool InstallToolkitLanguage(QCoreApplication& app)
{
    Q_UNUSED(app);
    // Russian words with the Ukrainian territory's conventions: the decimal comma, day.month.year. The
    // Ukrainian interface keeps them: they are the same there.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Ukraine));
    return SetInterfaceLanguage(QStringLiteral("ru"));
}

bool SetInterfaceLanguage(const QString& language)
{
    Translators& t = translators();
    const bool ukrainian = language == QLatin1String("uk");
    if (t.programInstalled)
        QCoreApplication::removeTranslator(&t.program);
    if (t.toolkitInstalled)
        QCoreApplication::removeTranslator(&t.toolkit);
    t.programInstalled = t.toolkitInstalled = false;
    t.language = ukrainian ? QStringLiteral("uk") : QStringLiteral("ru");
    bool ok = true;
    // The program's texts are Russian in the source; only Ukrainian needs a translation of them.
    if (ukrainian) {
        t.programInstalled = t.program.load(QStringLiteral(":/i18n/docmar_uk.qm")) &&
                             QCoreApplication::installTranslator(&t.program);
        ok = t.programInstalled;
    }
    t.toolkitInstalled =
        t.toolkit.load(QLocale(ukrainian ? QLocale::Ukrainian : QLocale::Russian), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(&t.toolkit);
    return ok && t.toolkitInstalled;
}

QString InterfaceLanguage()
{
    return translators().language;
}
