#pragma once

#include "payments/payment_import.h"

#include <QDialog>

// A bank statement before anything is stored: what it brings, and a line a payment with its payer and
// the document it was tied to, or why it was not. "Записать" stores the lines of known payers.
class StatementForm : public QDialog {
    Q_OBJECT
public:
    StatementForm(const StatementImport& plan, QWidget* parent = nullptr);
    // "Добавить в клиенты": the payers the book does not know become clients before the lines are stored.
    bool addPayers() const;

private:
    class QCheckBox* m_addPayers;
};
