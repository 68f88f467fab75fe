#pragma once

#include "report/page.h"
#include "report/preview_window.h"

#include <QObject>

class QWidget;

class Prompter;

// Holds one filled blank (its pages) for its preview or print. It never releases itself: a print from inside
// the preview's own loop would otherwise free it under the preview's feet. Its owner lets it go.
class ReportHolder : public QObject {
    Q_OBJECT
public:
    ReportHolder(Pages pages, const QString& name, QObject* owner);

    const Pages& pages() const { return m_pages; }
    // Shows the modal preview, its failures told through the prompter; returns when it is closed.
    void Preview(QWidget* parent, Prompter* prompter = nullptr);
    // Sends the page to the current printer, with the progress window over the parent.
    PrintOutcome Print(QWidget* parent = nullptr);

signals:
    void afterPrint();

private:
    Pages m_pages;
};
