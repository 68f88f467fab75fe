#include "base/ini_file.h"

#include "base/text_codec.h"
#include "base/whole_file.h"

#include <QCoreApplication>
#include <QFile>

namespace {

// "[NAME]" gives NAME; anything else gives a null string.
QString sectionName(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return {};
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return {};
    return trimmed.mid(1, close - 1).trimmed();
}

bool keyOfLine(const QString& line, QString* key, QString* value)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq <= 0)
        return false;
    *key = line.left(eq).trimmed();
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return !key->isEmpty();
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

bool IniFile::load()
{
    m_lines.clear();
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    parse(file.readAll());
    return true;
}

void IniFile::parse(const QByteArray& bytes)
{
    QString text = decode1251(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    m_lines = text.split(u'\n');
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
}

QByteArray IniFile::serialize() const
{
    QString text;
    for (const QString& line : m_lines)
        text += line + QStringLiteral("\r\n");
    return encode1251(text);
}

bool IniFile::save(QString* error) const
{
    const QByteArray bytes = serialize();
    return WriteWholeFile(
        m_fileName, [&bytes](QIODevice& file) { return file.write(bytes) == bytes.size(); }, error);
}

IniFile::Location IniFile::locate(const QString& section, const QString& key) const
{
    Location loc;
    bool inSection = false;
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString& line = m_lines[i];
        const QString name = sectionName(line);
        if (!name.isNull()) {
            if (inSection)
                break; // the first section of that name is the one that counts
            inSection = sameName(name, section);
            if (inSection) {
                loc.sectionLine = i;
                loc.insertAt = i + 1;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (!line.trimmed().isEmpty())
            loc.insertAt = i + 1;
        QString lineKey;
        if (keyOfLine(line, &lineKey, nullptr) && sameName(lineKey, key)) {
            loc.keyLine = i;
            return loc;
        }
    }
    return loc;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    const Location loc = locate(section, key);
    if (loc.keyLine < 0)
        return std::nullopt;
    QString lineKey, value;
    keyOfLine(m_lines[loc.keyLine], &lineKey, &value);
    // The profile functions drop one pair of matching quotes around a value.
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    return value(section, key).value_or(defaultValue);
}

std::optional<int> IniFile::parseInteger(const QString& text)
{
    QString s = text.trimmed();
    bool ok = false;
    qlonglong v = 0;
    if (s.size() > 2 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) {
        const QString digits = s.mid(2);
        if (digits.startsWith(u'+') || digits.startsWith(u'-'))
            return std::nullopt;
        v = digits.toLongLong(&ok, 16);
        // Eight hex digits are a 32-bit pattern: 0xFFFFFFFF reads as -1, as the Windows reader gives.
        if (ok && digits.size() <= 8 && v > 0x7FFFFFFF && v <= 0xFFFFFFFFLL)
            v -= 0x100000000LL;
    } else {
        for (qsizetype i = 0; i < s.size(); ++i) {
            const QChar c = s[i];
            if (!(c.isDigit() && c.unicode() < 128) && !(i == 0 && (c == u'+' || c == u'-')))
                return std::nullopt;
        }
        v = s.toLongLong(&ok, 10);
    }
    if (!ok || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(v);
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    const auto text = value(section, key);
    if (!text)
        return defaultValue;
    return parseInteger(*text).value_or(defaultValue);
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    const Location loc = locate(section, key);
    const QString line = key + u'=' + value;
    if (loc.keyLine >= 0) {
        m_lines[loc.keyLine] = line;
    } else if (loc.sectionLine >= 0) {
        m_lines.insert(loc.insertAt, line);
    } else {
        m_lines << u'[' + section + u']' << line;
    }
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
