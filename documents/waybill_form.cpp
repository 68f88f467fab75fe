#include "documents/waybill_form.h"

#include "documents/documents_controller.h"
#include "ui_new_n1_form.h"
#include "ui_new_n1p_form.h"
#include "ui_new_n2_form.h"
#include "ui_new_n2p_form.h"
#include "widgets/date_field.h"

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

WaybillForm::WaybillForm(const WaybillDraft& draft, DocumentsController& documents, Prompter* prompter,
                         QWidget* parent)
    : QDialog(parent)
    , m_documents(documents)
    , m_draft(draft)
{
    const bool expense = draft.kind == WaybillKind::Expense;
    if (expense && !draft.forReceipt)
        Ui::TNewN1Form().setupUi(this);
    else if (expense)
        Ui::TNewN1PForm().setupUi(this);
    else if (!draft.forReceipt)
        Ui::TNewN2Form().setupUi(this);
    else
        Ui::TNewN2PForm().setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    for (DateField* date : findChildren<DateField*>())
        date->setPrompter(prompter);

    if (!draft.forReceipt) {
        const char* fields[] = {"NFact1Ed", "NFact2Ed", "NFact3Ed"};
        const QString names[] = {tr("Первая счет-фактура"), tr("Вторая счет-фактура"),
                                 tr("Третья счет-фактура")};
        for (int i = 0; i < 3; ++i) {
            field<QLineEdit>(fields[i])->setAccessibleName(names[i]);
            if (draft.documents[std::size_t(i)] > 0)
                field<QLineEdit>(fields[i])->setText(QString::number(draft.documents[std::size_t(i)]));
        }
        field<QLineEdit>("DateEd")->setAccessibleName(tr("Дата счета-фактуры"));
    }
    // "от" beside the date says nothing read alone.
    for (DateField* date : findChildren<DateField*>(QRegularExpression(QStringLiteral("^NDateE[dD]$"))))
        date->setAccessibleName(tr("Дата накладной"));
    field<QLineEdit>("DateEd")->setText(storedDateText(draft.documentsDate));
    field<QSpinBox>("NoNak")->setValue(draft.number);
    const QString firm = draft.client ? draft.client->FIRMNAME : QString();
    if (expense) {
        field<QLabel>(draft.forReceipt ? "Label9" : "Label10")->setText(firm);
        field<DateField>("NDateED")->setDate(draft.date);
        field<QLineEdit>("NameEd")->setText(draft.receiver);
        field<QLineEdit>("Ser")->setText(draft.proxySerie);
        field<QLineEdit>("NoDov")->setText(draft.proxyNumber);
        field<DateField>("DataDov")->setDate(draft.proxyDate);
        field<QLineEdit>("NameEd")->setFocus();
    } else {
        const ClientRow client = draft.client.value_or(ClientRow{});
        field<QLabel>("DBName")->setText(client.FIRMNAME);
        field<QLabel>("DBAdr")->setText(client.LAWADDRESS);
        field<QLabel>("DBCode")->setText(client.TAXCODE);
        field<QLabel>("DBNoReg")->setText(client.REGNUMBER);
        field<QLabel>("DBNoTel")->setText(client.TELFAX);
        field<QLabel>("DBNoDog")->setText(client.DOGNUMBER);
        field<QLabel>("DBdogData")->setText(storedDateText(client.DOGDATA));
        // A client no longer in the register has no details to show.
        if (!draft.client)
            for (const char* name : {"DBName", "DBAdr", "DBCode", "DBNoReg"})
                field<QLabel>(name)->hide();
        field<DateField>("NDateEd")->setDate(draft.date);
        field<QLineEdit>("Edit1")->setText(draft.payer);
        field<QLineEdit>("ReasonEd")->setText(draft.reason);
        if (auto* combo = field<QComboBox>("OplataEdit"))
            combo->setEditText(draft.paymentType);
        else
            field<QLineEdit>("OplataEdit")->setText(draft.paymentType);
        field<QLineEdit>("Edit1")->setFocus();
    }
    connect(field<QPushButton>("BitBtn1"), &QPushButton::clicked, this, &WaybillForm::store);
    connect(field<QPushButton>("BitBtn2"), &QPushButton::clicked, this, &QDialog::reject);
}

WaybillDraft WaybillForm::draft() const
{
    WaybillDraft d = m_draft;
    d.number = field<QSpinBox>("NoNak")->value();
    if (d.kind == WaybillKind::Expense) {
        d.date = field<DateField>("NDateED")->date();
        d.receiver = field<QLineEdit>("NameEd")->text();
        d.proxySerie = field<QLineEdit>("Ser")->text();
        d.proxyNumber = field<QLineEdit>("NoDov")->text();
        d.proxyDate = field<DateField>("DataDov")->date();
    } else {
        d.date = field<DateField>("NDateEd")->date();
        d.payer = field<QLineEdit>("Edit1")->text();
        d.reason = field<QLineEdit>("ReasonEd")->text();
        const auto* combo = field<QComboBox>("OplataEdit");
        d.paymentType = combo ? combo->currentText() : field<QLineEdit>("OplataEdit")->text();
    }
    return d;
}

void WaybillForm::store()
{
    WaybillDraft d = draft();
    if (d.kind == WaybillKind::Expense && d.proxyNumber.trimmed().isEmpty())
        field<QLineEdit>("NoDov")->setText(QStringLiteral("0"));
    switch (m_documents.storeWaybill(d, &m_storedNumber)) {
    case WaybillStore::Stored:
        accept();
        break;
    case WaybillStore::Refused:
        reject();
        break;
    case WaybillStore::StayOpen:
        break;
    }
}
