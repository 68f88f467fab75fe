#include "payments/statement_form.h"

#include "widgets/access_keys.h"
#include "widgets/db_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

StatementForm::StatementForm(const StatementImport& plan,
                             const std::map<int, std::vector<OpenDocument>>& open, QWidget* parent)
    : QDialog(parent)
    , m_plan(plan)
    , m_addPayers(new QCheckBox(this))
{
    setObjectName(QStringLiteral("StatementForm"));
    setWindowTitle(tr("Банковская выписка %1").arg(plan.file));
    auto* summary = new QLabel(plan.summary(), this);
    summary->setObjectName(QStringLiteral("StatementSummary"));
    summary->setWordWrap(true);
    auto* table = new QTableWidget(int(plan.incoming.size()), 6, this);
    table->setObjectName(QStringLiteral("StatementLines"));
    table->setHorizontalHeaderLabels(
        {tr("Дата"), tr("Сумма"), tr("Плательщик"), tr("Код"), tr("Документ"), tr("Назначение платежа")});
    ShowAsReadOnlyRows(table);
    table->horizontalHeader()->setStretchLastSection(true);
    for (int r = 0; r < int(plan.incoming.size()); ++r) {
        const ImportedLine& in = plan.incoming[std::size_t(r)];
        const QString tie = in.stored         ? tr("уже в базе")
                            : in.invoice > 0  ? tr("с/ф № %1").arg(in.invoice)
                            : in.act > 0      ? tr("акт № %1").arg(in.act)
                            : in.clientId > 0 ? tr("без счета, на клиента")
                                              : tr("плательщика нет в базе");
        auto* sum = new QTableWidgetItem(in.line.amount.text());
        sum->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(r, 0, new QTableWidgetItem(in.line.date.toString(QStringLiteral("dd.MM.yyyy"))));
        table->setItem(r, 1, sum);
        table->setItem(r, 2, new QTableWidgetItem(in.line.otherName));
        table->setItem(r, 3, new QTableWidgetItem(in.line.otherCode));
        table->setItem(r, 4, new QTableWidgetItem(tie));
        table->setItem(r, 5, new QTableWidgetItem(in.line.purpose));
        const auto documents = open.find(in.clientId);
        if (in.stored || in.matched() || documents == open.end() || documents->second.empty())
            continue;
        auto* choice = new QComboBox(table);
        choice->setObjectName(QStringLiteral("StatementDocument%1").arg(r + 1));
        choice->setAccessibleName(
            tr("Документ платежа от %1 на %2")
                .arg(in.line.date.toString(QStringLiteral("dd.MM.yyyy")), in.line.amount.text()));
        choice->addItem(tie);
        for (const OpenDocument& d : documents->second)
            choice->addItem((d.act ? tr("акт № %1 от %2, долг %3") : tr("с/ф № %1 от %2, долг %3"))
                                .arg(d.number)
                                .arg(d.date.toString(QStringLiteral("dd.MM.yyyy")), d.rest.text()),
                            QVariant::fromValue(d.act ? -d.number : d.number));
        table->setCellWidget(r, 4, choice);
        m_choices[r] = choice;
    }
    table->resizeColumnsToContents();
    const int storable = plan.count([](const ImportedLine& l) { return !l.stored && l.clientId > 0; });
    const int unknown = plan.count([](const ImportedLine& l) { return !l.stored && l.clientId == 0; });
    m_addPayers->setObjectName(QStringLiteral("StatementAddPayers"));
    m_addPayers->setText(
        tr("&Добавить в клиенты плательщиков, которых нет в базе (платежей: %1)").arg(unknown));
    m_addPayers->setVisible(unknown > 0);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* store =
        buttons->addButton(tr("Записать платежи (%1)").arg(storable), QDialogButtonBox::AcceptRole);
    store->setObjectName(QStringLiteral("StatementStore"));
    store->setEnabled(storable > 0 || unknown > 0);
    store->setDefault(true);
    buttons->addButton(tr("Отмена"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(table, 1);
    layout->addWidget(m_addPayers);
    layout->addWidget(buttons);
    resize(fontMetrics().averageCharWidth() * 150, fontMetrics().height() * 28);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    AssignAccessLetters(this);
}

StatementImport StatementForm::chosen() const
{
    StatementImport plan = m_plan;
    for (const auto& [row, choice] : m_choices) {
        // An act's number is kept negative in the list, an invoice's positive.
        const int chosen = choice->currentData().toInt();
        plan.incoming[std::size_t(row)].invoice = std::max(chosen, 0);
        plan.incoming[std::size_t(row)].act = std::max(-chosen, 0);
    }
    return plan;
}

bool StatementForm::addPayers() const
{
    return !m_addPayers->isHidden() && m_addPayers->isChecked();
}
