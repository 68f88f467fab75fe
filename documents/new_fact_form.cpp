#include "documents/new_fact_form.h"

#include "documents/documents_controller.h"
#include "documents/tovar_form.h"
#include "ui_new_fact_form.h"
#include "widgets/screen_fit.h"
#include "widgets/widget_prompter.h"

#include <QApplication>
#include <QScrollArea>
#include <QVBoxLayout>

TNewFactForm::TNewFactForm(const InvoiceDraft& draft, DocumentsController& documents,
                           const Settings& settings, TTovarForm* picker, Prompter* prompter, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TNewFactForm>())
    , m_documents(documents)
    , m_settings(settings)
    , m_picker(picker)
    , m_draft(draft)
    , m_ownPrompter(prompter ? nullptr : std::make_unique<WidgetPrompter>(this))
    , m_prompter(prompter ? prompter : m_ownPrompter.get())
{
    ui->setupUi(this);
    // Closed only through its buttons or Esc.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    ui->FDataEd->setPrompter(m_prompter);
    m_positions = {{{ui->StrPo1, ui->StrPo12, ui->Meas1, ui->NumPo1, ui->SumPo1},
                    {ui->StrPO2, ui->StrPO22, ui->Meas2, ui->NumPO2, ui->SumPo2},
                    {ui->StrIO1, ui->StrIo12, ui->Meas3, ui->NumPO3, ui->SumPo3},
                    {ui->StrIO2, ui->StrIO22, ui->Meas4, ui->NumPo4, ui->SumPo4}}};
    // What a screen reader says for each field of a position, and for the parts of the number.
    for (int i = 0; i < int(m_positions.size()); ++i) {
        const PositionFields& p = m_positions[std::size_t(i)];
        p.line1->setAccessibleName(tr("Позиция %1: наименование").arg(i + 1));
        p.line2->setAccessibleName(tr("Позиция %1: наименование, вторая строка").arg(i + 1));
        p.measure->setAccessibleName(tr("Позиция %1: единица измерения").arg(i + 1));
        p.count->setAccessibleName(tr("Позиция %1: количество").arg(i + 1));
        p.price->setAccessibleName(tr("Позиция %1: цена").arg(i + 1));
    }
    ui->NoFact1->setAccessibleName(tr("Номер счета-фактуры"));
    ui->DopNo->setAccessibleName(tr("Дополнение к номеру счета-фактуры"));
    const Precision precision = ApplyPrecision(settings.price, settings.goods);
    // Room for a whole line of 35 characters and a unit of 4.
    const QFontMetrics metrics(font());
    for (PositionFields& p : m_positions) {
        for (QLineEdit* line : {p.line1, p.line2})
            line->setMinimumWidth(metrics.averageCharWidth() * (kLineLength + 2));
        p.measure->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("шт.мм")) + 30);
        p.measure->lineEdit()->setMaxLength(4);
        p.count->setPlaces(precision.countPlaces);
        p.count->setNegativesAllowed(true);
        p.price->setPlaces(precision.pricePlaces);
        for (NumberField* number : {p.count, p.price}) {
            number->setMaxLength(24);
            number->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("0000000000,00")) + 12);
        }
    }
    const QToolButton* pickers[] = {ui->SB1, ui->SB2, ui->SB3, ui->SB4};
    const QToolButton* savers[] = {ui->SB5, ui->SB6, ui->SB7, ui->SB8};
    for (int i = 0; i < 4; ++i) {
        connect(pickers[i], &QToolButton::clicked, this, [this, i] { pick(i); });
        connect(savers[i], &QToolButton::clicked, this, [this, i] { storeGoods(i); });
    }
    for (QLineEdit* payer : {ui->NameEd, ui->NoDog, ui->Code, ui->NoRees, ui->DogData, ui->YAdr})
        connect(payer, &QLineEdit::textEdited, this, [this] { m_clientChanged = true; });
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TNewFactForm::store);
    // Enter anywhere in the form stores it.
    ui->BitBtn1->setDefault(true);
    // "Отмена" says it all: no question.
    connect(ui->BitBtn2, &QPushButton::clicked, this, [this] { QDialog::reject(); });
    connect(ui->BitBtn3, &QPushButton::clicked, this, &TNewFactForm::clearPositions);

    setWindowTitle(draft.isInvoice
                       ? (draft.isNew ? tr("Новая счет - фактура") : tr("Редактирование счет - фактуры"))
                       : (draft.isNew ? tr("Новое поступление") : tr("Редактирование поступления")));
    ui->Label11->setText(draft.isInvoice ? tr("Счет-фактура от ") : tr("Поступление  от "));
    for (QWidget* w : std::initializer_list<QWidget*>{ui->NoFact1, ui->DopNo, ui->Label12, ui->RTaxCB})
        w->setVisible(draft.isInvoice);
    showDraft(draft);
    m_shown = this->draft();
    scrollOnSmallScreens();
    ui->StrPo1->setFocus();
}

void TNewFactForm::scrollOnSmallScreens()
{
    // Room saved for a short screen at a large scale: the check boxes beside the buttons, the positions'
    // rows closer together.
    ui->MainLayout->removeItem(ui->Checks);
    ui->Buttons->insertLayout(1, ui->Checks);
    ui->PositionsGrid->setVerticalSpacing(2);
    // Its natural size where the screen has room; on a small screen at a large scale everything but the
    // buttons scrolls, and the buttons stay in sight.
    const QSize whole = sizeHint();
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(ui->PayerGB);
    column->addWidget(ui->GroupBox1);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("ContentScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    ui->MainLayout->insertWidget(0, scroll, 1);
    connect(qApp, &QApplication::focusChanged, scroll, [scroll, content](QWidget*, QWidget* now) {
        if (now && content->isAncestorOf(now))
            scroll->ensureWidgetVisible(now);
    });
    resize(whole);
    FitToScreen(this);
}

void TNewFactForm::reject()
{
    if (draft() != m_shown &&
        !m_prompter->ask(tr("Изменения в документе не записаны. Закрыть окно без записи?")))
        return;
    QDialog::reject();
}

TNewFactForm::~TNewFactForm() = default;

void TNewFactForm::showDraft(const InvoiceDraft& d)
{
    ui->NameEd->setText(d.payerName);
    ui->NoDog->setText(d.dogNumber);
    ui->Code->setText(d.taxCode);
    ui->NoRees->setText(d.regNumber);
    ui->DogData->setText(d.dogDate);
    ui->YAdr->setText(d.lawAddress);
    ui->FDataEd->setDate(d.date);
    ui->NoFact1->setValue(d.number);
    ui->DopNo->setText(d.dopNo);
    for (std::size_t i = 0; i < m_positions.size(); ++i) {
        const DraftPosition& p = d.positions[i];
        m_positions[i].line1->setText(p.line1);
        m_positions[i].line2->setText(p.line2);
        m_positions[i].measure->setEditText(p.measure);
        m_positions[i].count->setValue(p.count);
        m_positions[i].price->setValue(p.price);
    }
    ui->WithNDSCB->setChecked(d.withNds);
    ui->RTaxCB->setChecked(d.advertisingTax);
}

InvoiceDraft TNewFactForm::draft() const
{
    InvoiceDraft d = m_draft;
    d.payerName = ui->NameEd->text();
    d.dogNumber = ui->NoDog->text();
    d.taxCode = ui->Code->text();
    d.regNumber = ui->NoRees->text();
    d.dogDate = ui->DogData->text();
    d.lawAddress = ui->YAdr->text();
    d.date = ui->FDataEd->date();
    if (d.isInvoice)
        d.number = ui->NoFact1->value();
    d.dopNo = ui->DopNo->text();
    for (std::size_t i = 0; i < m_positions.size(); ++i) {
        DraftPosition& p = d.positions[i];
        p.line1 = m_positions[i].line1->text();
        p.line2 = m_positions[i].line2->text();
        p.measure = m_positions[i].measure->currentText();
        p.count = m_positions[i].count->value();
        p.price = m_positions[i].price->value();
    }
    d.withNds = ui->WithNDSCB->isChecked();
    d.advertisingTax = d.isInvoice && ui->RTaxCB->isChecked();
    return d;
}

bool TNewFactForm::numberIsWhole(int position, NumberField* field, double* value)
{
    const TypedNumber read = field->read(value);
    const bool count = field == m_positions[std::size_t(position)].count;
    if (read == TypedNumber::TooManyDecimals)
        if (const auto offer = RaisePrecisionOffer(position + 1, count, field->text(), field->places())) {
            // Raising the setting keeps everything typed; the figure is never rounded to fit.
            if (m_prompter->ask(offer->question)) {
                (count ? m_settings.goods : m_settings.price) = offer->places;
                for (PositionFields& p : m_positions)
                    (count ? p.count : p.price)->setPlaces(offer->places);
                emit precisionRaised(m_settings);
                return numberIsWhole(position, field, value);
            }
            field->setFocus();
            field->selectAll();
            return false;
        }
    const QString problem = PositionNumberProblem(read, position + 1, count, field->text(), field->places());
    if (problem.isEmpty())
        return true;
    m_prompter->error(problem);
    field->setFocus();
    field->selectAll();
    return false;
}

bool TNewFactForm::numbersAreWhole()
{
    double value = 0;
    for (int i = 0; i < int(m_positions.size()); ++i)
        for (NumberField* field : {m_positions[std::size_t(i)].count, m_positions[std::size_t(i)].price})
            if (!numberIsWhole(i, field, &value))
                return false;
    return true;
}

void TNewFactForm::store()
{
    if (!numbersAreWhole())
        return;
    // The padded first lines go into the store; the fields, held to 35 characters, keep what was typed.
    InvoiceDraft d = draft();
    PadFirstLines(d);
    if (const std::optional<int> number = m_documents.storeEditor(d, m_clientChanged, m_settings)) {
        m_storedNumber = *number;
        accept();
    }
}

void TNewFactForm::clearPositions()
{
    for (PositionFields& p : m_positions) {
        p.line1->clear();
        p.line2->clear();
        p.measure->setEditText(QString());
        p.count->setValue(0);
        p.price->setValue(0);
    }
}

void TNewFactForm::pick(int position)
{
    m_picker->prepare(m_documents.goodsPickerItems(m_settings));
    if (m_picker->exec() != QDialog::Accepted)
        return;
    const PickedGoods picked = ParsePickedText(m_picker->text());
    PositionFields& p = m_positions[std::size_t(position)];
    p.line1->setText(picked.line1);
    p.line2->setText(picked.line2);
    // A name typed without a price leaves the price as it was.
    if (picked.price)
        p.price->setValue(*picked.price);
}

void TNewFactForm::storeGoods(int position)
{
    const PositionFields& p = m_positions[std::size_t(position)];
    DraftPosition goods;
    goods.line1 = p.line1->text();
    goods.line2 = p.line2->text();
    // The price as typed, or nothing stored: a price the field cannot hold never goes in as 0.
    if (numberIsWhole(position, p.price, &goods.price))
        m_documents.storeGoods(goods);
}
