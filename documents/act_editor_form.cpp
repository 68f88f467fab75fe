#include "documents/act_editor_form.h"

#include "base/prompter.h"
#include "widgets/access_keys.h"
#include "widgets/date_field.h"
#include "widgets/input_names.h"
#include "widgets/number_field.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include <limits>

ActEditorForm::ActEditorForm(const DocumentsController::ActEdit& edit, DocumentsController& documents,
                             Prompter* prompter, QWidget* parent)
    : QDialog(parent)
    , m_edit(edit)
    , m_documents(documents)
    , m_prompter(prompter)
    , m_number(new QSpinBox(this))
    , m_date(new DateField(this))
    , m_period(new QComboBox(this))
    , m_year(new QSpinBox(this))
    , m_work(new QPlainTextEdit(this))
    , m_sum(new NumberField(this))
    , m_vat(new QSpinBox(this))
    , m_representative(new QLineEdit(this))
    , m_figures(new QLabel(this))
{
    setObjectName(QStringLiteral("ActEditorForm"));
    setWindowTitle((edit.original > 0 ? tr("Акт № %1").arg(edit.original) : tr("Новый акт")) +
                   QStringLiteral(" — ") + edit.clientName);
    m_number->setObjectName(QStringLiteral("ActNumber"));
    m_number->setRange(1, std::numeric_limits<int>::max());
    m_date->setObjectName(QStringLiteral("ActDate"));
    m_date->setPrompter(prompter);
    m_period->setObjectName(QStringLiteral("ActPeriod"));
    for (int month = 1; month <= 16; ++month)
        m_period->addItem(ActPeriodShown(month), month);
    m_year->setObjectName(QStringLiteral("ActYear"));
    m_year->setRange(1, 9999);
    m_work->setObjectName(QStringLiteral("ActWork"));
    m_work->setTabChangesFocus(true);
    m_work->setFixedHeight(fontMetrics().lineSpacing() * 4 + 12);
    m_sum->setObjectName(QStringLiteral("ActSum"));
    m_sum->setPlaces(kActSumPlaces);
    m_vat->setObjectName(QStringLiteral("ActVat"));
    m_vat->setRange(0, 100);
    m_vat->setSuffix(QStringLiteral(" %"));
    m_representative->setObjectName(QStringLiteral("ActRepresentative"));
    m_representative->setMaxLength(kActRepresentativeChars);
    m_figures->setObjectName(QStringLiteral("ActFigures"));

    auto* periodRow = new QHBoxLayout;
    periodRow->addWidget(m_period, 1);
    auto* yearLabel = new QLabel(tr("&Год:"), this);
    yearLabel->setBuddy(m_year);
    periodRow->addWidget(yearLabel);
    periodRow->addWidget(m_year);
    auto* form = new QFormLayout;
    form->addRow(tr("&Номер акта:"), m_number);
    form->addRow(tr("&Дата акта:"), m_date);
    auto* periodLabel = new QLabel(tr("&Период:"), this);
    periodLabel->setBuddy(m_period);
    form->addRow(periodLabel, periodRow);
    form->addRow(tr("&Вид работ:"), m_work);
    form->addRow(tr("&Сумма без НДС:"), m_sum);
    form->addRow(tr("&НДС:"), m_vat);
    form->addRow(tr("П&редставитель Заказчика:"), m_representative);
    form->addRow(QString(), m_figures);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("Записать"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ActStore"));
    ok->setDefault(true);
    buttons->addButton(tr("Отмена"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("ActCancel"));
    setMinimumWidth(fontMetrics().averageCharWidth() * 70);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    const ActDraft& d = edit.draft;
    m_number->setValue(d.number);
    m_date->setDate(d.date);
    // A period stored by another tool outside 1-16 shows as none chosen, to be chosen before storing.
    m_period->setCurrentIndex(m_period->findData(d.period.month));
    m_year->setValue(d.period.year);
    m_work->setPlainText(d.kindOfWork);
    m_sum->setValue(d.sum);
    m_vat->setValue(d.vatRate);
    m_representative->setText(d.representative);
    m_periodChosen = edit.original > 0 || d.kindOfWork.size() > 0;
    showFigures();

    connect(buttons, &QDialogButtonBox::accepted, this, &ActEditorForm::store);
    connect(buttons, &QDialogButtonBox::rejected, this, &ActEditorForm::reject);
    connect(m_sum, &QLineEdit::textEdited, this, &ActEditorForm::showFigures);
    connect(m_vat, &QSpinBox::valueChanged, this, &ActEditorForm::showFigures);
    connect(m_period, &QComboBox::activated, this, [this] { m_periodChosen = true; });
    connect(m_year, &QSpinBox::valueChanged, this, [this] {
        if (m_year->hasFocus())
            m_periodChosen = true;
    });
    connect(m_date, &DateField::dateEdited, this, [this](const QDate& date) {
        if (m_periodChosen || !date.isValid())
            return;
        const ActPeriod period = DefaultActPeriod(date);
        m_period->setCurrentIndex(m_period->findData(period.month));
        m_year->setValue(period.year);
    });
    connect(m_work, &QPlainTextEdit::textChanged, this, [this] { m_changed = true; });
    for (QLineEdit* line :
         {static_cast<QLineEdit*>(m_date), static_cast<QLineEdit*>(m_sum), m_representative})
        connect(line, &QLineEdit::textEdited, this, [this] { m_changed = true; });
    for (QSpinBox* box : {m_number, m_year, m_vat})
        connect(box, &QSpinBox::valueChanged, this, [this] { m_changed = true; });
    connect(m_period, &QComboBox::currentIndexChanged, this, [this] { m_changed = true; });
    m_changed = false;
    AssignAccessLetters(this);
    NameInputs(this);
    m_work->setFocus();
}

ActDraft ActEditorForm::draft() const
{
    ActDraft d;
    d.number = m_number->value();
    d.date = m_date->date();
    d.period = {m_period->currentIndex() >= 0 ? m_period->currentData().toInt() : m_edit.draft.period.month,
                m_year->value()};
    d.kindOfWork = m_work->toPlainText();
    d.sum = m_sum->value();
    d.vatRate = m_vat->value();
    d.representative = m_representative->text();
    return d;
}

void ActEditorForm::showFigures()
{
    double sum = 0;
    if (m_sum->read(&sum) != TypedNumber::Ok || sum < 0) {
        m_figures->setText(tr("НДС и сумма с НДС — после суммы в гривнах и копейках."));
        return;
    }
    const Taxed figures = SumAct(sum, m_vat->value());
    m_figures->setText(tr("НДС: %1    Всего с НДС: %2").arg(figures.vat.text(), figures.total.text()));
}

void ActEditorForm::store()
{
    double sum = 0;
    if (const QString problem = ActSumProblem(m_sum->read(&sum), m_sum->text()); !problem.isEmpty()) {
        m_prompter->error(problem);
        m_sum->setFocus();
        m_sum->selectAll();
        return;
    }
    ActDraft d = draft();
    d.sum = sum;
    if (m_documents.storeAct(m_edit, d)) {
        m_storedNumber = d.number;
        accept();
    }
}

void ActEditorForm::reject()
{
    if (m_changed && !m_prompter->ask(tr("Изменения в документе не записаны. Закрыть окно без записи?")))
        return;
    QDialog::reject();
}
