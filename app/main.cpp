#include "app/commands.h"
#include "app/main_window.h"
#include "app/toolkit_language.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

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
    InstallToolkitLanguage(app);
    if (invocation.programFolder.isEmpty())
        invocation.programFolder = QCoreApplication::applicationDirPath();
    TBuhForm window(invocation.programFolder);
    window.show();
    return app.exec();
}
