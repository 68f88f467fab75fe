#include "base/settings.h"

#include "base/ini_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace {

// Order in which the settings are written back over an existing file.
const char* const kWriteOrder[] = {"PATH",       "GOODS",       "PRICE",          "NDS_VALUE", "ON_OFF",
                                   "FILE_NAME",  "WIDTH",       "HEIGHT",         "CENTER",    "FULL_OR_PART",
                                   "RUS_OR_UKR", "GRV_OR_BAKS", "RECL_TAX_VALUE", "TEXT"};

const SettingKey& keyNamed(const char* name)
{
    for (const SettingKey& k : settingKeys())
        if (qstrcmp(k.key, name) == 0)
            return k;
    Q_UNREACHABLE();
}

int reclTaxToHundredths(double percent)
{
    const double v = std::round(percent * 100.0);
    if (!std::isfinite(v) || v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return 0;
    return static_cast<int>(v);
}

void readKey(const IniFile& ini, const SettingKey& k, const Settings& defaults, Settings& out)
{
    const QString section = QString::fromLatin1(k.section);
    const QString key = QString::fromLatin1(k.key);
    std::visit(
        [&](auto member) {
            using T = std::remove_cvref_t<decltype(out.*member)>;
            if constexpr (std::is_same_v<T, QString>)
                out.*member = ini.readString(section, key, defaults.*member);
            else if constexpr (std::is_same_v<T, int>)
                out.*member = ini.readInteger(section, key, defaults.*member);
            else if constexpr (std::is_same_v<T, bool>)
                out.*member = ini.readBool(section, key, defaults.*member);
            else
                out.*member = ini.readInteger(section, key, reclTaxToHundredths(defaults.*member)) * 0.01;
        },
        k.member);
}

void writeKey(IniFile& ini, const SettingKey& k, const Settings& s)
{
    const QString section = QString::fromLatin1(k.section);
    const QString key = QString::fromLatin1(k.key);
    std::visit(
        [&](auto member) {
            using T = std::remove_cvref_t<decltype(s.*member)>;
            if constexpr (std::is_same_v<T, QString>)
                ini.writeString(section, key, s.*member);
            else if constexpr (std::is_same_v<T, int>)
                ini.writeInteger(section, key, s.*member);
            else if constexpr (std::is_same_v<T, bool>)
                ini.writeBool(section, key, s.*member);
            else
                ini.writeInteger(section, key, reclTaxToHundredths(s.*member));
        },
        k.member);
}

} // namespace

const std::vector<SettingKey>& settingKeys()
{
    static const std::vector<SettingKey> keys = {
        {"DATABASE", "PATH", &Settings::path},
        {"PRECISION", "PRICE", &Settings::price},
        {"PRECISION", "GOODS", &Settings::goods},
        {"NDS", "NDS_VALUE", &Settings::ndsValue},
        {"LOGOTYPE", "ON_OFF", &Settings::onOff},
        {"LOGOTYPE", "FILE_NAME", &Settings::fileName},
        {"LOGOTYPE", "WIDTH", &Settings::width},
        {"LOGOTYPE", "HEIGHT", &Settings::height},
        {"LOGOTYPE", "CENTER", &Settings::center},
        {"USER_DATA", "FULL_OR_PART", &Settings::fullOrPart},
        {"MONEY", "RUS_OR_UKR", &Settings::rusOrUkr},
        {"MONEY", "GRV_OR_BAKS", &Settings::grvOrBaks},
        {"RECL_TAX", "RECL_TAX_VALUE", &Settings::reclTax},
        {"SIGNATURE", "TEXT", &Settings::text},
    };
    return keys;
}

QString settingsFilePath(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("docmar.ini"));
}

QString defaultDatabaseFolder(const QString& programFolder)
{
    return QDir::toNativeSeparators(QDir(programFolder).filePath(QStringLiteral("DataBase")));
}

QString SystemInterfaceLanguage()
{
    return QLocale::system().name().startsWith(QLatin1String("uk")) ? QStringLiteral("uk")
                                                                    : QStringLiteral("ru");
}

void resetToDefaults(Settings& settings, const QString& programFolder)
{
    const double reclTax = settings.reclTax;
    settings = defaultSettings(programFolder);
    settings.reclTax = reclTax;
}

Settings defaultSettings(const QString& programFolder)
{
    Settings s;
    s.path = defaultDatabaseFolder(programFolder);
    s.language = SystemInterfaceLanguage();
    return s;
}

namespace {
const QString kLanguageSection = QStringLiteral("INTERFACE");
const QString kPathSection = QStringLiteral("DATABASE");
const QString kPathKey = QStringLiteral("PATH");
const QString kLanguageKey = QStringLiteral("LANGUAGE");
const QString kBookSection = QStringLiteral("DATABASE");
const QString kBookKey = QStringLiteral("BOOK");
const QString kBackupKey = QStringLiteral("BACKUP");
const QString kUserDataSection = QStringLiteral("USER_DATA");
const QString kPaymentQrKey = QStringLiteral("PAYMENT_QR");

// A folder written relative to the program's folder, wherever the program was started from.
QString resolvedPath(const QString& path, const QString& programFolder)
{
    // A Windows drive or share (a settings file brought from the old program) is no relative folder.
    static const QRegularExpression windowsAbsolute(QStringLiteral("^([A-Za-z]:[\\\\/]|\\\\\\\\)"));
    if (path.trimmed().isEmpty() || !QDir::isRelativePath(QString(path).replace(u'\\', u'/')) ||
        windowsAbsolute.match(path).hasMatch())
        return path;
    // Written on Windows or here, a backslash separates folders.
    return QDir::toNativeSeparators(
        QDir::cleanPath(QDir(programFolder).absoluteFilePath(QString(path).replace(u'\\', u'/'))));
}
} // namespace

QString ForeignFolderProblem(const QString& key, const QString& folder)
{
    static const QRegularExpression windows(QStringLiteral("^([A-Za-z]:|\\\\\\\\)|\\\\"));
    if (!windows.match(folder).hasMatch())
        return {};
    return QCoreApplication::translate("Settings", "%1=%2 в docmar.ini — путь Windows, а не папка этой системы. "
                                                   "Укажите папку этой системы (например /home/anna/DocMar).")
        .arg(key, folder);
}

void ReadSettingsFrom(const IniFile& ini, Settings& settings, const QString& programFolder)
{
    const Settings defaults = defaultSettings(programFolder);
    for (const SettingKey& k : settingKeys())
        readKey(ini, k, defaults, settings);
    const QString language =
        ini.readString(kLanguageSection, kLanguageKey, defaults.language).trimmed().toLower();
    settings.language =
        language == QLatin1String("uk") || language == QLatin1String("ru") ? language : defaults.language;
    settings.book = ini.readString(kBookSection, kBookKey, {}).trimmed();
    settings.path = resolvedPath(settings.path, programFolder);
    settings.backupFolder =
        resolvedPath(ini.readString(kPathSection, kBackupKey, {}).trimmed(), programFolder);
    settings.paymentQr = ini.readBool(kUserDataSection, kPaymentQrKey, defaults.paymentQr);
}

QString ReadInterfaceLanguage(const QString& programFolder)
{
    Settings settings = defaultSettings(programFolder);
    IniFile ini(settingsFilePath(programFolder));
    if (ini.load())
        ReadSettingsFrom(ini, settings, programFolder);
    return settings.language;
}

bool ReadSettings(Settings& settings, const QString& programFolder, QString* error)
{
    IniFile ini(settingsFilePath(programFolder));
    const Settings defaults = defaultSettings(programFolder);
    if (QFileInfo::exists(ini.fileName())) {
        // An unreadable file is left alone: writing defaults over it would lose every setting.
        if (!ini.load()) {
            if (error)
                *error = QCoreApplication::translate("Settings", "Не удалось прочитать файл %1")
                             .arg(ini.fileName());
            return false;
        }
        ReadSettingsFrom(ini, settings, programFolder);
        return true;
    }
    IniFile fresh(ini.fileName());
    for (const SettingKey& k : settingKeys())
        writeKey(fresh, k, defaults);
    return fresh.save(error);
}

namespace {
// A missing file is simply written anew; one that is there but cannot be read is never replaced, or every
// line the program does not know of would be lost with it.
bool loadForWriting(IniFile& ini, QString* error)
{
    if (ini.load() || !QFileInfo::exists(ini.fileName()))
        return true;
    if (error)
        *error =
            QCoreApplication::translate("Settings", "Не удалось прочитать файл %1. Он оставлен как есть, "
                                                    "изменения настроек не сохранены.")
                .arg(ini.fileName());
    return false;
}
} // namespace

bool WriteSettings(const Settings& settings, const QString& programFolder, QString* error)
{
    IniFile ini(settingsFilePath(programFolder));
    if (!loadForWriting(ini, error))
        return false;
    const QString pathInFile = ini.readString(kPathSection, kPathKey, {});
    for (const char* name : kWriteOrder)
        writeKey(ini, keyNamed(name), settings);
    // A relative folder that still names the folder in use stays as it was written.
    if (pathInFile != resolvedPath(pathInFile, programFolder) &&
        resolvedPath(pathInFile, programFolder) == settings.path)
        ini.writeString(kPathSection, kPathKey, pathInFile);
    ini.writeString(kLanguageSection, kLanguageKey, settings.language);
    // A file book's settings file gets no line for it.
    if (!settings.book.isEmpty() || ini.value(kBookSection, kBookKey))
        ini.writeString(kBookSection, kBookKey, settings.book);
    // The backup folder as written stays, relative or not, unless another one was chosen.
    const QString backupInFile = ini.readString(kPathSection, kBackupKey, {}).trimmed();
    if (resolvedPath(backupInFile, programFolder) != settings.backupFolder)
        ini.writeString(kPathSection, kBackupKey, settings.backupFolder);
    // Written once it is turned off; a file that never turned it off stays as it was.
    if (!settings.paymentQr || ini.value(kUserDataSection, kPaymentQrKey))
        ini.writeBool(kUserDataSection, kPaymentQrKey, settings.paymentQr);
    return ini.save(error);
}

QByteArray ReadWindowGeometry(const QString& programFolder)
{
    IniFile ini(settingsFilePath(programFolder));
    if (!ini.load())
        return {};
    return QByteArray::fromBase64(
        ini.readString(QStringLiteral("WINDOW"), QStringLiteral("GEOMETRY"), QString()).toLatin1());
}

bool WriteWindowGeometry(const QByteArray& geometry, const QString& programFolder, QString* error)
{
    IniFile ini(settingsFilePath(programFolder));
    if (!loadForWriting(ini, error))
        return false;
    ini.writeString(QStringLiteral("WINDOW"), QStringLiteral("GEOMETRY"),
                    QString::fromLatin1(geometry.toBase64()));
    return ini.save(error);
}

QString EntryMask(int places)
{
    // Ten positions; the decimal point takes one of them, so at most nine decimals fit.
    const int k = std::clamp(places, 0, 9);
    QString mask(10, u'#');
    if (k > 0)
        mask[10 - k - 1] = u'.';
    return mask;
}

QString DisplayFormat(int places)
{
    return QStringLiteral("0.") + QString(std::clamp(places, 0, 15), u'0');
}

Precision ApplyPrecision(int pricePlaces, int countPlaces)
{
    Precision p;
    p.pricePlaces = std::clamp(pricePlaces, 0, 15);
    p.countPlaces = std::clamp(countPlaces, 0, 15);
    p.priceMask = EntryMask(pricePlaces);
    p.countMask = EntryMask(countPlaces);
    p.priceFormat = DisplayFormat(pricePlaces);
    p.countFormat = DisplayFormat(countPlaces);
    return p;
}
