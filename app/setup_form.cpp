#include "app/setup_form.h"

#include "base/text_codec.h"
#include "ui_setup_form.h"
#include "widgets/screen_fit.h"
#include "widgets/widget_prompter.h"

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
    // The file keeps hundredths of a percent.
    ui->ReclTax->setPlaces(2);
    ui->ReclTax->setValue(settings.reclTax);
    ui->PrecisionVal->setValue(settings.price);
    ui->CountVal->setValue(settings.goods);
    ui->CB5->setChecked(!settings.grvOrBaks);
    ui->FullCB->setChecked(settings.fullOrPart);
    ui->QrCB->setChecked(settings.paymentQr);
    ui->RUCB->setChecked(settings.rusOrUkr);
    ui->LogCB->setChecked(settings.onOff);
    ui->LogoName->setText(settings.fileName);
    ui->LogoW->setValue(settings.width);
    ui->LogoH->setValue(settings.height);
    ui->CenterCB->setChecked(settings.center);
    // A longer signature written into the file by hand shows cut, and is kept unless it is edited here.
    ui->UserName->setText(settings.text.left(ui->UserName->maxLength()));
    // Each language named in itself, as a user who cannot read the other one looks for it.
    ui->LanguageCB->setCurrentIndex(settings.language == QLatin1String("uk") ? 1 : 0);
    for (QLineEdit* edit : {ui->DirEd, ui->LogoName, ui->UserName})
        edit->setValidator(new Cp1251Validator(edit));
    // A whole path, not its tail.
    ShowChars(ui->DirEd, 48);
    ShowChars(ui->LogoName, 48);

    connect(ui->BitBtn1, &QPushButton::clicked, this, &TSetupForm::acceptChecked);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->DirEdBrowse, &QToolButton::clicked, this, [this] {
        const QString dir = QFileDialog::getExistingDirectory(this, ui->Label4->text(), ui->DirEd->text());
        if (!dir.isEmpty())
            setChosenPath(ui->DirEd, dir);
    });
    connect(ui->LogoNameBrowse, &QToolButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, ui->LogCB->text(), ui->LogoName->text(),
                                                          tr("BMP-files (*.bmp)"));
        if (!file.isEmpty())
            setChosenPath(ui->LogoName, file);
    });
}

TSetupForm::~TSetupForm() = default;

void TSetupForm::acceptChecked()
{
    double rate = 0;
    const TypedNumber read = ui->ReclTax->read(&rate);
    if (read != TypedNumber::Ok || rate > 100) {
        WidgetPrompter(this).error(
            read == TypedNumber::TooManyDecimals
                ? tr("Налог на рекламу: «%1» — больше двух знаков после запятой (ставка хранится в сотых "
                     "долях процента).")
                      .arg(ui->ReclTax->text())
                : tr("Налог на рекламу: «%1» — не число от 0 до 100.").arg(ui->ReclTax->text()));
        ui->ReclTax->setFocus();
        return;
    }
    accept();
}

void TSetupForm::setChosenPath(QLineEdit* edit, const QString& path)
{
    const QString native = QDir::toNativeSeparators(path);
    if (fits1251(native))
        edit->setText(native);
    else
        WidgetPrompter(this).error(tr("Путь %1 содержит знаки, которые нельзя сохранить в файле настроек. "
                                      "Выберите другую папку или файл.")
                                       .arg(native));
}

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
    s.paymentQr = ui->QrCB->isChecked();
    s.rusOrUkr = ui->RUCB->isChecked();
    s.onOff = ui->LogCB->isChecked();
    s.fileName = ui->LogoName->text();
    s.width = ui->LogoW->value();
    s.height = ui->LogoH->value();
    s.center = ui->CenterCB->isChecked();
    if (ui->UserName->isModified())
        s.text = ui->UserName->text();
    s.language = ui->LanguageCB->currentIndex() == 1 ? QStringLiteral("uk") : QStringLiteral("ru");
    return s;
}
