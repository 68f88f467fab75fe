#include "payments/debtors_form.h"

#include "base/money.h"
#include "payments/debtors.h"
#include "payments/payments_controller.h"
#include "widgets/access_keys.h"
#include "widgets/date_field.h"
#include "widgets/db_grid.h"
#include "widgets/input_names.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

DebtorsForm::DebtorsForm(PaymentsController& payments, const QString& programFolder, QWidget* parent)
    : QDialog(parent)
    , m_payments(payments)
    , m_programFolder(programFolder)
    , m_date(new DateField(this))
    , m_table(new QTableWidget(0, 6, this))
    , m_totals(new QLabel(this))
{
    setObjectName(QStringLiteral("DebtorsForm"));
    setWindowTitle(tr("Должники"));
    m_date->setObjectName(QStringLiteral("DebtorsDate"));
    m_date->setDate(QDate::currentDate());
    m_table->setObjectName(QStringLiteral("DebtorsTable"));
    m_table->setHorizontalHeaderLabels(
        {tr("№"), tr("Клиент"), tr("Начислено"), tr("Оплачено"), tr("Долг"), tr("Старейший неоплаченный")});
    ShowAsReadOnlyRows(m_table);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_totals->setObjectName(QStringLiteral("DebtorsTotals"));
    auto* top = new QHBoxLayout;
    auto* dateLabel = new QLabel(tr("&На дату:"), this);
    dateLabel->setBuddy(m_date);
    top->addWidget(dateLabel);
    top->addWidget(m_date);
    auto* show = new QPushButton(tr("&Показать"), this);
    show->setObjectName(QStringLiteral("DebtorsShow"));
    top->addWidget(show);
    top->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_totals, 1);
    auto* write = new QPushButton(tr("&Записать в файл..."), this);
    write->setObjectName(QStringLiteral("DebtorsWrite"));
    auto* close = new QPushButton(tr("З&акрыть"), this);
    buttons->addWidget(write);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    resize(fontMetrics().averageCharWidth() * 130, fontMetrics().height() * 30);
    connect(show, &QPushButton::clicked, this, &DebtorsForm::showDebtors);
    connect(m_date, &DateField::dateEdited, this, &DebtorsForm::showDebtors);
    connect(write, &QPushButton::clicked, this, &DebtorsForm::write);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    AssignAccessLetters(this);
    NameInputs(this);
    showDebtors();
}

void DebtorsForm::showDebtors()
{
    const QDate date = m_date->date().isValid() ? m_date->date() : QDate::currentDate();
    const std::vector<ClientBalance> debtors = m_payments.debtors(date);
    m_table->setRowCount(int(debtors.size()));
    qint64 owed = 0;
    for (int r = 0; r < int(debtors.size()); ++r) {
        const ClientBalance& b = debtors[std::size_t(r)];
        const auto money = [](qint64 kopecks) {
            auto* item = new QTableWidgetItem(Money::fromKopecks(kopecks).text());
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            return item;
        };
        m_table->setItem(r, 0, new QTableWidgetItem(QString::number(b.clientId)));
        m_table->setItem(r, 1, new QTableWidgetItem(b.name));
        m_table->setItem(r, 2, money(b.charged));
        m_table->setItem(r, 3, money(b.paid));
        m_table->setItem(r, 4, money(b.charged - b.paid));
        m_table->setItem(
            r, 5,
            new QTableWidgetItem(b.oldestNumber > 0
                                     ? (b.oldestIsAct ? tr("акт № %1 от %2") : tr("с/ф № %1 от %2"))
                                           .arg(b.oldestNumber)
                                           .arg(b.oldestDate.toString(QStringLiteral("dd.MM.yyyy")))
                                     : QString()));
        owed += b.charged - b.paid;
    }
    m_table->resizeColumnsToContents();
    m_totals->setText(tr("Должников: %1, долг: %2").arg(debtors.size()).arg(Money::fromKopecks(owed).text()));
}

void DebtorsForm::write()
{
    const QString file = QFileDialog::getSaveFileName(
        this, tr("Записать должников"), QDir(m_programFolder).filePath(DebtorsFileName()),
        tr("Текстовые файлы (*.txt);;Таблицы Excel (*.xlsx);;Все файлы (*)"));
    if (file.isEmpty())
        return;
    const QDate date = m_date->date().isValid() ? m_date->date() : QDate::currentDate();
    if (const std::optional<int> lines = m_payments.writeDebtors(date, file)) {
        m_written = file;
        m_lines = *lines;
    }
}
