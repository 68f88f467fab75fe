#pragma once

#include "payments/payments_controller.h"

#include <QDialog>

class DateField;
class NumberField;
class Prompter;
class QLineEdit;

// A payment typed by hand: its date, sum (the document's unpaid rest proposed), the bank document's number
// and purpose; stored through the payments controller, closing only when that succeeded.
class PaymentForm : public QDialog {
    Q_OBJECT
public:
    PaymentForm(const PaymentDraft& draft, const QString& what, PaymentsController& payments,
                Prompter* prompter, QWidget* parent = nullptr);

private:
    void store();

    PaymentDraft m_draft;
    PaymentsController& m_payments;
    Prompter* m_prompter;
    DateField* m_date;
    NumberField* m_sum;
    QLineEdit* m_bankNumber;
    QLineEdit* m_purpose;
};
