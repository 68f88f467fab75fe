#pragma once

#include "documents/waybill_issue.h"

#include <QDialog>

class DocumentsController;
class Prompter;

// The four waybill dialogs (TNewN1Form, TNewN2Form, TNewN1PForm, TNewN2PForm): one class over the four
// Designer forms, chosen by the draft's kind and source. OK stores through the controller; a refused
// store keeps the dialog open, a refusal of the documents closes it.
class WaybillForm : public QDialog {
    Q_OBJECT
public:
    WaybillForm(const WaybillDraft& draft, DocumentsController& documents, Prompter* prompter,
                QWidget* parent = nullptr);
    // The draft as the dialog shows it now.
    WaybillDraft draft() const;
    // After OK: the number the waybill was stored under.
    int storedNumber() const { return m_storedNumber; }

private:
    template <typename T> T* field(const char* name) const { return findChild<T*>(QLatin1String(name)); }
    void store();

    DocumentsController& m_documents;
    WaybillDraft m_draft;
    int m_storedNumber = 0;
};
