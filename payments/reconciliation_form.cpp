#include "payments/reconciliation_form.h"

#include "widgets/access_keys.h"
#include "widgets/date_field.h"
#include "widgets/input_names.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ReconciliationForm::ReconciliationForm(const QString& client, const QDate& today, QWidget* parent)
    : QDialog(parent)
    , m_from(new DateField(this))
    , m_to(new DateField(this))
{
    setObjectName(QStringLiteral("ReconciliationForm"));
    setWindowTitle(tr("Акт сверки"));
    m_from->setObjectName(QStringLiteral("ReconciliationFrom"));
    m_to->setObjectName(QStringLiteral("ReconciliationTo"));
    // The year so far: what a customer asks to confirm most often, and easily narrowed to a quarter.
    m_from->setDate(QDate(today.year(), 1, 1));
    m_to->setDate(today);
    auto* name = new QLabel(client, this);
    name->setObjectName(QStringLiteral("ReconciliationClient"));
    name->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(tr("Клиент:"), name);
    form->addRow(tr("&С:"), m_from);
    form->addRow(tr("&По:"), m_to);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* show = new QPushButton(tr("Про&смотр"), this);
    show->setObjectName(QStringLiteral("ReconciliationPreview"));
    show->setDefault(true);
    auto* print = new QPushButton(tr("П&ечать"), this);
    print->setObjectName(QStringLiteral("ReconciliationPrint"));
    auto* close = new QPushButton(tr("&Отмена"), this);
    buttons->addWidget(show);
    buttons->addWidget(print);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(show, &QPushButton::clicked, this, [this] {
        m_preview = true;
        accept();
    });
    connect(print, &QPushButton::clicked, this, [this] {
        m_preview = false;
        accept();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    AssignAccessLetters(this);
    NameInputs(this);
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
}

QDate ReconciliationForm::from() const
{
    return m_from->date();
}

QDate ReconciliationForm::to() const
{
    return m_to->date();
}
