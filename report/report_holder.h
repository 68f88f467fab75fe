#pragma once

#include "report/page.h"

#include <QObject>

class QWidget;

// Holds one filled blank for its preview or print. It closes itself once the page has gone to the printer;
// a holder that was only previewed stays with its owner.
class ReportHolder : public QObject {
    Q_OBJECT
public:
    ReportHolder(Page page, const QString& name, QObject* owner);

    const Page& page() const { return m_page; }
    // Shows the modal preview; returns when it is closed.
    void Preview(QWidget* parent);
    // Sends the page to the current printer; false (nothing printed) when there is no printer.
    bool Print();

signals:
    void afterPrint();

private:
    Page m_page;
};
