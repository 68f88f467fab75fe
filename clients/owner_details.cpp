#include "clients/owner_details.h"

#include "base/prompter.h"
#include "base/requisites.h"
#include "db/data_module.h"

OwnerDetails::OwnerDetails(TDM& dm, Prompter& prompter)
    : m_dm(dm)
    , m_prompter(prompter)
{
}

void OwnerDetails::load(const QString& databaseFolder, const QString& book)
{
    try {
        if (!m_dm.isConnected())
            m_dm.connect(databaseFolder, book);
        m_dm.LoadOwnerRecord(m_owner, &m_prompter);
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
    }
}

namespace {
OwnerRecord asStored(const OwnerRecord& shown)
{
    OwnerRecord owner;
    for (const OwnerRecord::Field& f : OwnerRecord::fields())
        owner.*f.member = (shown.*f.member).left(OwnerRecord::kMaxLength);
    owner.CHETNUMBER = StoredAccount(owner.CHETNUMBER);
    return owner;
}
} // namespace

bool OwnerDetails::hasUnsavedChanges(const OwnerRecord& shown) const
{
    return m_dm.isConnected() && asStored(shown) != m_owner;
}

bool OwnerDetails::save(const OwnerRecord& shown, const QString& databaseFolder, const QString& book)
{
    if (!StoreDespiteProblems(
            m_prompter,
            TypedRequisiteProblems({shown.CHETNUMBER, shown.OKPOCODE, shown.TAXCODE},
                                   Requisites{m_owner.CHETNUMBER, m_owner.OKPOCODE, m_owner.TAXCODE})))
        return false;
    m_owner = asStored(shown);
    try {
        m_dm.SaveOwnerRecord(m_owner);
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
    }
    load(databaseFolder, book);
    return true;
}

std::optional<OwnerRecord> OwnerDetails::stored() const
{
    OwnerRecord owner;
    try {
        if (m_dm.ReadOwnerRow(owner))
            return owner;
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
    }
    return std::nullopt;
}

void OwnerDetails::repairOwnerRow()
{
    if (!m_dm.isConnected())
        return;
    try {
        OwnerRecord stored;
        if (!m_dm.ReadOwnerRow(stored))
            m_dm.SaveOwnerRecord(m_owner);
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
    }
}
