#pragma once

#include "db/list_model.h"

#include <memory>

class TDM;

// The goods list as its dialog edits it: the rows of PRODUCTS in the order of a named index, PR_PRICE
// at start; the order chosen stays for the run.
class GoodsList {
public:
    explicit GoodsList(TDM& dm);

    SqlListModel& model() { return *m_model; }
    const QString& indexName() const { return m_indexName; }
    // Reads the list again in the current order (a list opened on a book that has changed).
    void reload();
    // A click on a column title: the name or the price order, the primary order when that fails.
    void sortByColumn(int column);
    // A new empty row at the end of the list; its row, or -1.
    int insertEmpty();
    // A row left without a name and a price (an insert given up) goes again; true when it went.
    bool dropIfEmpty(int row);
    // The list in its order as an XLSX spreadsheet: the name and the price of each of the goods. False with
    // *error.
    bool writeSheet(const QString& fileName, QString* error) const;

private:
    TDM& m_dm;
    std::unique_ptr<SqlListModel> m_model;
    QString m_indexName = QStringLiteral("PR_PRICE");
};
