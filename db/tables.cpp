#include "db/tables.h"

#include <QCoreApplication>

namespace {

constexpr int kHidden = -1;
constexpr int kDefault = 0;
using T = ColumnType;

std::vector<ColumnDef> positionColumns()
{
    const auto& names = kPositionColumns;
    static const char* const labels[4] = {
        QT_TRANSLATE_NOOP("Tables", "Позиция №1"), QT_TRANSLATE_NOOP("Tables", "Позиция №2"),
        QT_TRANSLATE_NOOP("Tables", "Позиция №3"), QT_TRANSLATE_NOOP("Tables", "Позиция №4")};
    std::vector<ColumnDef> cols;
    for (int i = 0; i < 4; ++i) {
        cols.push_back({names[i][0], T::Text, 70, labels[i], 24});
        cols.push_back({names[i][1], T::Text, 4, QT_TRANSLATE_NOOP("Tables", "Ед."), kDefault});
        cols.push_back({names[i][2], T::Float, 0, QT_TRANSLATE_NOOP("Tables", "Кол-во"), 6});
        cols.push_back({names[i][3], T::Float, 0, QT_TRANSLATE_NOOP("Tables", "Цена"), 9});
    }
    return cols;
}

QString sqlType(ColumnType type)
{
    switch (type) {
    case T::Integer:
    case T::Short:
        return QStringLiteral("INTEGER");
    case T::Float:
    case T::Money:
        return QStringLiteral("REAL");
    case T::Date:
    case T::Text:
        return QStringLiteral("TEXT");
    }
    return {};
}

} // namespace

const ColumnDef* TableDef::column(const QString& name) const
{
    for (const ColumnDef& c : columns)
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

QStringList TableDef::columnNames() const
{
    QStringList names;
    for (const ColumnDef& c : columns)
        names << QString::fromLatin1(c.name);
    return names;
}

namespace Tables {

const TableDef& clients()
{
    static const TableDef t{
        "CLIENTS",
        "ID_NUMBER",
        {
            {"ID_NUMBER", T::Integer, 0, QT_TRANSLATE_NOOP("Tables", "Рег. номер"), kHidden},
            {"FIRMNAME", T::Text, 128, QT_TRANSLATE_NOOP("Tables", "Название клиента"), 48},
            {"CHIEF", T::Text, 80, QT_TRANSLATE_NOOP("Tables", "Ф.И.О. директора"), 39},
            {"BUHALTER", T::Text, 80, QT_TRANSLATE_NOOP("Tables", "Ф.И.О. бухгалтера"), 35},
            {"TELFAX", T::Text, 80, QT_TRANSLATE_NOOP("Tables", "Телефон/факс"), 23},
            {"CITY", T::Text, 32, QT_TRANSLATE_NOOP("Tables", "Город"), 19},
            {"REGION", T::Text, 32, QT_TRANSLATE_NOOP("Tables", "Область"), 24},
            {"POSTADDRESS", T::Text, 80, QT_TRANSLATE_NOOP("Tables", "Почтовый адрес"), 47},
            {"LAWADDRESS", T::Text, 80, QT_TRANSLATE_NOOP("Tables", "Юридический адрес"), 37},
            {"TAXCODE", T::Text, 12, QT_TRANSLATE_NOOP("Tables", "Инд.налоговый номер"), 30},
            {"MFOCODE", T::Text, 16, QT_TRANSLATE_NOOP("Tables", "Код МФО"), 23},
            {"OKPOCODE", T::Text, 16, QT_TRANSLATE_NOOP("Tables", "Код ЕДРПОУ"), 23},
            {"REGNUMBER", T::Text, 16, QT_TRANSLATE_NOOP("Tables", "№ свид.о рег."), 18},
            {"BANKNAME", T::Text, 32, QT_TRANSLATE_NOOP("Tables", "Название  банка"), 25},
            {"BANKCITY", T::Text, 24, nullptr, kHidden},
            // 34: the longest IBAN.
            {"CHETNUMBER", T::Text, 34, QT_TRANSLATE_NOOP("Tables", "№ р/счета"), 20},
            {"CHETNUMBER2", T::Text, 34, nullptr, kHidden},
            {"BANKREGION", T::Text, 32, nullptr, kHidden},
            {"DOGNUMBER", T::Text, 8, QT_TRANSLATE_NOOP("Tables", "№ договора"), 14},
            {"DOGDATA", T::Date, 0, QT_TRANSLATE_NOOP("Tables", "Дата договора"), 19},
            {"INFO", T::Text, 240, nullptr, kHidden},
        },
        {
            {"FIRMA", "FIRMNAME COLLATE UKRAINIAN"},
            {"CHIEFNAME", "CHIEF COLLATE UKRAINIAN"},
            {"CITYADR", "CITY COLLATE UKRAINIAN"},
            {"POST_ADR", "POSTADDRESS COLLATE UKRAINIAN"},
            {"LAW_ADR", "LAWADDRESS COLLATE UKRAINIAN"},
            {"T_CODE", "TAXCODE COLLATE UKRAINIAN"},
            {"REG_NUM", "REGNUMBER COLLATE UKRAINIAN"},
            {"DOG_NUM", "DOGNUMBER COLLATE UKRAINIAN"},
        },
    };
    return t;
}

const TableDef& factures()
{
    static const TableDef t = [] {
        TableDef d{"FACTURES", "FACT_NUMBER", {}, {}};
        d.columns.push_back({"FACT_NUMBER", T::Integer, 0, QT_TRANSLATE_NOOP("Tables", "№ с/ф"), 7});
        d.columns.push_back({"FACT_DOPNO", T::Text, 5, QT_TRANSLATE_NOOP("Tables", "+№"), 5});
        d.columns.push_back({"FACT_DATA", T::Date, 0, QT_TRANSLATE_NOOP("Tables", "Дата с/ф"), kDefault});
        for (const ColumnDef& c : positionColumns())
            d.columns.push_back(c);
        d.columns.push_back({"FACT_NDS", T::Short, 0, QT_TRANSLATE_NOOP("Tables", "НДС %"), 5});
        d.columns.push_back({"FACT_NR", T::Float, 0, QT_TRANSLATE_NOOP("Tables", "НР %"), kDefault});
        d.columns.push_back({"NAME_OWNER", T::Text, 80, QT_TRANSLATE_NOOP("Tables", "Плательщик"), 21});
        d.columns.push_back({"ID_NUMBER", T::Integer, 0, nullptr, kHidden});
        d.indexes = {
            {"FACT_CLIENT", "ID_NUMBER, FACT_NUMBER"},
            {"FACT_DATE", "FACT_DATA"},
            // Narrow copies of the all-documents lists' orders: counted and paged without the rows.
            {"FACT_INVOICES", "FACT_NUMBER", false, "FACT_NUMBER>0", 2},
            {"FACT_RECEIPTS", "FACT_DATA, FACT_NUMBER DESC", false, "FACT_NUMBER<0", 2},
        };
        return d;
    }();
    return t;
}

const TableDef& nakladn1()
{
    static const TableDef t{
        "NAKLADN1",
        nullptr,
        {
            {"NAKL_NUMBER", T::Integer, 0, QT_TRANSLATE_NOOP("Tables", "№ накл."), 9},
            {"NAKL_DATA", T::Date, 0, QT_TRANSLATE_NOOP("Tables", "Дата накл."), 12},
            {"INFO", T::Text, 240, QT_TRANSLATE_NOOP("Tables", "Основание платежа"), 24},
            {"FACT1_NUMBER", T::Integer, 0, nullptr, kHidden},
            {"FACT2_NUMBER", T::Integer, 0, nullptr, kHidden},
            {"FACT3_NUMBER", T::Integer, 0, nullptr, kHidden},
            {"NAME_CLIENT", T::Text, 80, QT_TRANSLATE_NOOP("Tables", "Получатель"), 19},
            {"DOV_NUMBER", T::Integer, 0, QT_TRANSLATE_NOOP("Tables", "№ доверенности"), 20},
            {"DOV_SERIE", T::Text, 8, QT_TRANSLATE_NOOP("Tables", "Серия дов."), 13},
            {"DOV_DATA", T::Date, 0, QT_TRANSLATE_NOOP("Tables", "Дата дов."), 12},
            {"ID_NUMBER", T::Integer, 0, nullptr, kHidden},
        },
        {
            {"N1_NUMBER", "NAKL_NUMBER", true},
            {"N1_CLIENT", "ID_NUMBER, NAKL_NUMBER"},
            {"N1_DATE", "NAKL_DATA"},
            {"N1_FACT", "FACT1_NUMBER"},
            {"N1_FACT2", "FACT2_NUMBER", false, nullptr, 2},
            {"N1_FACT3", "FACT3_NUMBER", false, nullptr, 2},
        },
    };
    return t;
}

const TableDef& nakladn2()
{
    static const TableDef t{
        "NAKLADN2",
        nullptr,
        {
            {"NAKL_NUMBER", T::Integer, 0, QT_TRANSLATE_NOOP("Tables", "№ накл."), 9},
            {"NAKL_DATA", T::Date, 0, QT_TRANSLATE_NOOP("Tables", "Дата накл."), 12},
            {"FACT1_NUMBER", T::Integer, 0, nullptr, kHidden},
            {"FACT2_NUMBER", T::Integer, 0, nullptr, kHidden},
            {"FACT3_NUMBER", T::Integer, 0, nullptr, kHidden},
            {"NAME_CLIENT", T::Text, 80, QT_TRANSLATE_NOOP("Tables", "Получатель"), 96},
            {"OPLATA_TYPE", T::Text, 32, QT_TRANSLATE_NOOP("Tables", "Способ оплаты"), 16},
            {"ID_NUMBER", T::Integer, 0, nullptr, kHidden},
            {"INFO", T::Text, 240, QT_TRANSLATE_NOOP("Tables", "Основание платежа"), 24},
        },
        {
            {"N2_NUMBER", "NAKL_NUMBER", true},
            {"N2_CLIENT", "ID_NUMBER, NAKL_NUMBER"},
            {"N2_DATE", "NAKL_DATA"},
            {"N2_FACT", "FACT1_NUMBER"},
            {"N2_FACT2", "FACT2_NUMBER", false, nullptr, 2},
            {"N2_FACT3", "FACT3_NUMBER", false, nullptr, 2},
        },
    };
    return t;
}

const TableDef& acts()
{
    static const TableDef t{
        "ACTS",
        nullptr,
        {
            {"ACT_NUMBER", T::Integer, 0, QT_TRANSLATE_NOOP("Tables", "№ акта"), 7},
            {"ACT_DATA", T::Date, 0, QT_TRANSLATE_NOOP("Tables", "Дата акта"), kDefault},
            {"ACT_YEAR", T::Integer, 0, QT_TRANSLATE_NOOP("Tables", "Год"), 4},
            {"SUMMA", T::Money, 0, QT_TRANSLATE_NOOP("Tables", "Сумма"), kDefault},
            {"ACT_MONTH", T::Short, 0, nullptr, kHidden},
            {"ID_NUMBER", T::Integer, 0, nullptr, kHidden},
            {"ACT_INFO", T::Text, 255, QT_TRANSLATE_NOOP("Tables", "Вид работ"), 32},
            {"ACT_NDS", T::Short, 0, QT_TRANSLATE_NOOP("Tables", "НДС %"), 5},
            {"NAME_CLIENT", T::Text, 128, QT_TRANSLATE_NOOP("Tables", "Представитель Заказчика"), 32},
        },
        {
            {"A_NUMBER", "ACT_NUMBER"},
            {"A_CLIENT", "ID_NUMBER"},
        },
    };
    return t;
}

const TableDef& products()
{
    static const TableDef t{
        "PRODUCTS",
        "REC_NUMBER",
        {
            {"REC_NUMBER", T::Integer, 0, nullptr, kHidden},
            {"PRODUCT_NAME", T::Text, 70, QT_TRANSLATE_NOOP("Tables", "Наименование"), kDefault},
            {"PRODUCT_PRICE", T::Float, 0, QT_TRANSLATE_NOOP("Tables", "Цена товара"), kDefault},
        },
        {
            {"PR_PRICE", "PRODUCT_PRICE"},
            {"PR_NAME", "PRODUCT_NAME COLLATE UKRAINIAN"},
        },
    };
    return t;
}

const TableDef& plateg()
{
    static const TableDef t{
        "PLATEG",
        nullptr,
        {
            {"PLAT_NUMBER", T::Integer, 0, QT_TRANSLATE_NOOP("Tables", "№ платежа"), 9},
            {"PLAT_DATA", T::Date, 0, QT_TRANSLATE_NOOP("Tables", "Дата"), 12},
            {"SUMMA", T::Money, 0, QT_TRANSLATE_NOOP("Tables", "Сумма"), kDefault},
            {"INFO", T::Text, 240, QT_TRANSLATE_NOOP("Tables", "Назначение платежа"), 24},
            {"ID_NUMBER", T::Integer, 0, nullptr, kHidden},
            // What a payment needs (schema version 8): the document it pays, the bank's document, the
            // payer as the bank named it, where it came from, and what tells a statement's line apart.
            {"FACT_NUMBER", T::Integer, 0, QT_TRANSLATE_NOOP("Tables", "№ с/ф"), 7},
            {"ACT_NUMBER", T::Integer, 0, QT_TRANSLATE_NOOP("Tables", "№ акта"), 7},
            {"BANK_NUMBER", T::Text, 32, QT_TRANSLATE_NOOP("Tables", "№ банк. док."), 10},
            {"BANK_DATA", T::Date, 0, nullptr, kHidden},
            {"PAYER_NAME", T::Text, 255, QT_TRANSLATE_NOOP("Tables", "Плательщик"), 24},
            {"PAYER_CODE", T::Text, 12, QT_TRANSLATE_NOOP("Tables", "Код плательщика"), 10},
            {"PAYER_IBAN", T::Text, 34, nullptr, kHidden},
            {"SOURCE", T::Text, 255, nullptr, kHidden},
            {"LINE_KEY", T::Text, 64, nullptr, kHidden},
        },
        {
            {"PL_NUMBER", "PLAT_NUMBER", false, nullptr, 8},
            {"PL_CLIENT", "ID_NUMBER, PLAT_DATA", false, nullptr, 8},
            {"PL_FACT", "FACT_NUMBER", false, "FACT_NUMBER>0", 8},
            {"PL_ACT", "ACT_NUMBER", false, "ACT_NUMBER>0", 8},
            {"PL_LINE", "LINE_KEY", true, "LINE_KEY <> ''", 8},
        },
    };
    return t;
}

const std::vector<const TableDef*>& all()
{
    static const std::vector<const TableDef*> tables = {&clients(), &factures(), &nakladn1(), &nakladn2(),
                                                        &acts(),    &products(), &plateg()};
    return tables;
}

const TableDef* byName(const QString& name)
{
    for (const TableDef* t : all())
        if (name.compare(QLatin1String(t->name), Qt::CaseInsensitive) == 0)
            return t;
    return nullptr;
}

} // namespace Tables

std::vector<IndexTerm> indexTerms(const IndexDef& index)
{
    const QString collate = QStringLiteral(" COLLATE ") + QLatin1String(kTextCollation);
    std::vector<IndexTerm> terms;
    for (QString part : QString::fromLatin1(index.columns).split(u',')) {
        IndexTerm t;
        part = part.trimmed();
        if (part.endsWith(QLatin1String(" DESC"))) {
            t.descending = true;
            part.chop(5);
        }
        if (part.endsWith(collate)) {
            t.collated = true;
            part.chop(collate.size());
        }
        t.expression = part.trimmed();
        terms.push_back(t);
    }
    return terms;
}

QString addColumnSql(const TableDef& table, const ColumnDef& column)
{
    return QStringLiteral("ALTER TABLE %1 ADD %2 %3")
        .arg(QLatin1String(table.name), QLatin1String(column.name), sqlType(column.type));
}

QString selectAllSql(const TableDef& table)
{
    return QStringLiteral("SELECT %1 FROM %2").arg(table.columnNames().join(u','), QLatin1String(table.name));
}

QString createTableSql(const TableDef& table)
{
    QStringList cols;
    for (const ColumnDef& c : table.columns) {
        QString col = QString::fromLatin1(c.name) + u' ' + sqlType(c.type);
        if (table.primaryKey && qstrcmp(table.primaryKey, c.name) == 0)
            col += QStringLiteral(" PRIMARY KEY");
        cols << col;
    }
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(QLatin1String(table.name), cols.join(QStringLiteral(", ")));
}

QStringList createIndexSql(const TableDef& table, int version)
{
    QStringList sql;
    for (const IndexDef& i : table.indexes)
        if (version == 0 || i.version == version)
            sql << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)%5")
                       .arg(i.unique ? QStringLiteral("UNIQUE ") : QString(), QLatin1String(i.name),
                            QLatin1String(table.name), QLatin1String(i.columns),
                            i.where ? QStringLiteral(" WHERE ") + QLatin1String(i.where) : QString());
    return sql;
}

QStringList unlessThere(QStringList createIndex)
{
    for (QString& s : createIndex)
        s.replace(QStringLiteral(" INDEX "), QStringLiteral(" INDEX IF NOT EXISTS "));
    return createIndex;
}

QStringList createTriggerSql(const TableDef& table)
{
    QStringList tooLong, cuts, textColumns;
    for (const ColumnDef& c : table.columns) {
        if (c.type != ColumnType::Text)
            continue;
        const QString name = QLatin1String(c.name);
        textColumns << name;
        tooLong << QStringLiteral("length(NEW.%1)>%2").arg(name).arg(c.size);
        cuts << QStringLiteral("%1=substr(%1,1,%2)").arg(name).arg(c.size);
    }
    if (textColumns.isEmpty())
        return {};
    const QString name = QLatin1String(table.name);
    const QString body = QStringLiteral(" WHEN %1 BEGIN UPDATE %2 SET %3 WHERE rowid=NEW.rowid; END")
                             .arg(tooLong.join(QStringLiteral(" OR ")), name, cuts.join(u','));
    return {
        QStringLiteral("CREATE TRIGGER %1_CUT_INSERT AFTER INSERT ON %1").arg(name) + body,
        QStringLiteral("CREATE TRIGGER %1_CUT_UPDATE AFTER UPDATE OF %2 ON %1")
                .arg(name, textColumns.join(u',')) +
            body,
    };
}

QStringList dropTriggerSql(const TableDef& table)
{
    if (createTriggerSql(table).isEmpty())
        return {};
    const QString name = QLatin1String(table.name);
    return {QStringLiteral("DROP TRIGGER IF EXISTS %1_CUT_INSERT").arg(name),
            QStringLiteral("DROP TRIGGER IF EXISTS %1_CUT_UPDATE").arg(name)};
}

QStringList schemaSql()
{
    QStringList sql;
    for (const TableDef* t : Tables::all()) {
        sql << createTableSql(*t);
        sql << createIndexSql(*t);
        sql << createTriggerSql(*t);
    }
    return sql;
}

QString cutToColumn(const TableDef& table, const QString& column, const QString& text)
{
    const ColumnDef* c = table.column(column);
    if (!c || c->type != ColumnType::Text || text.size() <= c->size)
        return text;
    return text.left(c->size);
}

QVariant toStorage(const ColumnDef& column, const QVariant& value)
{
    if (value.isNull())
        return value;
    switch (column.type) {
    case ColumnType::Text:
        return value.toString().left(column.size);
    case ColumnType::Date:
        return value.typeId() == QMetaType::QDate ? dateToDb(value.toDate()) : value;
    default:
        return value;
    }
}

QDate dateFromDb(const QVariant& value)
{
    if (value.isNull())
        return kDateZero;
    const QDate d = QDate::fromString(value.toString().left(10), Qt::ISODate);
    return d.isValid() ? d : kDateZero;
}

QVariant dateToDb(const QDate& date)
{
    if (!date.isValid() || date == kDateZero)
        return QVariant(QMetaType::fromType<QString>());
    return date.toString(Qt::ISODate);
}

QString storedDateText(const QDate& date)
{
    return date.isValid() && date != kDateZero ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}
