#include "clients/names_form.h"

#include <QEvent>

#include "ui_names_form.h"

TNamesForm::TNamesForm(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TNamesForm>())
{
    ui->setupUi(this);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

TNamesForm::~TNamesForm() = default;

void TNamesForm::prepare(const QString& heading, const QString& storedValue)
{
    ui->Label1->setText(heading);
    ui->Edit1->clear();
    if (!storedValue.isEmpty()) {
        const bool prefix = storedValue.endsWith(u'*');
        ui->CheckBox1->setChecked(!prefix);
        ui->Edit1->setText(prefix ? storedValue.left(storedValue.size() - 1) : storedValue);
    }
}

QString TNamesForm::value() const
{
    return ui->Edit1->text() + (ui->CheckBox1->isChecked() ? QString() : QStringLiteral("*"));
}

void TNamesForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
