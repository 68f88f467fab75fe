// Runs a fuzz target's entry point on every file of the folders given, as the fuzzer would, without it:
// the seed corpus and every finding stay tests of the sanitized build. An argument that is no folder names
// the files of its folder that begin with its last part (fuzz/findings/paradox-).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        const bool whole = QFileInfo(argument).isDir();
        const QDir folder(whole ? argument : QFileInfo(argument).path());
        const QStringList names = whole ? QStringList{} : QStringList{QFileInfo(argument).fileName() + u'*'};
        for (const QString& name : folder.entryList(names, QDir::Files)) {
            QFile file(folder.filePath(name));
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(file.fileName()));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                   std::size_t(bytes.size()));
            ++files;
        }
    }
    std::printf("%d inputs replayed\n", files);
    return files > 0 ? 0 : 1;
}
