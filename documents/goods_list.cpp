#include "documents/goods_list.h"

#include "db/data_module.h"
#include "db/list_queries.h"
#include "db/stores.h"
#include "db/tables.h"
#include "report/spreadsheet.h"

#include <QCoreApplication>

GoodsList::GoodsList(TDM& dm)
    : m_dm(dm)
    , m_model(std::make_unique<SqlListModel>(
          dm, Tables::products(), listColumns(Tables::products(), {"PRODUCT_NAME", "PRODUCT_PRICE"})))
{
}

void GoodsList::reload()
{
    m_model->setQuery(ListQueries::goods(m_dm.dialect(), m_indexName));
}

void GoodsList::sortByColumn(int column)
{
    const QString name = m_model->columns().at(std::size_t(std::clamp(column, 0, 1))).name;
    m_indexName =
        name == QLatin1String("PRODUCT_NAME") ? QStringLiteral("PR_NAME") : QStringLiteral("PR_PRICE");
    // A book without the index still lists its goods, in the order they were entered.
    if (!m_dm.isConnected() || !m_dm.hasIndex(m_indexName))
        m_indexName.clear();
    reload();
}

int GoodsList::insertEmpty()
{
    try {
        const qint64 id = AddEmptyGoods(m_dm);
        reload();
        return m_model->rowOfKey(id);
    } catch (const DbError& e) {
        emit m_model->engineError(e.message(), e.detail());
        return -1;
    }
}

bool GoodsList::writeSheet(const QString& fileName, QString* error) const
{
    const QString title = QCoreApplication::translate("GoodsList", "Список товаров");
    Spreadsheet sheet(title, title,
                      {{QCoreApplication::translate("GoodsList", "Товар"), CellKind::Text},
                       {QCoreApplication::translate("GoodsList", "Цена"), CellKind::Money}});
    for (int row = 0; row < m_model->rowCount(); ++row)
        sheet.addRow(
            {m_model->value(row, QStringLiteral("PRODUCT_NAME")),
             moneyCell(Money::fromDouble(m_model->value(row, QStringLiteral("PRODUCT_PRICE")).toDouble()))});
    return sheet.save(fileName, error);
}

bool GoodsList::dropIfEmpty(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return false;
    if (!m_model->value(row, QStringLiteral("PRODUCT_NAME")).toString().trimmed().isEmpty() ||
        m_model->value(row, QStringLiteral("PRODUCT_PRICE")).toDouble() != 0)
        return false;
    return m_model->deleteRow(row);
}
