#include "clients/find_form.h"

#include "ui_find_form.h"

TFindForm::TFindForm(const FindRequest& request, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TFindForm>())
{
    ui->setupUi(this);
    ui->Edit2->setText(request.text);
    ui->FindRG->setItemIndex(request.field);
    ui->CheckBox1->setChecked(request.fullMatch);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

TFindForm::~TFindForm() = default;

FindRequest TFindForm::request() const
{
    return {ui->Edit2->text(), std::max(ui->FindRG->itemIndex(), 0), ui->CheckBox1->isChecked()};
}
