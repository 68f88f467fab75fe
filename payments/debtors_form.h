#pragma once

#include "db/stores.h"

#include <QDialog>

#include <vector>

class DateField;
class PaymentsController;
class QLabel;
class QTableWidget;

// "Должники": the clients that owe on a day, the largest debt first, with their charge, payments and
// oldest unpaid document, and the same list written as a text file.
class DebtorsForm : public QDialog {
    Q_OBJECT
public:
    DebtorsForm(PaymentsController& payments, const QString& programFolder, QWidget* parent = nullptr);

    // After "Записать в файл": the file and its lines, for the status line; empty when none was written.
    QString writtenFile() const { return m_written; }
    int writtenLines() const { return m_lines; }

private:
    void showDebtors();
    void write();

    PaymentsController& m_payments;
    QString m_programFolder;
    DateField* m_date;
    QTableWidget* m_table;
    QLabel* m_totals;
    QString m_written;
    int m_lines = 0;
};
