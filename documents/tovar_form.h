#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TTovarForm;
}

// The goods picker: one name-and-price line of the goods list, or a text typed in.
class TTovarForm : public QDialog {
    Q_OBJECT
public:
    explicit TTovarForm(QWidget* parent = nullptr);
    ~TTovarForm() override;
    // The items afresh, the first of them chosen (none when the list is empty).
    void prepare(const QStringList& items);
    QString text() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<Ui::TTovarForm> ui;
};
