#include "app/commands.h"
#include "app/main_window.h"
#include "app/toolkit_language.h"
#include "base/settings.h"
#include "base/whole_file.h"
#include "db/db_error.h"
#include "db/engine.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The toolkit's own complaints about a database (a query on a connection that is gone, a rollback the
// server no longer takes) are no words of the program's: each failure is said once, in its words.
void withoutDatabaseChatter(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg && IsDriverChatter(message))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    if (type == QtFatalMsg)
        std::abort();
}

} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(withoutDatabaseChatter);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    // The command line is decided before any window system is touched.
    Invocation invocation = ParseInvocation(arguments);
    if (invocation.earlyExit)
        return *invocation.earlyExit;
    // A command runs on its program folder, keeps its outputs off the settings and speaks the interface's
    // language, as the desktop program would.
    const auto runCommand = [&invocation] {
        if (invocation.programFolder.isEmpty())
            invocation.programFolder = DefaultProgramFolder();
        KeepFromOutput(settingsFilePath(invocation.programFolder));
        if (const QString language = ReadInterfaceLanguage(invocation.programFolder);
            language != QLatin1String("ru"))
            SetInterfaceLanguage(language);
        return RunCommand(invocation);
    };

    if (invocation.command == QLatin1String("print")) {
        // Drawing needs fonts and a paint engine, never a screen. Without a session (a script, a service)
        // the toolkit wants a runtime folder of the user's own; it gets one, rather than a warning.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            const QByteArray runtime =
                QDir::tempPath().toLocal8Bit() + "/docmar-runtime-" + QByteArray::number(getuid());
            struct stat info {};
            // Only a folder that is the user's alone; one made by anybody else is not used.
            if ((mkdir(runtime.constData(), 0700) == 0 || errno == EEXIST) &&
                lstat(runtime.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
                (info.st_mode & 0777) == 0700)
                qputenv("XDG_RUNTIME_DIR", runtime);
        }
        QGuiApplication app(argc, argv);
        return runCommand();
    }
    if (!invocation.command.isEmpty()) {
        QCoreApplication app(argc, argv);
        return runCommand();
    }

    QApplication app(argc, argv);
    InstallToolkitLanguage(app);
    if (invocation.programFolder.isEmpty())
        invocation.programFolder = DefaultProgramFolder();
    KeepFromOutput(settingsFilePath(invocation.programFolder));
    TBuhForm window(invocation.programFolder);
    if (invocation.book)
        window.useBookOfThisRun(*invocation.book);
    window.show();
    return app.exec();
}
