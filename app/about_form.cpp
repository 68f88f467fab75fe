#include "app/about_form.h"

#include "base/version.h"
#include "db/data_module.h"
#include "ui_about_form.h"

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , ui(std::make_unique<Ui::TAboutForm>())
{
    ui->setupUi(this);
    ui->Label2->setText(tr("ДОКУМАР, версия %1").arg(QLatin1String(kDocMarVersion)));
    // What the program is built on, where the design had a contact address: no address is known, and none
    // is made up.
    ui->Label5->setText(tr("Qt %1, SQLite %2").arg(QLatin1String(qVersion()), TDM::engineVersion()));
    ui->Label6->hide();
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

TAboutForm::~TAboutForm() = default;
