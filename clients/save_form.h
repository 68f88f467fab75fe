#pragma once

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class TSaveForm;
}
class ClientExportChoice;

// "Сохранение списка клиентов в файле :": which client fields become columns, in which order and how
// wide. "Сохранить" hands the file name to save and stays open.
class TSaveForm : public QDialog {
    Q_OBJECT
public:
    TSaveForm(ClientExportChoice& choice, const QString& defaultFile,
              std::function<void(const QString&)> save, QWidget* parent = nullptr);
    ~TSaveForm() override;

private:
    void showChoice();

    std::unique_ptr<Ui::TSaveForm> ui;
    ClientExportChoice& m_choice;
    std::function<void(const QString&)> m_save;
};
