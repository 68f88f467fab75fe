#include "maintenance/paradox_import.h"

#include "base/late_library.h"
#include "db/data_module.h"
#include "db/stores.h"
#include "db/tables.h"
#include "maintenance/paradox_check.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <type_traits>

extern "C" {
#include <paradox.h>
}

namespace {

struct Cancelled {};
// The book met holding rows once it was locked for the import.
struct NotEmpty {};

// The days of a Paradox date count from 1 January of year 1; the Julian day of day 0 is this.
constexpr qint64 kParadoxDayZero = 1721425;

void collectError(pxdoc_t*, int type, const char* message, void* data)
{
    // The library's own handler prints to stdout; its words go into the import's message instead.
    auto* error = static_cast<QString*>(data);
    if (type != PX_Warning && error->isEmpty())
        *error = QString::fromLocal8Bit(message);
}

// How many letters of the Russian and Ukrainian alphabets the bytes make in the code page: text in the
// right one is mostly letters, in the wrong one mostly signs and box drawing.
int cyrillicLetters(const QByteArray& bytes, const char* codePage)
{
    const QString text = QStringDecoder(codePage).decode(bytes);
    int letters = 0;
    for (QChar c : text)
        if ((c >= u'А' && c <= u'я') || QStringView(u"ЁёЄєІіЇїҐґ").contains(c))
            ++letters;
    return letters;
}

QStringDecoder decoderFor(int codePage)
{
    if (codePage > 0 && codePage != 1251) {
        // Each value on its own: a sequence cut at a value's end is not carried into the next one.
        QStringDecoder named(codePage == 866 ? "IBM866"
                             : codePage == 65001
                                 ? "UTF-8"
                                 : QStringLiteral("windows-%1").arg(codePage).toLatin1().constData(),
                             QStringConverter::Flag::Stateless);
        if (named.isValid())
            return named;
    }
    return QStringDecoder("windows-1251");
}

// The Paradox library, loaded when an import first needs it: it brings a dozen libraries of its own (GIO,
// libgsf, libxml2) that no other command should pay for at every start.
struct ParadoxLibrary {
    decltype(&PX_new3) create = nullptr;
    decltype(&PX_open_fp) openStream = nullptr;
    decltype(&PX_get_record) record = nullptr;
    decltype(&PX_get_data_short) shortValue = nullptr;
    decltype(&PX_get_data_byte) byteValue = nullptr;
    decltype(&PX_get_data_long) longValue = nullptr;
    decltype(&PX_get_data_double) doubleValue = nullptr;
    decltype(&PX_close) close = nullptr;
    decltype(&PX_delete) remove = nullptr;

    // The library, or nullptr with *error when it is not installed.
    static const ParadoxLibrary* get(QString* error)
    {
        static const std::optional<ParadoxLibrary> loaded = LateLibrary::load<ParadoxLibrary>(
            QStringLiteral("px"), 0, [](LateLibrary& library, ParadoxLibrary& px) {
                library.take(px.create, "PX_new3");
                library.take(px.openStream, "PX_open_fp");
                library.take(px.record, "PX_get_record");
                library.take(px.shortValue, "PX_get_data_short");
                library.take(px.byteValue, "PX_get_data_byte");
                library.take(px.longValue, "PX_get_data_long");
                library.take(px.doubleValue, "PX_get_data_double");
                library.take(px.close, "PX_close");
                library.take(px.remove, "PX_delete");
            });
        if (loaded)
            return &*loaded;
        *error = QCoreApplication::translate("ParadoxImport",
                                             "не найдена библиотека pxlib для чтения таблиц Paradox (пакет "
                                             "pxlib1)");
        return nullptr;
    }
};

// A table file as the library reads it: from the disk a window at a time (the library seeks to every
// record), but for the header's record count, which is the blocks' own. The file is never held whole.
struct TableFile {
    static constexpr qint64 kWindow = 1 << 16;
    QFile file;
    QByteArray head;   // the bytes up to the record count's end, with the count set
    QByteArray window; // the file's bytes from windowAt
    qint64 windowAt = -1;
    qint64 at = 0;

    static ssize_t read(void* cookie, char* out, std::size_t size)
    {
        auto* t = static_cast<TableFile*>(cookie);
        std::size_t done = 0;
        while (done < size) {
            if (t->at < t->head.size()) {
                const auto n = std::min<std::size_t>(size - done, std::size_t(t->head.size() - t->at));
                std::memcpy(out + done, t->head.constData() + t->at, n);
                done += n;
                t->at += qint64(n);
                continue;
            }
            if (t->windowAt < 0 || t->at < t->windowAt || t->at >= t->windowAt + t->window.size()) {
                t->windowAt = t->at / kWindow * kWindow;
                if (!t->file.seek(t->windowAt))
                    break;
                t->window = t->file.read(kWindow);
                if (t->at >= t->windowAt + t->window.size())
                    break; // the end of the file, or a failed read
            }
            const auto n =
                std::min<std::size_t>(size - done, std::size_t(t->windowAt + t->window.size() - t->at));
            std::memcpy(out + done, t->window.constData() + (t->at - t->windowAt), n);
            done += n;
            t->at += qint64(n);
        }
        return ssize_t(done);
    }
    static int seek(void* cookie, off64_t* offset, int whence)
    {
        auto* t = static_cast<TableFile*>(cookie);
        const qint64 to = whence == SEEK_SET   ? *offset
                          : whence == SEEK_CUR ? t->at + *offset
                                               : t->file.size() + *offset;
        if (to < 0)
            return -1;
        *offset = t->at = to;
        return 0;
    }
    static int close(void* cookie)
    {
        delete static_cast<TableFile*>(cookie);
        return 0;
    }
    // The file opened for the library, with so many records in its header; nullptr with *error.
    static std::FILE* open(const QString& path, int records, QString* error)
    {
        auto t = std::make_unique<TableFile>();
        t->file.setFileName(path);
        if (!t->file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            *error = t->file.errorString();
            return nullptr;
        }
        t->head = t->file.read(kParadoxRecordCountEnd);
        SetParadoxRecordCount(t->head, records);
        std::FILE* stream =
            fopencookie(t.get(), "r", {&TableFile::read, nullptr, &TableFile::seek, &TableFile::close});
        if (!stream) {
            *error = QString::fromLocal8Bit(std::strerror(errno));
            return nullptr;
        }
        t.release();
        // A small buffer of the stream's own: it is filled anew from the window after every seek.
        setvbuf(stream, nullptr, _IOFBF, 1024);
        return stream;
    }
};

// One Paradox data table, read record by record into raw bytes.
class ParadoxTable {
public:
    ~ParadoxTable()
    {
        if (m_doc) {
            m_px->close(m_doc);
            m_px->remove(m_doc);
        }
        if (m_stream)
            std::fclose(m_stream);
    }
    // False with *error naming the problem.
    bool open(const QString& path, QString* error, int codePage = 0)
    {
        m_px = ParadoxLibrary::get(error);
        if (!m_px)
            return false;
        // The library follows what the header says; what it says is checked first, on the file's bytes.
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = file.errorString();
            return false;
        }
        const ParadoxFileCheck check = CheckParadoxFile(file);
        file.close();
        if (!check.ok) {
            *error = check.reason;
            return false;
        }
        // The library reads the records the blocks hold, and has nothing to say to stderr about a header
        // that claims another number.
        m_headerRecords = check.headerRecords;
        m_stream = TableFile::open(path, check.records, error);
        if (!m_stream)
            return false;
        m_doc = m_stream ? m_px->create(collectError, nullptr, nullptr, nullptr, &m_error) : nullptr;
        if (!m_doc || m_px->openStream(m_doc, m_stream) < 0) {
            *error = m_error.isEmpty()
                         ? QCoreApplication::translate("ParadoxImport", "это не таблица Paradox")
                         : QCoreApplication::translate("ParadoxImport", "это не таблица Paradox (%1)")
                               .arg(m_error);
            return false;
        }
        const pxhead_t& h = *m_doc->px_head;
        if (h.px_filetype != pxfFileTypIndexDB && h.px_filetype != pxfFileTypNonIndexDB) {
            *error = QCoreApplication::translate("ParadoxImport", "это не таблица данных Paradox");
            return false;
        }
        if (h.px_encryption != 0) {
            *error = QCoreApplication::translate("ParadoxImport", "таблица зашифрована");
            return false;
        }
        int offset = 0;
        for (int i = 0; i < h.px_numfields; ++i) {
            m_offsets.push_back(offset);
            offset += h.px_fields[i].px_flen;
        }
        if (offset != h.px_recordsize) {
            *error = QCoreApplication::translate("ParadoxImport", "файл повреждён или обрезан");
            return false;
        }

        m_record.resize(h.px_recordsize);
        // The code page asked for; else the file's own; else, for a table that names none (Paradox 3.5),
        // the one its text reads as letters in.
        m_codePage = codePage > 0 ? codePage : h.px_doscodepage;
        if (m_codePage <= 0) {
            m_codePage = guessCodePage();
            m_guessed = true;
        }
        m_decoder = decoderFor(m_codePage);
        return true;
    }
    int records() const { return m_doc->px_head->px_numrecords; }
    int codePage() const { return m_codePage; }
    bool codePageGuessed() const { return m_guessed; }
    // Whether the last text read held bytes its code page has no character for.
    bool lastTextLost() const { return m_lost; }
    int headerRecords() const { return m_headerRecords; }
    int fieldCount() const { return m_doc->px_head->px_numfields; }
    QString fieldName(int i) const { return QString::fromLatin1(m_doc->px_head->px_fields[i].px_fname); }
    char fieldType(int i) const { return m_doc->px_head->px_fields[i].px_ftype; }
    int fieldIndex(const QString& name) const
    {
        for (int i = 0; i < fieldCount(); ++i)
            if (fieldName(i).compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
    bool read(int recno, QString* error)
    {
        if (!m_px->record(m_doc, recno, m_record.data())) {
            *error =
                m_error.isEmpty()
                    ? QCoreApplication::translate("ParadoxImport", "запись %1 не читается").arg(recno + 1)
                    : m_error;
            return false;
        }
        return true;
    }
    // A field's bytes all zero: the field is empty (the library would read a number there).
    bool isEmpty(int i) const
    {
        const char* p = m_record.constData() + m_offsets[std::size_t(i)];
        for (int k = 0; k < m_doc->px_head->px_fields[i].px_flen; ++k)
            if (p[k] != 0)
                return false;
        return true;
    }
    QString text(int i)
    {
        const char* p = m_record.constData() + m_offsets[std::size_t(i)];
        const int length = int(qstrnlen(p, uint(m_doc->px_head->px_fields[i].px_flen)));
        const QString text = m_decoder.decode(QByteArrayView(p, length));
        m_lost = text.contains(QChar::ReplacementCharacter);
        return text;
    }
    qint64 integer(int i)
    {
        char* p = m_record.data() + m_offsets[std::size_t(i)];
        const int len = m_doc->px_head->px_fields[i].px_flen;
        if (fieldType(i) == pxfShort) {
            short v = 0;
            m_px->shortValue(m_doc, p, len, &v);
            return v;
        }
        if (fieldType(i) == pxfLogical) {
            char v = 0;
            m_px->byteValue(m_doc, p, len, &v);
            return v ? 1 : 0;
        }
        long v = 0;
        m_px->longValue(m_doc, p, len, &v);
        return v;
    }
    double real(int i)
    {
        const char t = fieldType(i);
        if (t == pxfShort || t == pxfLong || t == pxfAutoInc || t == pxfDate || t == pxfLogical)
            return double(integer(i));
        double v = 0;
        m_px->doubleValue(m_doc, m_record.data() + m_offsets[std::size_t(i)],
                          m_doc->px_head->px_fields[i].px_flen, &v);
        return v;
    }

private:
    // CP866 or Windows-1251, whichever the text of the first records makes more letters in.
    int guessCodePage()
    {
        QByteArray sample;
        QString ignored;
        for (int r = 0; r < records() && r < 500 && sample.size() < 65536; ++r) {
            if (!read(r, &ignored))
                break;
            for (int i = 0; i < fieldCount(); ++i)
                if (fieldType(i) == pxfAlpha) {
                    const char* p = m_record.constData() + m_offsets[std::size_t(i)];
                    sample.append(p, qsizetype(qstrnlen(p, uint(m_doc->px_head->px_fields[i].px_flen))));
                }
        }
        return cyrillicLetters(sample, "IBM866") > cyrillicLetters(sample, "windows-1251") ? 866 : 1251;
    }

    int m_codePage = 0;
    bool m_guessed = false;
    bool m_lost = false;
    const ParadoxLibrary* m_px = nullptr;
    std::FILE* m_stream = nullptr;
    pxdoc_t* m_doc = nullptr;
    int m_headerRecords = 0;
    QString m_error;
    std::vector<int> m_offsets;
    QByteArray m_record;
    QStringDecoder m_decoder;
};

bool isNumber(char type)
{
    return type == pxfShort || type == pxfLong || type == pxfAutoInc || type == pxfNumber ||
           type == pxfCurrency;
}

// Whether a field of the file can fill a column of the program.
bool fits(char type, ColumnType column)
{
    switch (column) {
    case ColumnType::Text:
        return type == pxfAlpha || isNumber(type);
    case ColumnType::Integer:
    case ColumnType::Short:
        return isNumber(type) || type == pxfLogical;
    case ColumnType::Float:
    case ColumnType::Money:
        return isNumber(type);
    case ColumnType::Date:
        return type == pxfDate || type == pxfTimestamp;
    }
    return false;
}

// One table of the book: its file, the program's table, and which field fills each column (-1: none).
struct Source {
    const TableDef* table = nullptr;
    const char* fileName = nullptr;
    bool optional = false;
    QString path;
    std::unique_ptr<ParadoxTable> px;
    std::vector<int> fields;
};

// Opens a table and matches its fields to the columns; false with *error naming the file.
bool prepare(Source& s, ParadoxTableReport& report, int codePage, QString* error)
{
    const QString name = QFileInfo(s.path).fileName();
    s.px = std::make_unique<ParadoxTable>();
    QString problem;
    if (!s.px->open(s.path, &problem, codePage)) {
        *error = QCoreApplication::translate("ParadoxImport", "Файл %1: %2.").arg(name, problem);
        return false;
    }
    // Columns a book made before them lacks, filled as the upgrade fills them, and a payments table
    // whose columns were never fixed.
    const bool plateg = s.table == &Tables::plateg();
    for (const ColumnDef& c : s.table->columns) {
        const int field = s.px->fieldIndex(QLatin1String(c.name));
        const bool mayLack =
            plateg || (s.table == &Tables::factures() &&
                       (qstrcmp(c.name, "FACT_DOPNO") == 0 || qstrcmp(c.name, "FACT_NR") == 0));
        if (field < 0 && !mayLack) {
            *error = QCoreApplication::translate("ParadoxImport", "Файл %1: нет столбца %2.")
                         .arg(name, QLatin1String(c.name));
            return false;
        }
        if (field >= 0 && !fits(s.px->fieldType(field), c.type)) {
            *error = QCoreApplication::translate(
                         "ParadoxImport", "Файл %1: столбец %2 другого типа (%3), его нельзя перенести.")
                         .arg(name, QLatin1String(c.name))
                         .arg(int(s.px->fieldType(field)));
            return false;
        }
        s.fields.push_back(field);
    }
    report.headerRecords = s.px->headerRecords();
    report.codePage = s.px->codePage();
    report.codePageGuessed = s.px->codePageGuessed();
    for (int i = 0; i < s.px->fieldCount(); ++i)
        if (!s.table->column(s.px->fieldName(i)))
            report.ignoredColumns << s.px->fieldName(i);
    report.file = name;
    return true;
}

QVariant valueOf(ParadoxTable& px, int field, const ColumnDef& column, bool* badDate, bool* lost)
{
    const bool empty = field < 0 || px.isEmpty(field);
    switch (column.type) {
    case ColumnType::Text: {
        if (empty)
            return QString();
        if (px.fieldType(field) == pxfAlpha) {
            QString text = px.text(field);
            *lost = px.lastTextLost();
            return text;
        }
        const double v = px.real(field);
        return v == std::trunc(v) && std::fabs(v) < 1e15 ? QString::number(qint64(v))
                                                         : QString::number(v, 'g', 15);
    }
    case ColumnType::Integer:
    case ColumnType::Short:
        if (empty)
            return qint64(0);
        if (isNumber(px.fieldType(field)) && px.fieldType(field) != pxfShort &&
            px.fieldType(field) != pxfLong && px.fieldType(field) != pxfAutoInc) {
            // A whole number the column holds, or no value at all: never one made up by the conversion.
            const double v = std::round(px.real(field));
            if (!(std::fabs(v) < 9.0e18))
                return QVariant();
            return qint64(v);
        }
        return px.integer(field);
    case ColumnType::Float:
    case ColumnType::Money:
        return empty ? 0.0 : px.real(field);
    case ColumnType::Date: {
        if (empty)
            return QVariant();
        // Milliseconds beyond any day a date can name are no date.
        const double stamp =
            px.fieldType(field) == pxfTimestamp ? std::floor(px.real(field) / 86400000.0) : 0;
        const qint64 days = px.fieldType(field) != pxfTimestamp ? px.integer(field)
                            : stamp > 0 && stamp < 1.0e7        ? qint64(stamp)
                                                                : 0;
        const QDate date = days > 0 ? QDate::fromJulianDay(days + kParadoxDayZero) : QDate();
        if (!date.isValid() || date.year() > 9999) {
            *badDate = true;
            return QVariant();
        }
        return date;
    }
    }
    return {};
}

void importTable(const TDM& dm, Source& s, ParadoxTableReport& report, QStringList* badDates,
                 const ImportProgress& progress)
{
    TableRows inserter(dm, *s.table);
    const int total = s.px->records();
    QVariantList values;
    values.reserve(qsizetype(s.table->columns.size()));
    for (int r = 0; r < total; ++r) {
        QString error;
        if (!s.px->read(r, &error))
            throw DbError(
                QCoreApplication::translate("ParadoxImport", "Файл %1: %2.").arg(report.file, error));
        ++report.rowsRead;
        values.clear();
        for (std::size_t c = 0; c < s.table->columns.size(); ++c) {
            const ColumnDef& column = s.table->columns[c];
            bool badDate = false, lost = false;
            const QVariant v = valueOf(*s.px, s.fields[c], column, &badDate, &lost);
            if ((column.type == ColumnType::Integer || column.type == ColumnType::Short) && v.isNull())
                throw DbError(QCoreApplication::translate("ParadoxImport",
                                                          "Файл %1, строка %2, столбец %3: число слишком "
                                                          "велико для этого столбца.")
                                  .arg(report.file)
                                  .arg(r + 1)
                                  .arg(QLatin1String(column.name)));
            if (badDate)
                *badDates << QCoreApplication::translate("ParadoxImport", "%1, строка %2, %3")
                                 .arg(report.table)
                                 .arg(r + 1)
                                 .arg(QLatin1String(column.name));
            // A text cut to its column, or one with letters its code page has no character for.
            if (lost || (column.type == ColumnType::Text && v.toString().size() > column.size))
                ++report.valuesCut;
            values << v;
        }
        try {
            inserter.append(values);
        } catch (const DbError& e) {
            throw DbError(QCoreApplication::translate("ParadoxImport", "Файл %1, запись %2: %3")
                              .arg(report.file)
                              .arg(r + 1)
                              .arg(e.message()),
                          e.detail());
        }
        ++report.rowsWritten;
        if (progress && ((r + 1) % 2000 == 0 || r + 1 == total) && !progress(report.table, r + 1, total))
            throw Cancelled();
    }
    if (progress && total == 0 && !progress(report.table, 0, 0))
        throw Cancelled();
}

} // namespace

ParadoxImportOutcome ImportParadoxBook(TDM& dm, const QString& folder, const ImportProgress& progress,
                                       int codePage)
{
    ParadoxImportOutcome outcome;
    const auto refuse = [&outcome](const QString& why) {
        outcome.result = ParadoxImportOutcome::Refused;
        outcome.error = why;
        return outcome;
    };
    const QDir dir(folder);
    if (!dir.exists())
        return refuse(QCoreApplication::translate("ParadoxImport", "Папка %1 не найдена.")
                          .arg(QDir::toNativeSeparators(folder)));

    std::vector<Source> sources;
    const std::pair<const TableDef*, const char*> files[] = {
        {&Tables::clients(), "Clients.DB"},   {&Tables::products(), "PRODUCTS.DB"},
        {&Tables::factures(), "Factures.DB"}, {&Tables::nakladn1(), "Nakladn1.DB"},
        {&Tables::nakladn2(), "Nakladn2.DB"}, {&Tables::acts(), "Acts.DB"},
        {&Tables::plateg(), "Plateg.Db"}};
    const QStringList present = dir.entryList(QDir::Files | QDir::Hidden);
    for (const auto& [table, file] : files) {
        Source s;
        s.table = table;
        s.fileName = file;
        s.optional = table == &Tables::acts() || table == &Tables::plateg();
        for (const QString& name : present)
            if (name.compare(QLatin1String(file), Qt::CaseInsensitive) == 0)
                s.path = dir.filePath(name);
        if (s.path.isEmpty()) {
            if (!s.optional)
                return refuse(QCoreApplication::translate("ParadoxImport", "В папке %1 нет таблицы %2.")
                                  .arg(QDir::toNativeSeparators(folder), QLatin1String(file)));
            outcome.report.missingTables << QLatin1String(file);
            continue;
        }
        sources.push_back(std::move(s));
    }
    // Every table is read and checked before anything is written.
    for (auto s = sources.begin(); s != sources.end();) {
        ParadoxTableReport report;
        report.table = QLatin1String(s->table->name);
        if (progress && !progress(report.table, -1, 0)) {
            outcome.result = ParadoxImportOutcome::Cancelled;
            return outcome;
        }
        QString error;
        if (!prepare(*s, report, codePage, &error))
            return refuse(error);
        // An optional table none of whose columns is the program's would come in as rows of zeros.
        if (s->optional && std::all_of(s->fields.begin(), s->fields.end(), [](int f) { return f < 0; })) {
            outcome.report.skippedTables << report.file;
            s = sources.erase(s);
            continue;
        }
        outcome.report.tables.push_back(report);
        ++s;
    }

    try {
        InBulkWriteTurn(dm, [&] { // the inserter cuts every text to its column
            if (dm.HoldsRowsBesideOwner())
                throw NotEmpty();
            OwnerRecord owner;
            const bool hadOwner = dm.ReadOwnerRow(owner);
            for (std::size_t i = 0; i < sources.size(); ++i) {
                Source& s = sources[i];
                // The book's own owner row takes the place of the one the new database has.
                if (s.table == &Tables::clients())
                    DeleteOwnerRow(dm);
                importTable(dm, s, outcome.report.tables[i], &outcome.report.badDates, progress);
            }
            OwnerRecord imported;
            if (hadOwner && !dm.ReadOwnerRow(imported))
                dm.SaveOwnerRecord(owner);
        });
    } catch (const NotEmpty&) {
        return refuse(QCoreApplication::translate(
            "ParadoxImport",
            "В базе данных уже есть клиенты, документы или товары: таблицы Paradox переносятся "
            "только в пустую базу данных."));
    } catch (const Cancelled&) {
        outcome.result = ParadoxImportOutcome::Cancelled;
        return outcome;
    } catch (const DbError& e) {
        return refuse(e.detail().isEmpty() ? e.message() : e.message() + u'\n' + e.detail());
    }
    outcome.result = ParadoxImportOutcome::Done;
    return outcome;
}

int ReadParadoxTable(const QString& path, QString* error)
{
    ParadoxTable px;
    if (!px.open(path, error))
        return -1;
    for (int r = 0; r < px.records(); ++r) {
        if (!px.read(r, error))
            return -1;
        for (int f = 0; f < px.fieldCount(); ++f) {
            if (px.isEmpty(f))
                continue;
            const char type = px.fieldType(f);
            if (type == pxfAlpha)
                (void)px.text(f);
            else if (isNumber(type) || type == pxfDate || type == pxfLogical || type == pxfTimestamp)
                (void)px.real(f);
        }
    }
    return px.records();
}

QStringList ImportSummary(const ParadoxImportReport& report)
{
    QStringList lines;
    for (const ParadoxTableReport& t : report.tables) {
        lines << QCoreApplication::translate(
                     "ParadoxImport", "%1 (%2): прочитано записей %3, записано %4, обрезано значений %5")
                     .arg(t.table, t.file)
                     .arg(t.rowsRead)
                     .arg(t.rowsWritten)
                     .arg(t.valuesCut);
        if (t.codePageGuessed)
            lines << QCoreApplication::translate(
                         "ParadoxImport", "  кодировка в файле не указана, текст прочитан в кодировке %1 "
                                          "(по его буквам)")
                         .arg(t.codePage == 866 ? QStringLiteral("CP866 (DOS)")
                                                : QStringLiteral("Windows-1251"));
        if (t.headerRecords != t.rowsRead)
            lines << QCoreApplication::translate("ParadoxImport",
                                                 "  в заголовке файла записей %1, в его блоках %2: "
                                                 "перенесены записи блоков")
                         .arg(t.headerRecords)
                         .arg(t.rowsRead);
        if (!t.ignoredColumns.isEmpty())
            lines << QCoreApplication::translate("ParadoxImport", "  не перенесены столбцы: %1")
                         .arg(t.ignoredColumns.join(QStringLiteral(", ")));
    }
    for (const QString& table : report.skippedTables)
        lines << QCoreApplication::translate(
                     "ParadoxImport",
                     "В таблице %1 нет ни одного столбца, который хранит программа: она пропущена.")
                     .arg(table);
    for (const QString& table : report.missingTables)
        lines
            << QCoreApplication::translate("ParadoxImport", "Таблица %1 не найдена и пропущена.").arg(table);
    for (const QString& date : report.badDates)
        lines << QCoreApplication::translate("ParadoxImport", "Дата не прочитана и оставлена пустой: %1")
                     .arg(date);
    return lines;
}
