#include "clients/client_export.h"

#include "base/text_codec.h"
#include "base/whole_file.h"
#include "db/data_module.h"
#include "db/db_error.h"
#include "db/stores.h"
#include "db/tables.h"
#include "report/spreadsheet.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

const std::array<ExportField, kExportFieldCount>& exportFields()
{
    static const std::array<ExportField, kExportFieldCount> fields = {{
        {"FIRMNAME", QT_TRANSLATE_NOOP("ClientExport", "Название фирмы"), 48},
        {"CHIEF", QT_TRANSLATE_NOOP("ClientExport", "Ф.И.О. руководителя"), 32},
        {"BUHALTER", QT_TRANSLATE_NOOP("ClientExport", "Ф.И.О. бухгалтера"), 32},
        {"TELFAX", QT_TRANSLATE_NOOP("ClientExport", "Телефон (факс)"), 32},
        {"CITY", QT_TRANSLATE_NOOP("ClientExport", "Город"), 16},
        {"REGION", QT_TRANSLATE_NOOP("ClientExport", "Область"), 20},
        {"POSTADDRESS", QT_TRANSLATE_NOOP("ClientExport", "Почтовый адрес"), 36},
        {"LAWADDRESS", QT_TRANSLATE_NOOP("ClientExport", "Юридический адрес"), 36},
        {"TAXCODE", QT_TRANSLATE_NOOP("ClientExport", "Инд.налоговый №"), 15},
        {"OKPOCODE", QT_TRANSLATE_NOOP("ClientExport", "Код ЕДРПОУ"), 12},
        {"REGNUMBER", QT_TRANSLATE_NOOP("ClientExport", "№ свид. регистрации"), 20},
        {"BANKNAME", QT_TRANSLATE_NOOP("ClientExport", "Название банка"), 24},
        {"BANKCITY", QT_TRANSLATE_NOOP("ClientExport", "Банк в городе"), 16},
        {"BANKREGION", QT_TRANSLATE_NOOP("ClientExport", "Банк в области"), 20},
        // 29: a whole Ukrainian IBAN.
        {"CHETNUMBER", QT_TRANSLATE_NOOP("ClientExport", "№ рас. счета"), 29},
        {"CHETNUMBER2", QT_TRANSLATE_NOOP("ClientExport", "№ рас.счета (2)"), 29},
        {"MFOCODE", QT_TRANSLATE_NOOP("ClientExport", "Код МФО банка"), 14},
        {"DOGNUMBER", QT_TRANSLATE_NOOP("ClientExport", "№ договора"), 10},
        {"DOGDATA", QT_TRANSLATE_NOOP("ClientExport", "Дата договора"), 13},
    }};
    return fields;
}

int exportFieldOfColumn(const QString& column)
{
    const auto& fields = exportFields();
    for (int i = 0; i < kExportFieldCount; ++i)
        if (column.compare(QLatin1String(fields[std::size_t(i)].column), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

namespace {

// As the file's header has it: a document's text, the same in any interface language.
QString caption(int field)
{
    return QString::fromUtf8(exportFields()[std::size_t(field)].caption);
}

// As the dialog shows it, in the interface's language.
QString shownCaption(int field)
{
    return QCoreApplication::translate("ClientExport", exportFields()[std::size_t(field)].caption);
}

bool inRange(int row, const std::vector<int>& list)
{
    return row >= 0 && row < int(list.size());
}

} // namespace

ClientExportChoice::ClientExportChoice()
{
    for (int i = 0; i < kExportFieldCount; ++i)
        m_widths[std::size_t(i)] = exportFields()[std::size_t(i)].defaultWidth;
    reset();
}

void ClientExportChoice::reset()
{
    m_included.clear();
    m_available.resize(kExportFieldCount);
    for (int i = 0; i < kExportFieldCount; ++i)
        m_available[std::size_t(i)] = i;
}

QStringList ClientExportChoice::availableEntries() const
{
    QStringList entries;
    for (int field : m_available)
        entries << shownCaption(field);
    return entries;
}

QStringList ClientExportChoice::includedEntries() const
{
    QStringList entries;
    for (int field : m_included)
        entries << shownCaption(field) + u' ' +
                       QCoreApplication::translate("ClientExport", "(ширина %1)").arg(width(field));
    return entries;
}

void ClientExportChoice::include(int availableRow)
{
    if (!inRange(availableRow, m_available))
        return;
    m_included.push_back(m_available[std::size_t(availableRow)]);
    m_available.erase(m_available.begin() + availableRow);
}

void ClientExportChoice::exclude(int includedRow)
{
    if (!inRange(includedRow, m_included))
        return;
    // Back at the end of the fields left out, not in its old place.
    m_available.push_back(m_included[std::size_t(includedRow)]);
    m_included.erase(m_included.begin() + includedRow);
}

void ClientExportChoice::includeAll()
{
    m_included.insert(m_included.end(), m_available.begin(), m_available.end());
    m_available.clear();
}

void ClientExportChoice::excludeAll()
{
    reset();
}

int ClientExportChoice::width(int field) const
{
    return m_widths[std::size_t(field)];
}

int ClientExportChoice::includedWidth(int includedRow) const
{
    return inRange(includedRow, m_included) ? width(m_included[std::size_t(includedRow)]) : 0;
}

void ClientExportChoice::setIncludedWidth(int includedRow, int width)
{
    if (inRange(includedRow, m_included))
        setWidth(m_included[std::size_t(includedRow)], width);
}

void ClientExportChoice::setWidth(int field, int width)
{
    if (field >= 0 && field < kExportFieldCount)
        m_widths[std::size_t(field)] = std::clamp(width, 0, kMaxExportWidth);
}

std::vector<ExportColumn> ClientExportChoice::columns() const
{
    std::vector<ExportColumn> out;
    for (int field : m_included)
        out.push_back({field, width(field)});
    return out;
}

namespace {

// The table the export appends, in Windows-1251.
QByteArray clientTable(const TDM& dm, const ListQuery& clients, const std::vector<ExportColumn>& columns)
{
    QByteArray header = "|";
    QByteArray rule = "+";
    std::vector<const ColumnDef*> read;
    for (const ExportColumn& c : columns) {
        // A caption longer than its width is written whole; the rule follows the header cell.
        const QString title = caption(c.field);
        const QByteArray cell = encode1251(title.leftJustified(c.width, u' '));
        header += cell + '|';
        rule += QByteArray(cell.size(), '-') + '+';
        read.push_back(Tables::clients().column(QLatin1String(exportFields()[std::size_t(c.field)].column)));
    }
    QByteArray out = rule + "\r\n" + header + "\r\n" + rule + "\r\n";
    ForEachClientColumns(dm, clients, read, [&](const QStringList& texts) {
        out += '|';
        for (int i = 0; i < int(columns.size()); ++i) {
            QString value = texts[i];
            if (read[std::size_t(i)]->type == ColumnType::Date) {
                const QDate date = dateFromDb(value);
                value = date == kDateZero ? QString() : date.toString(QStringLiteral("dd.MM.yyyy"));
            }
            appendCell1251(out, value, columns[std::size_t(i)].width);
            out += '|';
        }
        out += "\r\n";
    });
    return out + rule + "\r\n \r\n";
}

} // namespace

bool AppendClientList(const TDM& dm, const ListQuery& clients, const std::vector<ExportColumn>& columns,
                      const QString& fileName, QString* error)
{
    const QByteArray table = clientTable(dm, clients, columns);
    QFile old(fileName);
    const bool appending = QFileInfo(fileName).isFile();
    if (appending && !old.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QCoreApplication::translate("ClientExport", "Не удалось прочитать файл %1: %2.")
                         .arg(fileName, old.errorString());
        return false;
    }
    return WriteOutputFile(
        fileName,
        [&](QIODevice& file) {
            // The old content first, a block at a time; the table after it.
            while (appending && !old.atEnd()) {
                const QByteArray block = old.read(1 << 20);
                if (block.isEmpty() || file.write(block) != block.size())
                    return false;
            }
            return file.write(table) == table.size();
        },
        error);
}

bool WriteClientListSheet(const TDM& dm, const ListQuery& clients, const std::vector<ExportColumn>& columns,
                          const QString& fileName, QString* error)
{
    std::vector<SheetColumn> sheetColumns;
    std::vector<const ColumnDef*> read;
    for (const ExportColumn& c : columns) {
        read.push_back(Tables::clients().column(QLatin1String(exportFields()[std::size_t(c.field)].column)));
        sheetColumns.push_back(
            {shownCaption(c.field), read.back()->type == ColumnType::Date ? CellKind::Date : CellKind::Text});
    }
    const QString title = QCoreApplication::translate("ClientExport", "Список клиентов");
    Spreadsheet sheet(title, title, sheetColumns);
    ForEachClientColumns(dm, clients, read, [&](const QStringList& texts) {
        SheetRow row;
        for (int i = 0; i < int(columns.size()); ++i) {
            const QDate date =
                read[std::size_t(i)]->type == ColumnType::Date ? dateFromDb(texts[i]) : QDate();
            row.push_back(sheetColumns[std::size_t(i)].kind == CellKind::Text ? QVariant(texts[i])
                          : date == kDateZero                                 ? QVariant()
                                                                              : QVariant(date));
        }
        sheet.addRow(row);
    });
    return sheet.save(fileName, error);
}

QString ClientListFileName()
{
    return QStringLiteral("clients.txt");
}
