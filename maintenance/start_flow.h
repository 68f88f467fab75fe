#pragma once

#include "maintenance/book_start.h"

#include <QString>

class MaintenanceController;
class QWidget;
struct Settings;

// How a book begins on the desktop: a first start's welcome, the offer of a new book when none opens, and
// the Paradox tables imported on a thread of their own while the window answers.
class StartFlow {
public:
    // book: the server book in use, empty for the SQLite file of the settings' folder.
    StartFlow(QWidget* parent, Settings& settings, const QString& programFolder, const QString& book, TDM& dm,
              Prompter& prompter, MaintenanceController& maintenance);
    // A first start: one question with every way to begin; true when a book is there to open.
    bool welcome();
    // A folder without a book: an empty one or Paradox tables offered; true when a book was made.
    bool offerNewBook();

private:
    // Makes the folder's book when there is none, connects to it and fills it: the demonstration data, or
    // the Paradox tables of the folder given. False after the message.
    bool startBook(BookStart how, bool withOwnerRow, const QString& paradoxFolder);
    QString chooseParadoxFolder();
    void importParadox(const QString& folder);

    QWidget* m_parent;
    Settings& m_settings;
    QString m_programFolder;
    QString m_book;
    TDM& m_dm;
    Prompter& m_prompter;
    MaintenanceController& m_maintenance;
};
