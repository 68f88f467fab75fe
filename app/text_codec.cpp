#include "app/text_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

QByteArray encode1251(const QString& text)
{
    QStringEncoder encoder("windows-1251");
    {
        // Fast path: the whole text fits the code page and holds no 0x1A of its own.
        QByteArray whole = encoder.encode(text);
        if (!encoder.hasError() && !whole.contains('\x1A') && whole.size() == text.size())
            return whole;
        encoder.resetState();
    }
    QByteArray out;
    out.reserve(text.size());
    // The encoder writes 0x1A for a character it cannot hold; encode one character at a time to catch it.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QStringView ch = QStringView(text).mid(i, len);
        i += len - 1;
        if (ch.size() == 1 && ch[0].unicode() < 0x80) {
            out += char(ch[0].unicode());
            continue;
        }
        QByteArray bytes = encoder.encode(ch);
        if (encoder.hasError() || bytes.size() != 1 || bytes[0] == 0x1A) {
            encoder.resetState();
            out += '?';
        } else {
            out += bytes;
        }
    }
    return out;
}

QString decode1251(const QByteArray& bytes)
{
    QStringDecoder decoder("windows-1251");
    return decoder.decode(bytes);
}
