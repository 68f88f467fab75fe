#pragma once

#include "db/rows.h"

#include <QObject>

class TBuhForm;
class TNamesForm;
namespace Ui {
class TBuhForm;
}

// The client register tab and the client list: sorting, search, filters and the panel of the chosen
// client's details, from the widgets to the clients controller.
class ClientsView : public QObject {
public:
    explicit ClientsView(TBuhForm& window);

    void fitPanelLabels();
    int currentRow() const;
    // The register on that client (the first one when it is gone), and the documents following.
    void locate(int id);
    void fillPanel();
    // "На …: начислено …, оплачено …, долг …" under the client's details.
    void showBalance();
    // What was typed for a client is stored or dropped as the user says.
    void settleEdits(int row = -1);
    // Leaving the client tab or the program: unsaved typing is stored or dropped as the user says.
    void leave();
    void find(int field, const QString& text, bool fullMatch);
    bool isSearchActive() const { return m_searchActive; }
    void stopSearch() { m_searchActive = false; }
    // The command table's handlers.
    void openFind();
    void filter(bool byName);
    void removeFilters();
    // Every filter and its value gone before a start reads the book.
    void resetFilters();
    void exportList();

private:
    void setupList();
    void uncheckFilters();
    void setupPanel();
    void followCurrent();
    // The client as the panel shows it.
    ClientRow fromPanel() const;
    void panelEdited();
    void addClient();
    void saveClient();
    void dropEdits();
    void deleteClient();
    void clearRegister();
    void sortByItem(int item);
    void sortByColumn(int logicalIndex);

    TBuhForm& w;
    Ui::TBuhForm* ui;
    TNamesForm* m_namesForm;
    bool m_searchActive = false;
    bool m_fillingPanel = false;
};
