#include "documents/period_dialogs.h"

#include "ui_data_form.h"
#include "ui_find_form2.h"
#include "ui_numbers_form.h"
#include "widgets/widget_prompter.h"

#include <QEvent>
#include <QFileDialog>
#include <QLayout>

namespace {

void refuse(Prompter* prompter, QWidget* dialog, const QString& message)
{
    if (prompter)
        prompter->error(message);
    else
        WidgetPrompter(dialog).error(message);
}

} // namespace

TDataForm::TDataForm(Prompter* prompter, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TDataForm>())
    , m_prompter(prompter)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    for (DateField* field : {ui->DateEdit1, ui->DateEdit2}) {
        field->setPrompter(prompter);
        field->setDate(QDate::currentDate());
    }
    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    ui->Format->bind(ui->FNE1);
    connect(ui->FNE1Browse, &QToolButton::clicked, this, [this] {
        QString chosen = ui->Format->fileFilter();
        const QString file = QFileDialog::getSaveFileName(this, ui->Label4->text(), ui->FNE1->text(),
                                                          tr("Все файлы (*.*);;") + chosen, &chosen);
        if (!file.isEmpty())
            ui->FNE1->setText(QDir::toNativeSeparators(file));
    });
}

TDataForm::~TDataForm() = default;

void TDataForm::prepareForFilter()
{
    ui->Label1->setText(tr("Период подготовки счетов :"));
    for (QWidget* w : std::initializer_list<QWidget*>{ui->Label4, ui->FNE1, ui->FNE1Browse, ui->Format})
        w->hide();
}

void TDataForm::prepareForRegister(const QString& defaultFile)
{
    ui->Label1->setText(tr("За какой период выводить журнал :"));
    ui->Format->reset();
    ui->FNE1->setText(QDir::toNativeSeparators(defaultFile));
    for (QWidget* w : std::initializer_list<QWidget*>{ui->Label4, ui->FNE1, ui->FNE1Browse, ui->Format})
        w->show();
}

QString TDataForm::fileName() const
{
    return QDir::fromNativeSeparators(ui->FNE1->text());
}

QDate TDataForm::from() const
{
    return ui->DateEdit1->date().isValid() ? ui->DateEdit1->date() : QDate::currentDate();
}

QDate TDataForm::to() const
{
    return ui->DateEdit2->date().isValid() ? ui->DateEdit2->date() : QDate::currentDate();
}

void TDataForm::accept()
{
    if (from() > to()) {
        refuse(m_prompter, this,
               tr("Период начинается позже, чем кончается: с %1 по %2.")
                   .arg(from().toString(QStringLiteral("dd.MM.yyyy")),
                        to().toString(QStringLiteral("dd.MM.yyyy"))));
        return;
    }
    QDialog::accept();
}

void TDataForm::setPeriod(const QDate& from, const QDate& to)
{
    ui->DateEdit1->setDate(from);
    ui->DateEdit2->setDate(to);
}

TNumbersForm::TNumbersForm(Prompter* prompter, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TNumbersForm>())
    , m_prompter(prompter)
{
    ui->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

TNumbersForm::~TNumbersForm() = default;

void TNumbersForm::setRange(int from, int to)
{
    if (from > 0)
        ui->MinSE->setValue(from);
    if (to > 0)
        ui->MaxSE->setValue(to);
}

void TNumbersForm::accept()
{
    if (from() > to()) {
        refuse(m_prompter, this, tr("Первый номер больше последнего: с %1 по %2.").arg(from()).arg(to()));
        return;
    }
    QDialog::accept();
}

int TNumbersForm::from() const
{
    return ui->MinSE->value();
}

int TNumbersForm::to() const
{
    return ui->MaxSE->value();
}

TFindForm2::TFindForm2(int number, int list, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TFindForm2>())
{
    ui->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ui->Numer->setValue(number);
    ui->FindRG->setItemIndex(list);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

TFindForm2::~TFindForm2() = default;

int TFindForm2::number() const
{
    return ui->Numer->value();
}

int TFindForm2::list() const
{
    return std::max(ui->FindRG->itemIndex(), 0);
}

void TDataForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

void TNumbersForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
