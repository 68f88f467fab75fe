#pragma once

#include "payments/payment_import.h"

#include <QDialog>

#include <map>
#include <vector>

// A bank statement before anything is stored: what it brings, and a line a payment with its payer and
// the document it was tied to, or why it was not. A known payer's line without a document can be tied here
// to one of the payer's unpaid documents. "Записать" stores the lines of known payers.
class StatementForm : public QDialog {
    Q_OBJECT
public:
    StatementForm(const StatementImport& plan, const std::map<int, std::vector<OpenDocument>>& open,
                  QWidget* parent = nullptr);
    // "Добавить в клиенты": the payers the book does not know become clients before the lines are stored.
    bool addPayers() const;
    // The plan with the documents chosen here.
    StatementImport chosen() const;

private:
    StatementImport m_plan;
    std::map<int, class QComboBox*> m_choices; // by line
    class QCheckBox* m_addPayers;
};
