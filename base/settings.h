#pragma once

#include <QString>

#include <variant>
#include <vector>

// The program's fourteen settings. Member initialisers are the built-in defaults; PATH defaults to
// the DataBase folder beside the program and is set by defaultSettings().
// A folder of the settings written as another system writes it ("C:\BackUp", "\\server\share") is no
// folder here, and is never taken relative to the current one: the message naming the setting (key, as
// PATH or BACKUP), or empty for a folder of this system.
QString ForeignFolderProblem(const QString& key, const QString& folder);

struct Settings {
    QString path;                                          // DATABASE / PATH
    int price = 2;                                         // PRECISION / PRICE
    int goods = 0;                                         // PRECISION / GOODS
    int ndsValue = 20;                                     // NDS / NDS_VALUE
    bool onOff = false;                                    // LOGOTYPE / ON_OFF
    QString fileName = QStringLiteral("logotype.bmp");     // LOGOTYPE / FILE_NAME
    int width = 100;                                       // LOGOTYPE / WIDTH
    int height = 50;                                       // LOGOTYPE / HEIGHT
    bool center = false;                                   // LOGOTYPE / CENTER
    bool fullOrPart = false;                               // USER_DATA / FULL_OR_PART
    bool rusOrUkr = false;                                 // MONEY / RUS_OR_UKR
    bool grvOrBaks = true;                                 // MONEY / GRV_OR_BAKS
    double reclTax = 0.0;                                  // RECL_TAX / RECL_TAX_VALUE, held in percent
    QString text = QStringLiteral("/ Головний бухгалтер"); // SIGNATURE / TEXT
    // Not one of the fourteen: the interface's language, "ru" or "uk", in a section of its own
    // (INTERFACE / LANGUAGE); set by defaultSettings() from the system's language.
    QString language;
    // Not one of the fourteen either: a PostgreSQL book (postgresql://user@host:port/dbname) kept instead
    // of the SQLite file of PATH (DATABASE / BOOK). Empty, or no key at all: the file. PATH stays the
    // folder of backups.
    QString book;
    // Nor this: the folder the backups go to (DATABASE / BACKUP), another disk for instance. Empty, or no
    // key at all: the BackUp folder of PATH.
    QString backupFolder;
    // Nor this: the invoice carries the National Bank's payment QR code (USER_DATA / PAYMENT_QR).
    bool paymentQr = true;

    bool operator==(const Settings&) const = default;
};

// One row per key, in the order of a newly created file.
struct SettingKey {
    // A double member is the advertising tax: held in percent, stored in hundredths of a percent.
    using Member = std::variant<QString Settings::*, int Settings::*, bool Settings::*, double Settings::*>;
    const char* section;
    const char* key;
    Member member;
};
const std::vector<SettingKey>& settingKeys();

QString settingsFilePath(const QString& programFolder);
// "uk" on a Ukrainian desktop, "ru" on any other: the interface's language until one is chosen.
QString SystemInterfaceLanguage();
// The interface's language as docmar.ini holds it, without creating the file; the system's when none.
QString ReadInterfaceLanguage(const QString& programFolder);
QString defaultDatabaseFolder(const QString& programFolder);

// Every member at its default. The advertising tax is not a default to reset to: it keeps its value.
void resetToDefaults(Settings& settings, const QString& programFolder);
Settings defaultSettings(const QString& programFolder);

class IniFile;
// Every key of a read settings file into the members, the default where a key is missing or bad.
void ReadSettingsFrom(const IniFile& ini, Settings& settings, const QString& programFolder);
// Reads docmar.ini into the members, or creates it from the defaults when it is missing (the members then
// keep what they hold). False with *error set only when a missing file could not be created.
bool ReadSettings(Settings& settings, const QString& programFolder, QString* error = nullptr);
// Writes every key into docmar.ini, keeping its other lines. False with *error ("Unable to write to ...").
bool WriteSettings(const Settings& settings, const QString& programFolder, QString* error = nullptr);

// The main window's place and size between runs, in a section of docmar.ini of its own ([WINDOW]); empty
// when none was kept. Written only into a file that could be read, like the settings.
QByteArray ReadWindowGeometry(const QString& programFolder);
bool WriteWindowGeometry(const QByteArray& geometry, const QString& programFolder, QString* error = nullptr);

// Display formats and entry masks that follow the PRICE and GOODS precisions.
QString EntryMask(int places);
QString DisplayFormat(int places);
// The most decimals a price or a quantity setting allows.
inline constexpr int kMostPlaces = 4;

struct Precision {
    int pricePlaces = 2;
    int countPlaces = 0;
    QString priceMask;
    QString countMask;
    QString priceFormat;
    QString countFormat;
};
Precision ApplyPrecision(int pricePlaces, int countPlaces);
