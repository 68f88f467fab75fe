#pragma once

#include "db/rows.h"

#include <optional>

class Prompter;
class TDM;

// The owner tab without its widgets: the owner firm as the program holds it for the run (OwnerRecord),
// read from and stored to the owner row.
class OwnerDetails {
public:
    OwnerDetails(TDM& dm, Prompter& prompter);

    const OwnerRecord& record() const { return m_owner; }

    // Reads the owner row into the record (connecting to the folder first when needed); a missing row is
    // warned about and made from the record. Engine errors are shown and leave the record as it was.
    void load(const QString& databaseFolder, const QString& book = {});
    // "Сохранить": stores what the tab shows, then reads it back. False when the user would not store an
    // account or code that fails its check: nothing is stored.
    bool save(const OwnerRecord& shown, const QString& databaseFolder, const QString& book = {});
    // "Отменить": the owner row as stored, to show again; nullopt when there is none or it cannot be read.
    std::optional<OwnerRecord> stored() const;
    // On opening the owner tab: a book that lost its owner row gets it back from the record.
    void repairOwnerRow();
    // True when the tab shows details that differ from the stored ones (as saving would store them).
    bool hasUnsavedChanges(const OwnerRecord& shown) const;
    // After a failed open: nothing of the previous book is held.
    void forget() { m_owner = OwnerRecord{}; }

private:
    TDM& m_dm;
    Prompter& m_prompter;
    OwnerRecord m_owner;
};
