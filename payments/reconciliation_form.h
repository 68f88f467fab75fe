#pragma once

#include <QDate>
#include <QDialog>

class DateField;

// "Акт сверки": the period of a client's reconciliation act, shown or printed from here.
class ReconciliationForm : public QDialog {
    Q_OBJECT
public:
    ReconciliationForm(const QString& client, const QDate& today, QWidget* parent = nullptr);

    QDate from() const;
    QDate to() const;
    // Accepted with "Просмотр" rather than "Печать".
    bool preview() const { return m_preview; }

private:
    DateField* m_from;
    DateField* m_to;
    bool m_preview = true;
};
