#pragma once

#include "clients/owner_details.h"
#include "maintenance/maintenance_controller.h"

#include <QObject>

class TBuhForm;
namespace Ui {
class TBuhForm;
}

// The owner tab: the firm's own details, and the book's backup, restore and clearing.
class OwnerView : public QObject {
public:
    explicit OwnerView(TBuhForm& window);

    void show(const OwnerRecord& owner);
    void clear();
    // Unsaved typing is stored or dropped as the user says.
    void settleEdits();
    // The book in use and where its copies go; a server book only while it is open.
    BookPlace placeInUse() const;

private:
    OwnerRecord fromTab() const;
    void save();
    // The backup, the window brought back, and what was copied said; true when every file was.
    // tag: what the copy is kept for (a clearing's copy is never pruned).
    bool backUp(const QString& tag = {});
    // A backup copy in place of the book.
    void restore();
    // The whole book checked, and what was found said.
    void checkBook();
    void clearDocuments();
    void showProgress(const QString& caption);

    TBuhForm& w;
    Ui::TBuhForm* ui;
};
