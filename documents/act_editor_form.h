#pragma once

#include "documents/documents_controller.h"

#include <QDialog>

class DateField;
class NumberField;
class Prompter;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

// The act editor: shows an act's draft, its VAT and total as they are typed, and stores it through the
// documents controller on "Записать", closing only when that succeeded.
class ActEditorForm : public QDialog {
    Q_OBJECT
public:
    ActEditorForm(const DocumentsController::ActEdit& edit, DocumentsController& documents,
                  Prompter* prompter, QWidget* parent = nullptr);

    // The act as the dialog shows it; the sum as far as it reads as one.
    ActDraft draft() const;
    // After OK: the number the act was stored under.
    int storedNumber() const { return m_storedNumber; }

public slots:
    // Esc or the title bar: after changes, only when the user agrees to lose them.
    void reject() override;

private:
    void showFigures();
    void store();

    DocumentsController::ActEdit m_edit;
    DocumentsController& m_documents;
    Prompter* m_prompter;
    QSpinBox* m_number;
    DateField* m_date;
    QComboBox* m_period;
    QSpinBox* m_year;
    QPlainTextEdit* m_work;
    NumberField* m_sum;
    QSpinBox* m_vat;
    QLineEdit* m_representative;
    QLabel* m_figures;
    bool m_periodChosen = false; // the period follows the date until one is chosen
    bool m_changed = false;
    int m_storedNumber = 0;
};
