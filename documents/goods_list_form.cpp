#include "documents/goods_list_form.h"

#include "base/prompter.h"
#include "documents/goods_list.h"
#include "ui_goods_list_form.h"

#include <QEvent>
#include <QHeaderView>

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
    connect(ui->DBNavigator1, &DBNavigator::insertRequested, this, [this] {
        const int row = m_goods.insertEmpty();
        if (row < 0)
            return;
        ui->DBGrid9->moveTo(row);
        ui->DBGrid9->edit(m_goods.model().index(row, 0));
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

void TTovListForm::deleteCurrent()
{
    const int row = ui->DBGrid9->currentRow();
    if (row < 0 || !m_prompter.ask(tr("Удалить запись?")))
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
