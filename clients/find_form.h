#pragma once

#include "clients/client_register.h"

#include <QDialog>
#include <memory>

namespace Ui {
class TFindForm;
}

// "Поиск в списке клиентов": the search string, the field to look in and the full-match box.
class TFindForm : public QDialog {
    Q_OBJECT
public:
    explicit TFindForm(const FindRequest& request, QWidget* parent = nullptr);
    ~TFindForm() override;
    FindRequest request() const;

private:
    std::unique_ptr<Ui::TFindForm> ui;
};
