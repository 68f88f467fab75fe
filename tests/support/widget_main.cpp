#include "app/toolkit_language.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // The windows are tried on the screen a bookkeeper most often has, 1366 x 768, unless the run names
    // a screen of its own (offscreen:configfile=...).
    QTemporaryDir screens;
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QLatin1String("offscreen:"))) {
        QFile config(screens.filePath(QStringLiteral("screens.json")));
        if (config.open(QIODevice::WriteOnly))
            config.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768,
                             "logicalDpi": 96}]})");
        config.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    }
    QApplication app(argc, argv);
    InstallToolkitLanguage(app);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
