#include "app/about_form.h"

#include "base/version.h"
#include "ui_about_form.h"

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , ui(std::make_unique<Ui::TAboutForm>())
{
    ui->setupUi(this);
    ui->Label2->setText(tr("ДОКУМАР, версия %1").arg(QLatin1String(kDocMarVersion)));
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

TAboutForm::~TAboutForm() = default;
