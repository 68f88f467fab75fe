#include "app/setup_form.h"

#include "ui_setup_form.h"

#include <QFileDialog>
#include <QLayout>

TSetupForm::TSetupForm(const Settings& settings, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TSetupForm>())
    , m_settings(settings)
{
    ui->setupUi(this);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ui->DirEd->setText(settings.path);
    ui->NDSValue->setValue(settings.ndsValue);
    ui->ReclTax->setValue(settings.reclTax);
    ui->PrecisionVal->setValue(settings.price);
    ui->CountVal->setValue(settings.goods);
    ui->CB5->setChecked(!settings.grvOrBaks);
    ui->FullCB->setChecked(settings.fullOrPart);
    ui->RUCB->setChecked(settings.rusOrUkr);
    ui->LogCB->setChecked(settings.onOff);
    ui->LogoName->setText(settings.fileName);
    ui->LogoW->setValue(settings.width);
    ui->LogoH->setValue(settings.height);
    ui->CenterCB->setChecked(settings.center);
    ui->UserName->setText(settings.text.left(ui->UserName->maxLength()));

    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->DirEdBrowse, &QToolButton::clicked, this, [this] {
        const QString dir = QFileDialog::getExistingDirectory(this, ui->Label4->text(), ui->DirEd->text());
        if (!dir.isEmpty())
            ui->DirEd->setText(QDir::toNativeSeparators(dir));
    });
    connect(ui->LogoNameBrowse, &QToolButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, ui->LogCB->text(), ui->LogoName->text(),
                                                          tr("BMP-files (*.bmp)"));
        if (!file.isEmpty())
            ui->LogoName->setText(QDir::toNativeSeparators(file));
    });
}

TSetupForm::~TSetupForm() = default;

Settings TSetupForm::settings() const
{
    Settings s = m_settings;
    s.path = ui->DirEd->text();
    s.ndsValue = ui->NDSValue->value();
    s.reclTax = ui->ReclTax->value();
    s.price = ui->PrecisionVal->value();
    s.goods = ui->CountVal->value();
    s.grvOrBaks = !ui->CB5->isChecked();
    s.fullOrPart = ui->FullCB->isChecked();
    s.rusOrUkr = ui->RUCB->isChecked();
    s.onOff = ui->LogCB->isChecked();
    s.fileName = ui->LogoName->text();
    s.width = ui->LogoW->value();
    s.height = ui->LogoH->value();
    s.center = ui->CenterCB->isChecked();
    s.text = ui->UserName->text();
    return s;
}
