// The settings reader on any bytes: parsed as docmar.ini is, every key read, written back and read again.
#include "base/ini_file.h"
#include "base/settings.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IniFile ini;
    ini.parse(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    Settings settings;
    ReadSettingsFrom(ini, settings, QStringLiteral("/p"));
    (void)ApplyPrecision(settings.price, settings.goods);
    IniFile again;
    again.parse(ini.serialize());
    return 0;
}
