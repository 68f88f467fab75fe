#include "db/rows.h"

#include "db/tables.h"

#include <QSqlRecord>

namespace {
QString text(const QSqlRecord& r, const char* column)
{
    return r.value(QLatin1String(column)).toString();
}
int integer(const QSqlRecord& r, const char* column)
{
    return r.value(QLatin1String(column)).toInt();
}
double real(const QSqlRecord& r, const char* column)
{
    return r.value(QLatin1String(column)).toDouble();
}
QDate date(const QSqlRecord& r, const char* column)
{
    return dateFromDb(r.value(QLatin1String(column)));
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
    return {r.ID_NUMBER,   r.FIRMNAME,   r.CHIEF,       r.BUHALTER,   r.TELFAX,    r.CITY,      r.REGION,
            r.POSTADDRESS, r.LAWADDRESS, r.TAXCODE,     r.MFOCODE,    r.OKPOCODE,  r.REGNUMBER, r.BANKNAME,
            r.BANKCITY,    r.CHETNUMBER, r.CHETNUMBER2, r.BANKREGION, r.DOGNUMBER, r.DOGDATA,   r.INFO};
}

QVariantList toValues(const InvoiceRow& r)
{
    QVariantList v{r.FACT_NUMBER, r.FACT_DOPNO, r.FACT_DATA};
    for (const Position& p : r.positions)
        v << p.name << p.measure << p.count << p.price;
    v << r.FACT_NDS << r.FACT_NR << r.NAME_OWNER << r.ID_NUMBER;
    return v;
}

QVariantList toValues(const ExpenseWaybillRow& r)
{
    return {r.NAKL_NUMBER, r.NAKL_DATA,  r.INFO,      r.FACT1_NUMBER, r.FACT2_NUMBER, r.FACT3_NUMBER,
            r.NAME_CLIENT, r.DOV_NUMBER, r.DOV_SERIE, r.DOV_DATA,     r.ID_NUMBER};
}

QVariantList toValues(const TaxWaybillRow& r)
{
    return {r.NAKL_NUMBER, r.NAKL_DATA,   r.FACT1_NUMBER, r.FACT2_NUMBER, r.FACT3_NUMBER,
            r.NAME_CLIENT, r.OPLATA_TYPE, r.ID_NUMBER,    r.INFO};
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
    ClientRow c;
    c.ID_NUMBER = integer(r, "ID_NUMBER");
    for (const ClientRow::Field& f : ClientRow::textFields())
        c.*f.member = text(r, f.column);
    c.DOGDATA = date(r, "DOGDATA");
    return c;
}

InvoiceRow invoiceFromRecord(const QSqlRecord& r)
{
    InvoiceRow f;
    f.FACT_NUMBER = integer(r, "FACT_NUMBER");
    f.FACT_DOPNO = text(r, "FACT_DOPNO");
    f.FACT_DATA = date(r, "FACT_DATA");
    for (int i = 0; i < 4; ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        Position& p = f.positions[std::size_t(i)];
        p.name = text(r, ("NAME_POS" + n).constData());
        p.measure = text(r, ("MEASURE_POS" + n).constData());
        p.count = real(r, ("COUNT_POS" + n).constData());
        p.price = real(r, ("PRICE_POS" + n).constData());
    }
    f.FACT_NDS = integer(r, "FACT_NDS");
    f.FACT_NR = real(r, "FACT_NR");
    f.NAME_OWNER = text(r, "NAME_OWNER");
    f.ID_NUMBER = integer(r, "ID_NUMBER");
    return f;
}

ExpenseWaybillRow expenseWaybillFromRecord(const QSqlRecord& r)
{
    ExpenseWaybillRow w;
    w.NAKL_NUMBER = integer(r, "NAKL_NUMBER");
    w.NAKL_DATA = date(r, "NAKL_DATA");
    w.INFO = text(r, "INFO");
    w.FACT1_NUMBER = integer(r, "FACT1_NUMBER");
    w.FACT2_NUMBER = integer(r, "FACT2_NUMBER");
    w.FACT3_NUMBER = integer(r, "FACT3_NUMBER");
    w.NAME_CLIENT = text(r, "NAME_CLIENT");
    w.DOV_NUMBER = integer(r, "DOV_NUMBER");
    w.DOV_SERIE = text(r, "DOV_SERIE");
    w.DOV_DATA = date(r, "DOV_DATA");
    w.ID_NUMBER = integer(r, "ID_NUMBER");
    return w;
}

TaxWaybillRow taxWaybillFromRecord(const QSqlRecord& r)
{
    TaxWaybillRow w;
    w.NAKL_NUMBER = integer(r, "NAKL_NUMBER");
    w.NAKL_DATA = date(r, "NAKL_DATA");
    w.FACT1_NUMBER = integer(r, "FACT1_NUMBER");
    w.FACT2_NUMBER = integer(r, "FACT2_NUMBER");
    w.FACT3_NUMBER = integer(r, "FACT3_NUMBER");
    w.NAME_CLIENT = text(r, "NAME_CLIENT");
    w.OPLATA_TYPE = text(r, "OPLATA_TYPE");
    w.ID_NUMBER = integer(r, "ID_NUMBER");
    w.INFO = text(r, "INFO");
    return w;
}
