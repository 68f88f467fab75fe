#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <functional>
#include <vector>

class QSqlRecord;

// The owner firm: seller and issuer on every printed document. Each field takes its name from the
// owner row's column it is loaded from and saved to.
struct OwnerRecord {
    QString FIRMNAME = QStringLiteral("Назва вашої фірми");
    QString CHIEF = QStringLiteral("Прізвище І.П. директора");
    QString BUHALTER = QStringLiteral("Прізвище І.П. бухгалтера");
    QString TELFAX = QStringLiteral("(044) 000-00-00");
    QString CITY = QStringLiteral("Київ");
    QString POSTADDRESS = QStringLiteral("01001, м. Київ, вул. Хрещатик, 1");
    QString LAWADDRESS = QStringLiteral("01001, м. Київ, вул. Хрещатик, 1");
    QString TAXCODE = QStringLiteral("000000000000");
    QString MFOCODE = QStringLiteral("000000");
    QString OKPOCODE = QStringLiteral("00000000");
    QString REGNUMBER = QStringLiteral("00000000");
    QString BANKNAME = QStringLiteral("Назва банку");
    QString BANKCITY = QStringLiteral("Київ");
    QString CHETNUMBER = QStringLiteral("00000000000000");

    struct Field {
        const char* column;
        QString OwnerRecord::*member;
    };
    static const std::array<Field, 14>& fields();
    static constexpr int kMaxLength = 255;

    bool operator==(const OwnerRecord&) const = default;
};

struct ClientRow {
    int ID_NUMBER = 0;
    QString FIRMNAME, CHIEF, BUHALTER, TELFAX, CITY, REGION, POSTADDRESS, LAWADDRESS, TAXCODE, MFOCODE,
        OKPOCODE, REGNUMBER, BANKNAME, BANKCITY, CHETNUMBER, CHETNUMBER2, BANKREGION, DOGNUMBER;
    QDate DOGDATA;
    QString INFO;

    struct Field {
        const char* column;
        QString ClientRow::*member;
    };
    // Every text column, in table order.
    static const std::vector<Field>& textFields();
    bool operator==(const ClientRow&) const = default;
};

// An act's period: a month (1-12) or a quarter (13-16, first to fourth) of a year.
struct ActPeriod {
    int month = 0;
    int year = 0;
    bool operator==(const ActPeriod&) const = default;
};

// An act of work done, as the editor, the command line and the blank take it.
struct ActDraft {
    int number = 0;
    QDate date;
    ActPeriod period;
    QString kindOfWork;     // ACT_INFO
    double sum = 0;         // without VAT
    int vatRate = 0;        // ACT_NDS
    QString representative; // NAME_CLIENT
};

// A payment received (a PLATEG row): typed, or a line of a bank statement.
struct PaymentRow {
    int PLAT_NUMBER = 0;
    QDate PLAT_DATA;
    double SUMMA = 0;
    QString INFO;        // the purpose
    int ID_NUMBER = 0;   // the client; 0 while the payer is not known
    int FACT_NUMBER = 0; // the invoice it pays; 0 for none
    int ACT_NUMBER = 0;  // the act it pays; 0 for none
    QString BANK_NUMBER;
    QDate BANK_DATA;
    QString PAYER_NAME, PAYER_CODE, PAYER_IBAN;
    QString SOURCE;   // "typed" or the statement file's name
    QString LINE_KEY; // a statement line's key; empty for a typed payment
    bool operator==(const PaymentRow&) const = default;
};

struct Position {
    QString name;
    QString measure;
    double count = 0;
    double price = 0;
    bool operator==(const Position&) const = default;
};

// An invoice (FACT_NUMBER > 0) or a receipt (FACT_NUMBER < 0).
struct InvoiceRow {
    int FACT_NUMBER = 0;
    QString FACT_DOPNO;
    QDate FACT_DATA;
    std::array<Position, 4> positions;
    int FACT_NDS = 0;
    double FACT_NR = 0;
    QString NAME_OWNER;
    int ID_NUMBER = 0;
    bool operator==(const InvoiceRow&) const = default;
};

struct ExpenseWaybillRow {
    int NAKL_NUMBER = 0;
    QDate NAKL_DATA;
    QString INFO;
    int FACT1_NUMBER = 0, FACT2_NUMBER = 0, FACT3_NUMBER = 0;
    QString NAME_CLIENT;
    int DOV_NUMBER = 0;
    QString DOV_SERIE;
    QDate DOV_DATA;
    int ID_NUMBER = 0;
};

struct TaxWaybillRow {
    int NAKL_NUMBER = 0;
    QDate NAKL_DATA;
    int FACT1_NUMBER = 0, FACT2_NUMBER = 0, FACT3_NUMBER = 0;
    QString NAME_CLIENT;
    QString OPLATA_TYPE;
    int ID_NUMBER = 0;
    QString INFO;
};

struct ProductRow {
    int REC_NUMBER = 0;
    QString PRODUCT_NAME;
    double PRODUCT_PRICE = 0;
};

// Column values in table order, as they go into an INSERT of every column.
QVariantList toValues(const ClientRow& row);
QVariantList toValues(const InvoiceRow& row);
QVariantList toValues(const ExpenseWaybillRow& row);
QVariantList toValues(const TaxWaybillRow& row);

// A row read by its columns' names.
ClientRow clientFromRecord(const QSqlRecord& record);
InvoiceRow invoiceFromRecord(const QSqlRecord& record);
ExpenseWaybillRow expenseWaybillFromRecord(const QSqlRecord& record);
TaxWaybillRow taxWaybillFromRecord(const QSqlRecord& record);

struct ColumnDef;
struct TableDef;

// Columns of one table and their values as stored (text cut to its column, dates as 'YYYY-MM-DD'), for an
// INSERT or UPDATE of the row. Each column is one the table describes, so a statement is made of the book's
// own column names and never of a text handed down; naming a column the table lacks throws DbError.
class RowColumns {
public:
    explicit RowColumns(const TableDef& table);
    RowColumns& set(const char* column, const QVariant& stored);
    const TableDef& table() const { return *m_table; }
    const std::vector<const ColumnDef*>& columns() const { return m_columns; }
    const QVariantList& values() const { return m_values; }
    QStringList names() const;

private:
    const TableDef* m_table;
    std::vector<const ColumnDef*> m_columns;
    QVariantList m_values;
};
// The row's columns in table order; columns the writer does not own are left out.
RowColumns columnsOf(const ClientRow& row, const QStringList& except = {});
RowColumns columnsOf(const InvoiceRow& row, const QStringList& except = {});
RowColumns columnsOf(const ExpenseWaybillRow& row, const QStringList& except = {});
RowColumns columnsOf(const TaxWaybillRow& row, const QStringList& except = {});
// Columns of a table that no field of its row is stored in, and fields that name no column: none, or a
// column was added on one side only.
QStringList UnboundColumns();
