#pragma once

#include "base/settings.h"
#include "documents/invoice_editor.h"

#include <QDialog>

#include <array>
#include <memory>

namespace Ui {
class TNewFactForm;
}
class DocumentsController;
class Prompter;
class QComboBox;
class NumberField;
class QLineEdit;
class TTovarForm;

// The invoice and receipt editor: shows a draft, stores it through the documents controller on
// "Записать" and closes only when that succeeded.
class TNewFactForm : public QDialog {
    Q_OBJECT
public:
    TNewFactForm(const InvoiceDraft& draft, DocumentsController& documents, const Settings& settings,
                 TTovarForm* picker, Prompter* prompter, QWidget* parent = nullptr);
    ~TNewFactForm() override;

    // The draft as the dialog shows it now.
    InvoiceDraft draft() const;
    bool clientChanged() const { return m_clientChanged; }
    // After OK: the number the document was stored under.
    int storedNumber() const { return m_storedNumber; }

signals:
    // The user let a typed figure raise the price or quantity precision: the settings to keep.
    void precisionRaised(const Settings& settings);

public slots:
    // Esc or the title bar: after changes, only when the user agrees to lose them.
    void reject() override;

private:
    struct PositionFields {
        QLineEdit* line1;
        QLineEdit* line2;
        QComboBox* measure;
        NumberField* count;
        NumberField* price;
    };
    void showDraft(const InvoiceDraft& draft);
    void scrollOnSmallScreens();
    // A quantity or price (of position 0 to 3) is a number its field can hold; one that is not is said and
    // focused.
    bool numberIsWhole(int position, NumberField* field, double* value);
    bool numbersAreWhole();
    void store();
    void clearPositions();
    void pick(int position);
    void storeGoods(int position);

    std::unique_ptr<Ui::TNewFactForm> ui;
    DocumentsController& m_documents;
    Settings m_settings;
    TTovarForm* m_picker;
    InvoiceDraft m_draft;
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter* m_prompter;
    std::array<PositionFields, 4> m_positions{};
    InvoiceDraft m_shown; // as first shown: what "changed" is measured against
    bool m_clientChanged = false;
    int m_storedNumber = 0;
};
