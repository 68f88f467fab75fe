#include "base/text_codec.h"

#include <QStringDecoder>

#include <array>

namespace {

// Unicode to Windows-1251, built once from the decoder so both directions agree; 0 marks "not in the page".
struct EncodeTable {
    std::array<unsigned char, 0x10000> bytes{};
    EncodeTable()
    {
        QStringDecoder decoder("windows-1251");
        for (int b = 1; b < 256; ++b) {
            const QString ch = decoder.decode(QByteArray(1, char(b)));
            if (ch.size() == 1 && ch[0] != QChar::ReplacementCharacter)
                bytes[ch[0].unicode()] = static_cast<unsigned char>(b);
        }
    }
};

const EncodeTable& encodeTable()
{
    static const EncodeTable table;
    return table;
}

} // namespace

void append1251(QByteArray& out, QStringView text)
{
    const EncodeTable& table = encodeTable();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == 0) {
            out += '\0';
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i; // one character beyond the page, one "?"
        const unsigned char b = table.bytes[c];
        out += b ? char(b) : '?';
    }
}

void appendCell1251(QByteArray& out, QStringView text, int width)
{
    const qsizetype start = out.size();
    append1251(out, text.left(width));
    const qsizetype pad = width - (out.size() - start);
    if (pad > 0)
        out.append(pad, ' ');
}

QByteArray encode1251(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    append1251(out, text);
    return out;
}

QString decode1251(const QByteArray& bytes)
{
    QStringDecoder decoder("windows-1251");
    return decoder.decode(bytes);
}

bool fits1251(const QString& text)
{
    const EncodeTable& table = encodeTable();
    for (QChar c : text)
        if (c.unicode() != 0 && !table.bytes[c.unicode()])
            return false;
    return true;
}

QValidator::State Cp1251Validator::validate(QString& input, int& /*pos*/) const
{
    return fits1251(input) ? Acceptable : Invalid;
}
