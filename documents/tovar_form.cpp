#include "documents/tovar_form.h"

#include "ui_tovar_form.h"

#include <QEvent>
#include <QLineEdit>

TTovarForm::TTovarForm(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TTovarForm>())
{
    ui->setupUi(this);
    // A long name stands whole in the hint.
    connect(ui->ComboBox1, &QComboBox::currentTextChanged, ui->ComboBox1, &QWidget::setToolTip);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

TTovarForm::~TTovarForm() = default;

void TTovarForm::prepare(const QStringList& items)
{
    ui->ComboBox1->clear();
    ui->ComboBox1->addItems(items);
    ui->ComboBox1->setCurrentIndex(items.isEmpty() ? -1 : 0);
    ui->ComboBox1->setEditText(items.value(0));
    ui->BitBtn1->setFocus();
}

QString TTovarForm::text() const
{
    return ui->ComboBox1->currentText();
}

void TTovarForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
