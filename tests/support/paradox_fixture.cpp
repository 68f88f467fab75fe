#include "support/paradox_fixture.h"

#include <QFile>
#include <QStringEncoder>

#include <cstdlib>
#include <cstring>

extern "C" {
#include <paradox.h>
}

namespace {
void silent(pxdoc_t*, int, const char*, void*) {}
} // namespace

bool WriteParadoxTable(const QString& path, const std::vector<ParadoxField>& fields,
                       const std::vector<QVariantList>& rows, int codePage)
{
    QFile::remove(path);
    pxdoc_t* doc = PX_new2(silent, nullptr, nullptr, nullptr);
    // The library owns the field list and frees it with the document.
    auto* px = static_cast<pxfield_t*>(std::malloc(fields.size() * sizeof(pxfield_t)));
    int recordSize = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        px[i].px_fname = strdup(fields[i].name.toLatin1().constData());
        px[i].px_ftype = fields[i].type;
        px[i].px_flen = fields[i].length;
        px[i].px_fdc = 0;
        recordSize += fields[i].length;
    }
    if (PX_create_file(doc, px, int(fields.size()), QFile::encodeName(path).constData(),
                       pxfFileTypNonIndexDB) < 0) {
        PX_delete(doc);
        return false;
    }
    PX_set_value(doc, "codepage", float(codePage));
    QStringEncoder encoder(
        codePage == 866 ? "IBM866" : QStringLiteral("windows-%1").arg(codePage).toLatin1().constData());
    QByteArray record(recordSize, 0);
    bool ok = true;
    int position = 0;
    for (const QVariantList& row : rows) {
        record.fill(0);
        int offset = 0;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const QVariant v = i < std::size_t(row.size()) ? row[qsizetype(i)] : QVariant();
            char* at = record.data() + offset;
            const int len = fields[i].length;
            offset += len;
            if (v.isNull())
                continue;
            switch (fields[i].type) {
            case pxfAlpha: {
                QByteArray bytes = encoder.encode(v.toString());
                bytes.truncate(len);
                PX_put_data_alpha(doc, at, len, bytes.data());
                break;
            }
            case pxfDate:
                PX_put_data_long(doc, at, len, int(v.toDate().toJulianDay() - 1721425));
                break;
            case pxfShort:
                PX_put_data_short(doc, at, len, short(v.toInt()));
                break;
            case pxfLong:
            case pxfAutoInc:
                PX_put_data_long(doc, at, len, v.toInt());
                break;
            case pxfLogical:
                PX_put_data_byte(doc, at, len, char(v.toBool() ? 1 : 0));
                break;
            default:
                PX_put_data_double(doc, at, len, v.toDouble());
            }
        }
        ok = ok && PX_put_recordn(doc, record.data(), position++) >= 0;
    }
    PX_close(doc);
    PX_delete(doc);
    return ok;
}

std::vector<ParadoxField> ParadoxFieldsOf(const TableDef& table)
{
    std::vector<ParadoxField> fields;
    for (const ColumnDef& c : table.columns) {
        switch (c.type) {
        case ColumnType::Text:
            fields.push_back({QLatin1String(c.name), pxfAlpha, c.size});
            break;
        case ColumnType::Integer:
            fields.push_back({QLatin1String(c.name), pxfLong, 4});
            break;
        case ColumnType::Short:
            fields.push_back({QLatin1String(c.name), pxfShort, 2});
            break;
        case ColumnType::Float:
            fields.push_back({QLatin1String(c.name), pxfNumber, 8});
            break;
        case ColumnType::Money:
            fields.push_back({QLatin1String(c.name), pxfCurrency, 8});
            break;
        case ColumnType::Date:
            fields.push_back({QLatin1String(c.name), pxfDate, 4});
            break;
        }
    }
    return fields;
}
