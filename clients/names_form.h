#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TNamesForm;
}

// "Фильтрация записей": the value to select by and whether it must match in full.
class TNamesForm : public QDialog {
    Q_OBJECT
public:
    explicit TNamesForm(QWidget* parent = nullptr);
    ~TNamesForm() override;

    // Prepares the dialog for one filter: its heading and its stored value ("*" at the end: by beginning).
    void prepare(const QString& heading, const QString& storedValue);
    // The value to store: the text, with "*" unless full match is asked for.
    QString value() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<Ui::TNamesForm> ui;
};
