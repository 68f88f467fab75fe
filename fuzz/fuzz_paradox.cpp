// The Paradox reader of the import on any bytes, as a file: every record and field of what it accepts.
#include "maintenance/paradox_import.h"

#include <QTemporaryFile>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryFile* file = [] {
        auto* f = new QTemporaryFile;
        f->open();
        return f;
    }();
    file->resize(0);
    file->seek(0);
    file->write(reinterpret_cast<const char*>(data), qint64(size));
    file->flush();
    QString error;
    (void)ReadParadoxTable(file->fileName(), &error);
    return 0;
}
