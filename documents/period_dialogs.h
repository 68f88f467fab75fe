#pragma once

#include <QDate>
#include <QDialog>

#include <memory>

namespace Ui {
class TDataForm;
class TNumbersForm;
class TFindForm2;
} // namespace Ui
class Prompter;

// The period dialog, one for the whole run: the date filter of the invoice list and the registers share
// it, and its dates stay as last entered.
class TDataForm : public QDialog {
    Q_OBJECT
public:
    explicit TDataForm(Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~TDataForm() override;
    // The date filter's heading, without the file row.
    void prepareForFilter();
    // The registers' heading with the file row and the choice of text or spreadsheet (text chosen), the file
    // field set to the default; dates as they were. The file's name follows the choice.
    void prepareForRegister(const QString& defaultFile);
    QString fileName() const;
    // An empty field stands for today.
    QDate from() const;
    QDate to() const;
    void setPeriod(const QDate& from, const QDate& to);

public slots:
    // A period that ends before it starts is refused, and the dialog stays.
    void accept() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<Ui::TDataForm> ui;
    Prompter* m_prompter;
};

// The number filter's bounds.
class TNumbersForm : public QDialog {
    Q_OBJECT
public:
    explicit TNumbersForm(Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~TNumbersForm() override;
    // Only positive bounds are shown; others leave the field as it was.
    void setRange(int from, int to);
    int from() const;
    int to() const;

public slots:
    // Bounds the wrong way round are refused, and the dialog stays.
    void accept() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<Ui::TNumbersForm> ui;
    Prompter* m_prompter;
};

// "Поиск документа": a number and the list to look in (0 invoices, 1 expense, 2 tax waybills).
class TFindForm2 : public QDialog {
    Q_OBJECT
public:
    TFindForm2(int number, int list, QWidget* parent = nullptr);
    ~TFindForm2() override;
    int number() const;
    int list() const;

private:
    std::unique_ptr<Ui::TFindForm2> ui;
};
