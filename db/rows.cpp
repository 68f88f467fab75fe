#include "db/rows.h"

#include "db/db_error.h"
#include "db/tables.h"

#include <QSqlRecord>

#include <functional>

namespace {

// One field of a row and the column it is stored in; what the column holds comes from the table.
template <class Row> struct Binding {
    const char* column;
    std::function<QVariant(const Row&)> get;
    std::function<void(Row&, const QVariant&)> set;
};

void assign(QString* to, const QVariant& v)
{
    *to = v.toString();
}
void assign(int* to, const QVariant& v)
{
    *to = v.toInt();
}
void assign(double* to, const QVariant& v)
{
    *to = v.toDouble();
}
void assign(QDate* to, const QVariant& v)
{
    *to = dateFromDb(v);
}

template <class Row, class T> Binding<Row> bind(const char* column, T Row::*member)
{
    return {column, [member](const Row& r) { return QVariant::fromValue(r.*member); },
            [member](Row& r, const QVariant& v) { assign(&(r.*member), v); }};
}

// NAME_POS1 … PRICE_POS4.
std::vector<Binding<InvoiceRow>> positionBindings()
{
    std::vector<Binding<InvoiceRow>> b;
    for (std::size_t i = 0; i < 4; ++i) {
        const auto field = [&b, i](const char* column, auto Position::*member) {
            b.push_back(
                {column,
                 [i, member](const InvoiceRow& r) { return QVariant::fromValue(r.positions[i].*member); },
                 [i, member](InvoiceRow& r, const QVariant& v) { assign(&(r.positions[i].*member), v); }});
        };
        const auto& columns = kPositionColumns[i];
        field(columns[0], &Position::name);
        field(columns[1], &Position::measure);
        field(columns[2], &Position::count);
        field(columns[3], &Position::price);
    }
    return b;
}

template <class Row> struct Bound;

template <> struct Bound<ClientRow> {
    static const TableDef& table() { return Tables::clients(); }
    static const std::vector<Binding<ClientRow>>& fields()
    {
        static const std::vector<Binding<ClientRow>> f = [] {
            std::vector<Binding<ClientRow>> b{bind("ID_NUMBER", &ClientRow::ID_NUMBER),
                                              bind("DOGDATA", &ClientRow::DOGDATA)};
            for (const ClientRow::Field& t : ClientRow::textFields())
                b.push_back(bind(t.column, t.member));
            return b;
        }();
        return f;
    }
};

template <> struct Bound<InvoiceRow> {
    static const TableDef& table() { return Tables::factures(); }
    static const std::vector<Binding<InvoiceRow>>& fields()
    {
        static const std::vector<Binding<InvoiceRow>> f = [] {
            std::vector<Binding<InvoiceRow>> b{
                bind("FACT_NUMBER", &InvoiceRow::FACT_NUMBER), bind("FACT_DOPNO", &InvoiceRow::FACT_DOPNO),
                bind("FACT_DATA", &InvoiceRow::FACT_DATA),     bind("FACT_NDS", &InvoiceRow::FACT_NDS),
                bind("FACT_NR", &InvoiceRow::FACT_NR),         bind("NAME_OWNER", &InvoiceRow::NAME_OWNER),
                bind("ID_NUMBER", &InvoiceRow::ID_NUMBER)};
            for (Binding<InvoiceRow>& p : positionBindings())
                b.push_back(std::move(p));
            return b;
        }();
        return f;
    }
};

// The fields both waybills have, and those of one kind.
template <class W> std::vector<Binding<W>> waybillBindings(std::initializer_list<Binding<W>> own)
{
    std::vector<Binding<W>> b = {
        bind("NAKL_NUMBER", &W::NAKL_NUMBER),   bind("NAKL_DATA", &W::NAKL_DATA),
        bind("FACT1_NUMBER", &W::FACT1_NUMBER), bind("FACT2_NUMBER", &W::FACT2_NUMBER),
        bind("FACT3_NUMBER", &W::FACT3_NUMBER), bind("NAME_CLIENT", &W::NAME_CLIENT),
        bind("ID_NUMBER", &W::ID_NUMBER),       bind("INFO", &W::INFO)};
    b.insert(b.end(), own);
    return b;
}

template <> struct Bound<ExpenseWaybillRow> {
    static const TableDef& table() { return Tables::nakladn1(); }
    static const std::vector<Binding<ExpenseWaybillRow>>& fields()
    {
        using W = ExpenseWaybillRow;
        static const std::vector<Binding<W>> f =
            waybillBindings<W>({bind("DOV_NUMBER", &W::DOV_NUMBER), bind("DOV_SERIE", &W::DOV_SERIE),
                                bind("DOV_DATA", &W::DOV_DATA)});
        return f;
    }
};

template <> struct Bound<TaxWaybillRow> {
    static const TableDef& table() { return Tables::nakladn2(); }
    static const std::vector<Binding<TaxWaybillRow>>& fields()
    {
        using W = TaxWaybillRow;
        static const std::vector<Binding<W>> f = waybillBindings<W>({bind("OPLATA_TYPE", &W::OPLATA_TYPE)});
        return f;
    }
};

template <class Row> const Binding<Row>* bindingOf(const QString& column)
{
    for (const Binding<Row>& b : Bound<Row>::fields())
        if (column.compare(QLatin1String(b.column), Qt::CaseInsensitive) == 0)
            return &b;
    return nullptr;
}

// The fields in the table's column order, looked up once.
template <class Row> const std::vector<const Binding<Row>*>& inTableOrder()
{
    static const std::vector<const Binding<Row>*> order = [] {
        std::vector<const Binding<Row>*> o;
        for (const ColumnDef& c : Bound<Row>::table().columns)
            o.push_back(bindingOf<Row>(QLatin1String(c.name)));
        return o;
    }();
    return order;
}

template <class Row> QVariantList valuesOf(const Row& row)
{
    QVariantList values;
    for (const Binding<Row>* b : inTableOrder<Row>())
        values << b->get(row);
    return values;
}

template <class Row> Row fromRecord(const QSqlRecord& record)
{
    Row row;
    for (const Binding<Row>& b : Bound<Row>::fields())
        b.set(row, record.value(QLatin1String(b.column)));
    return row;
}

template <class Row> RowColumns columnsOf(const Row& row, const QStringList& except)
{
    RowColumns out(Bound<Row>::table());
    const std::vector<ColumnDef>& columns = Bound<Row>::table().columns;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (!except.contains(QLatin1String(columns[i].name)))
            out.set(columns[i].name, toStorage(columns[i], inTableOrder<Row>()[i]->get(row)));
    return out;
}

template <class Row> QStringList unboundOf()
{
    QStringList out;
    QStringList columns = Bound<Row>::table().columnNames();
    for (const QString& c : columns)
        if (!bindingOf<Row>(c))
            out << c;
    for (const Binding<Row>& b : Bound<Row>::fields())
        if (!columns.contains(QLatin1String(b.column)))
            out << QLatin1String(b.column);
    return out;
}

} // namespace

const std::array<OwnerRecord::Field, 14>& OwnerRecord::fields()
{
    static const std::array<Field, 14> f = {{
        {"FIRMNAME", &OwnerRecord::FIRMNAME},
        {"CHIEF", &OwnerRecord::CHIEF},
        {"BUHALTER", &OwnerRecord::BUHALTER},
        {"TELFAX", &OwnerRecord::TELFAX},
        {"CITY", &OwnerRecord::CITY},
        {"POSTADDRESS", &OwnerRecord::POSTADDRESS},
        {"LAWADDRESS", &OwnerRecord::LAWADDRESS},
        {"TAXCODE", &OwnerRecord::TAXCODE},
        {"MFOCODE", &OwnerRecord::MFOCODE},
        {"OKPOCODE", &OwnerRecord::OKPOCODE},
        {"REGNUMBER", &OwnerRecord::REGNUMBER},
        {"BANKNAME", &OwnerRecord::BANKNAME},
        {"BANKCITY", &OwnerRecord::BANKCITY},
        {"CHETNUMBER", &OwnerRecord::CHETNUMBER},
    }};
    return f;
}

QVariantList toValues(const ClientRow& r)
{
    return valuesOf(r);
}

QVariantList toValues(const InvoiceRow& r)
{
    return valuesOf(r);
}

QVariantList toValues(const ExpenseWaybillRow& r)
{
    return valuesOf(r);
}

QVariantList toValues(const TaxWaybillRow& r)
{
    return valuesOf(r);
}

const std::vector<ClientRow::Field>& ClientRow::textFields()
{
    static const std::vector<Field> f = {
        {"FIRMNAME", &ClientRow::FIRMNAME},
        {"CHIEF", &ClientRow::CHIEF},
        {"BUHALTER", &ClientRow::BUHALTER},
        {"TELFAX", &ClientRow::TELFAX},
        {"CITY", &ClientRow::CITY},
        {"REGION", &ClientRow::REGION},
        {"POSTADDRESS", &ClientRow::POSTADDRESS},
        {"LAWADDRESS", &ClientRow::LAWADDRESS},
        {"TAXCODE", &ClientRow::TAXCODE},
        {"MFOCODE", &ClientRow::MFOCODE},
        {"OKPOCODE", &ClientRow::OKPOCODE},
        {"REGNUMBER", &ClientRow::REGNUMBER},
        {"BANKNAME", &ClientRow::BANKNAME},
        {"BANKCITY", &ClientRow::BANKCITY},
        {"CHETNUMBER", &ClientRow::CHETNUMBER},
        {"CHETNUMBER2", &ClientRow::CHETNUMBER2},
        {"BANKREGION", &ClientRow::BANKREGION},
        {"DOGNUMBER", &ClientRow::DOGNUMBER},
        {"INFO", &ClientRow::INFO},
    };
    return f;
}

ClientRow clientFromRecord(const QSqlRecord& r)
{
    return fromRecord<ClientRow>(r);
}

InvoiceRow invoiceFromRecord(const QSqlRecord& r)
{
    return fromRecord<InvoiceRow>(r);
}

ExpenseWaybillRow expenseWaybillFromRecord(const QSqlRecord& r)
{
    return fromRecord<ExpenseWaybillRow>(r);
}

TaxWaybillRow taxWaybillFromRecord(const QSqlRecord& r)
{
    return fromRecord<TaxWaybillRow>(r);
}

RowColumns::RowColumns(const TableDef& table)
    : m_table(&table)
{
}

RowColumns& RowColumns::set(const char* column, const QVariant& stored)
{
    const ColumnDef* def = m_table->column(QLatin1String(column));
    if (!def)
        throw DbError(
            QStringLiteral("%1 has no column %2").arg(QLatin1String(m_table->name), QLatin1String(column)));
    m_columns.push_back(def);
    m_values << stored;
    return *this;
}

QStringList RowColumns::names() const
{
    QStringList names;
    for (const ColumnDef* c : m_columns)
        names << QLatin1String(c->name);
    return names;
}

RowColumns columnsOf(const ClientRow& row, const QStringList& except)
{
    return columnsOf<ClientRow>(row, except);
}

RowColumns columnsOf(const InvoiceRow& row, const QStringList& except)
{
    return columnsOf<InvoiceRow>(row, except);
}

RowColumns columnsOf(const ExpenseWaybillRow& row, const QStringList& except)
{
    return columnsOf<ExpenseWaybillRow>(row, except);
}

RowColumns columnsOf(const TaxWaybillRow& row, const QStringList& except)
{
    return columnsOf<TaxWaybillRow>(row, except);
}

QStringList UnboundColumns()
{
    return unboundOf<ClientRow>() + unboundOf<InvoiceRow>() + unboundOf<ExpenseWaybillRow>() +
           unboundOf<TaxWaybillRow>();
}
