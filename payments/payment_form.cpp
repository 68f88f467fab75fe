#include "payments/payment_form.h"

#include "base/prompter.h"
#include "db/tables.h"
#include "widgets/access_keys.h"
#include "widgets/date_field.h"
#include "widgets/input_names.h"
#include "widgets/number_field.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PaymentForm::PaymentForm(const PaymentDraft& draft, const QString& what, PaymentsController& payments,
                         Prompter* prompter, QWidget* parent)
    : QDialog(parent)
    , m_draft(draft)
    , m_payments(payments)
    , m_prompter(prompter)
    , m_date(new DateField(this))
    , m_sum(new NumberField(this))
    , m_bankNumber(new QLineEdit(this))
    , m_purpose(new QLineEdit(this))
{
    setObjectName(QStringLiteral("PaymentForm"));
    setWindowTitle(tr("Оплата: %1").arg(what));
    m_date->setObjectName(QStringLiteral("PaymentDate"));
    m_date->setPrompter(prompter);
    m_date->setDate(draft.row.PLAT_DATA);
    m_sum->setObjectName(QStringLiteral("PaymentSum"));
    m_sum->setPlaces(2);
    m_sum->setValue(draft.row.SUMMA);
    m_bankNumber->setObjectName(QStringLiteral("PaymentBankNumber"));
    m_bankNumber->setMaxLength(Tables::plateg().column(QStringLiteral("BANK_NUMBER"))->size);
    m_purpose->setObjectName(QStringLiteral("PaymentPurpose"));
    m_purpose->setMaxLength(Tables::plateg().column(QStringLiteral("INFO"))->size);
    m_purpose->setText(draft.row.INFO);
    auto* form = new QFormLayout;
    form->addRow(tr("&Дата оплаты:"), m_date);
    form->addRow(tr("&Сумма:"), m_sum);
    form->addRow(tr("№ &банковского документа:"), m_bankNumber);
    form->addRow(tr("&Назначение платежа:"), m_purpose);
    if (draft.row.FACT_NUMBER > 0 || draft.row.ACT_NUMBER > 0)
        form->addRow(QString(), new QLabel(tr("Остаток к оплате: %1").arg(draft.rest.text()), this));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("Записать"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("PaymentStore"));
    ok->setDefault(true);
    buttons->addButton(tr("Отмена"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    // The purpose a bank writes is long: most of it in sight.
    setMinimumWidth(fontMetrics().averageCharWidth() * 110);
    connect(buttons, &QDialogButtonBox::accepted, this, &PaymentForm::store);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    AssignAccessLetters(this);
    NameInputs(this);
    m_sum->setFocus();
    m_sum->selectAll();
}

void PaymentForm::store()
{
    double sum = 0;
    if (m_sum->read(&sum) != TypedNumber::Ok) {
        m_prompter->error(tr("Сумма «%1» — не сумма в гривнах и копейках.").arg(m_sum->text()));
        m_sum->setFocus();
        return;
    }
    PaymentRow row = m_draft.row;
    row.PLAT_DATA = m_date->date();
    row.SUMMA = sum;
    row.BANK_NUMBER = m_bankNumber->text();
    row.INFO = m_purpose->text();
    if (m_payments.store(row))
        accept();
}
