#include "maintenance/paradox_check.h"

#include <QCoreApplication>
#include <QIODevice>

#include <limits>
#include <set>

namespace {

// The table header, as the format lays it out (little-endian).
constexpr int kRecordSize = 0x00, kHeaderSize = 0x02, kFileType = 0x04, kBlockKiB = 0x05, kNumRecords = 0x06,
              kFileBlocks = 0x0C, kFirstBlock = 0x0E, kNumFields = 0x21, kFileVersion = 0x39,
              kEncryption = 0x25, kDataEncryption = 0x5C;
constexpr int kCommonHeader = 0x58, kDataHeader = 0x78, kBlockHeader = 6;

int word(const QByteArray& b, int at)
{
    return quint8(b[at]) | quint8(b[at + 1]) << 8;
}

int signedWord(const QByteArray& b, int at)
{
    return qint16(word(b, at));
}

qint64 longWord(const QByteArray& b, int at)
{
    return qint32(quint32(word(b, at)) | quint32(word(b, at + 2)) << 16);
}

// Whether a field of the type may be declared so long: pxlib reads each type into a buffer of its size.
bool lengthFits(int type, int length)
{
    switch (type) {
    case 0x01: // alpha
    case 0x18: // bytes
        return length >= 1 && length <= 255;
    case 0x02: // date
    case 0x04: // long
    case 0x14: // time
    case 0x16: // autoincrement
        return length == 4;
    case 0x03: // short
        return length == 2;
    case 0x05: // currency
    case 0x06: // number
    case 0x15: // timestamp
        return length == 8;
    case 0x09: // logical
        return length == 1;
    case 0x0C: // memo and other large objects: ten bytes of reference and what is kept in the record
    case 0x0D:
    case 0x0E:
    case 0x0F:
    case 0x10:
        return length >= 10 && length <= 255;
    case 0x17: // BCD: always 17 bytes; the header gives its decimals
        return length <= 32;
    default:
        return false;
    }
}

} // namespace

ParadoxFileCheck CheckParadoxFile(QIODevice& file)
{
    ParadoxFileCheck c;
    const qint64 size = file.size();
    const auto refuse = [&c](const QString& why) {
        c.ok = false;
        c.reason = why;
        return c;
    };
    if (!file.seek(0))
        return refuse(QCoreApplication::translate("ParadoxImport", "файл не читается"));
    const QByteArray common = file.read(kCommonHeader);
    if (common.size() < kCommonHeader)
        return refuse(QCoreApplication::translate("ParadoxImport", "файл короче заголовка таблицы"));
    const int recordSize = word(common, kRecordSize);
    const int headerSize = word(common, kHeaderSize);
    const int fileType = quint8(common[kFileType]);
    const int blockSize = quint8(common[kBlockKiB]) * 1024;
    const int version = quint8(common[kFileVersion]);
    const int numFields = signedWord(common, kNumFields);
    c.headerRecords = int(longWord(common, kNumRecords));
    if (fileType > 8)
        return refuse(QCoreApplication::translate("ParadoxImport", "это не таблица Paradox"));
    if (fileType != 0 && fileType != 2)
        return refuse(QCoreApplication::translate("ParadoxImport", "это не таблица данных Paradox"));
    // Versions 3 to 12 are the ones the library lays out as they are here (found by fuzzing: it reads the
    // fields of a table of version 13 from elsewhere, and frees its block index twice).
    if (blockSize < 1024 || blockSize > 32 * 1024 || version < 3 || version > 12 || recordSize == 0)
        return refuse(QCoreApplication::translate("ParadoxImport", "заголовок таблицы повреждён"));
    // The field list follows the header, after the data header in a table of Paradox 4 and later.
    const int fieldsAt = version >= 5 ? kDataHeader : kCommonHeader;
    if (numFields < 1 || fieldsAt + 2 * qint64(numFields) > headerSize || headerSize > size)
        return refuse(
            QCoreApplication::translate("ParadoxImport", "размеры в заголовке не сходятся с файлом"));
    // An encrypted table's blocks are read through the library's decryption, not as they stand here.
    qint64 encryption = quint32(longWord(common, kEncryption));
    if (encryption == 0xFF00FF00 && fieldsAt == kDataHeader) {
        file.seek(kDataEncryption);
        const QByteArray data = file.read(4);
        encryption = data.size() == 4 ? quint32(longWord(data, 0)) : 1;
    }
    if (encryption != 0)
        return refuse(QCoreApplication::translate("ParadoxImport", "таблица зашифрована"));
    file.seek(fieldsAt);
    const QByteArray fields = file.read(2 * numFields);
    if (fields.size() < 2 * numFields)
        return refuse(QCoreApplication::translate("ParadoxImport", "файл короче заголовка таблицы"));
    int sum = 0;
    for (int i = 0; i < numFields; ++i) {
        const int type = quint8(fields[2 * i]), length = quint8(fields[2 * i + 1]);
        if (!lengthFits(type, length))
            return refuse(
                QCoreApplication::translate("ParadoxImport", "поле %1 типа %2 объявлено длиной %3 байт")
                    .arg(i + 1)
                    .arg(type)
                    .arg(length));
        sum += type == 0x17 ? 17 : length;
    }
    if (sum != recordSize)
        return refuse(QCoreApplication::translate(
                          "ParadoxImport", "длина записи в заголовке (%1) не равна сумме длин полей (%2)")
                          .arg(recordSize)
                          .arg(sum));
    if (recordSize > blockSize - kBlockHeader)
        return refuse(QCoreApplication::translate("ParadoxImport", "запись длиннее блока данных"));

    // The data blocks, in their chain from the first: each once, each inside the file.
    const int fileBlocks = word(common, kFileBlocks);
    int block = word(common, kFirstBlock);
    std::set<int> seen;
    qint64 records = 0;
    while (block != 0) {
        if (block > fileBlocks || !seen.insert(block).second)
            return refuse(
                block > fileBlocks
                    ? QCoreApplication::translate("ParadoxImport",
                                                  "цепочка блоков ведёт за пределы файла (блок %1)")
                          .arg(block)
                    : QCoreApplication::translate("ParadoxImport", "цепочка блоков замкнута (блок %1)")
                          .arg(block));
        const qint64 at = headerSize + qint64(block - 1) * blockSize;
        if (at + kBlockHeader > size || !file.seek(at))
            return refuse(
                QCoreApplication::translate("ParadoxImport", "блок %1 лежит за концом файла").arg(block));
        const QByteArray head = file.read(kBlockHeader);
        if (head.size() < kBlockHeader)
            return refuse(
                QCoreApplication::translate("ParadoxImport", "блок %1 лежит за концом файла").arg(block));
        // The offset of the block's last record: one record short of nothing when it holds none.
        const int last = signedWord(head, 4);
        if (last < -recordSize || last % recordSize != 0 || last + recordSize > blockSize - kBlockHeader)
            return refuse(QCoreApplication::translate("ParadoxImport", "блок %1 повреждён").arg(block));
        const int inBlock = last / recordSize + 1;
        if (at + kBlockHeader + qint64(inBlock) * recordSize > size)
            return refuse(QCoreApplication::translate("ParadoxImport",
                                                      "записи блока %1 лежат за концом файла (файл обрезан)")
                              .arg(block));
        records += inBlock;
        block = word(head, 0);
    }
    if (records > std::numeric_limits<int>::max())
        return refuse(QCoreApplication::translate("ParadoxImport", "заголовок таблицы повреждён"));
    c.records = int(records);
    c.ok = true;
    return c;
}

static_assert(kNumRecords + 4 == kParadoxRecordCountEnd);

void SetParadoxRecordCount(QByteArray& bytes, int records)
{
    for (int i = 0; i < 4 && kNumRecords + i < bytes.size(); ++i)
        bytes[kNumRecords + i] = char((quint32(records) >> (8 * i)) & 0xFF);
}
