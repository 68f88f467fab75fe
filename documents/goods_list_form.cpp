#include "documents/goods_list_form.h"

#include "base/prompter.h"
#include "base/whole_file.h"
#include "documents/goods_list.h"
#include "ui_goods_list_form.h"

#include <QAbstractItemDelegate>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QItemSelectionModel>

TTovListForm::TTovListForm(GoodsList& goods, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TTovListForm>())
    , m_goods(goods)
    , m_prompter(prompter)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    ui->DBGrid9->setListModel(&goods.model());
    ui->DBGrid9->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    ui->DBGrid9->horizontalHeader()->setSectionsClickable(true);
    ui->DBNavigator1->setGrid(ui->DBGrid9);
    ui->DBNavigator1->setFullSet(true);
    connect(ui->DBGrid9->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_goods.sortByColumn(column);
        ui->DBGrid9->moveTo(0);
    });
    connect(ui->DBNavigator1, &DBNavigator::deleteRequested, this, &TTovListForm::deleteCurrent);
    connect(ui->SaveSheet, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getSaveFileName(this, tr("Список товаров в Excel"), QString(),
                                                          tr("Таблицы Excel (*.xlsx)"));
        QString error;
        if (!file.isEmpty() &&
            !m_goods.writeSheet(IsSpreadsheetName(file) ? file : file + QStringLiteral(".xlsx"), &error))
            m_prompter.error(error);
    });
    connect(ui->DBNavigator1, &DBNavigator::insertRequested, this, [this] {
        dropGivenUpInsert();
        const int row = m_goods.insertEmpty();
        if (row < 0)
            return;
        m_inserted = m_goods.model().keyAt(row);
        ui->DBGrid9->moveTo(row);
        ui->DBGrid9->edit(m_goods.model().index(row, 0));
    });
    // An insert is given up by Esc in its cell, by moving to another row or by closing the window: a row
    // left without a name and a price goes again (after the editor or the move is done with it).
    connect(ui->DBGrid9->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                if (hint == QAbstractItemDelegate::RevertModelCache)
                    QMetaObject::invokeMethod(this, &TTovListForm::dropGivenUpInsert, Qt::QueuedConnection);
            });
    connect(ui->DBGrid9->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_inserted >= 0 && m_goods.model().keyAt(current.row()) != m_inserted)
                    QMetaObject::invokeMethod(this, &TTovListForm::dropGivenUpInsert, Qt::QueuedConnection);
            });
    connect(ui->DBNavigator1, &DBNavigator::refreshRequested, this, [this] {
        const int row = ui->DBGrid9->currentRow();
        m_goods.reload();
        ui->DBGrid9->moveTo(std::min(row, m_goods.model().rowCount() - 1));
    });
    connect(ui->DBNavigator1, &DBNavigator::cancelled, this, [this] {
        const int row = ui->DBGrid9->currentRow();
        if (m_goods.dropIfEmpty(row))
            ui->DBGrid9->moveTo(std::min(row, m_goods.model().rowCount() - 1));
    });
    connect(&goods.model(), &SqlListModel::engineError, this,
            [this](const QString& message, const QString& detail) { m_prompter.error(message, detail); });
}

TTovListForm::~TTovListForm() = default;

void TTovListForm::prepare()
{
    m_goods.reload();
    ui->DBGrid9->moveTo(0);
}

void TTovListForm::dropGivenUpInsert()
{
    if (m_inserted < 0 || ui->DBGrid9->isEditing())
        return;
    const int row = m_goods.model().rowOfKey(m_inserted);
    m_inserted = -1;
    const int current = ui->DBGrid9->currentRow();
    if (m_goods.dropIfEmpty(row) && m_goods.model().rowCount() > 0)
        ui->DBGrid9->moveTo(
            std::clamp(current > row ? current - 1 : current, 0, m_goods.model().rowCount() - 1));
}

void TTovListForm::done(int result)
{
    if (ui->DBGrid9->isEditing())
        ui->DBGrid9->post();
    dropGivenUpInsert();
    QDialog::done(result);
}

void TTovListForm::deleteCurrent()
{
    const int row = ui->DBGrid9->currentRow();
    if (row < 0)
        return;
    const QString name = m_goods.model().value(row, QStringLiteral("PRODUCT_NAME")).toString().trimmed();
    if (!m_prompter.ask(name.isEmpty() ? tr("Удалить запись?") : tr("Удалить товар «%1»?").arg(name)))
        return;
    if (m_goods.model().deleteRow(row))
        ui->DBGrid9->moveTo(std::min(row, m_goods.model().rowCount() - 1));
}

void TTovListForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
