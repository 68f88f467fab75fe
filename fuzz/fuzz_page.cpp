// The page loader on any bytes; a page it accepts is saved to JSON and loaded back.
#include "report/page.h"

#include <QJsonDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QString error;
    const std::optional<Page> page =
        Page::fromBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), &error);
    if (page)
        (void)Page::fromBytes(QJsonDocument(page->toJson()).toJson(), &error);
    return 0;
}
