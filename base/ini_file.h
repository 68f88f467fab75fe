#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// An INI file with the semantics of the Windows profile functions the settings rely on: section and key
// names compare without regard to case, the first of duplicate keys wins, a written key replaces its line
// where it stands (or joins the end of its section), and every other line stays as it was.
// The file is Windows-1251 with CR LF line ends.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(const QString& fileName)
        : m_fileName(fileName)
    {
    }

    const QString& fileName() const { return m_fileName; }

    // Reads the file; a missing file leaves the object empty and returns false.
    bool load();
    // Writes the whole file or nothing (WriteWholeFile); false with *error set on failure.
    bool save(QString* error = nullptr) const;

    void parse(const QByteArray& bytes);
    QByteArray serialize() const;

    std::optional<QString> value(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
    // "0x"/"0X" starts a hexadecimal number; text that is not a whole number gives the default.
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);

    const QStringList& lines() const { return m_lines; }

    static std::optional<int> parseInteger(const QString& text);

private:
    struct Location {
        int sectionLine = -1; // line of "[SECTION]", -1 when absent
        int keyLine = -1;     // line of "KEY=", -1 when absent
        int insertAt = -1;    // where a new key of this section goes
    };
    Location locate(const QString& section, const QString& key) const;

    QString m_fileName;
    QStringList m_lines;
};
