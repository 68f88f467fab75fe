#include "app/commands.h"
#include "app/main_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>

#include <memory>

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    // The command line is decided before any window system is touched.
    Invocation invocation = ParseInvocation(arguments);
    if (invocation.earlyExit)
        return *invocation.earlyExit;

    if (invocation.command == QLatin1String("print")) {
        // Drawing needs fonts and a paint engine, never a screen.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        if (invocation.programFolder.isEmpty())
            invocation.programFolder = QCoreApplication::applicationDirPath();
        return RunCommand(invocation);
    }
    if (!invocation.command.isEmpty()) {
        QCoreApplication app(argc, argv);
        if (invocation.programFolder.isEmpty())
            invocation.programFolder = QCoreApplication::applicationDirPath();
        return RunCommand(invocation);
    }

    QApplication app(argc, argv);
    // Spin boxes and date fields as on a Ukrainian desktop: the decimal comma, day.month.year.
    QLocale::setDefault(QLocale(QLocale::Ukrainian, QLocale::Ukraine));
    if (invocation.programFolder.isEmpty())
        invocation.programFolder = QCoreApplication::applicationDirPath();
    QApplication::setApplicationDisplayName(QStringLiteral("ДОКУМАР"));
    TBuhForm window(invocation.programFolder);
    window.show();
    return app.exec();
}
