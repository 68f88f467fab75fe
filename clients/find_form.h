#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TFindForm;
}

struct FindRequest {
    QString text;
    int field = 0;
    bool fullMatch = false;
};

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
