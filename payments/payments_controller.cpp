#include "payments/payments_controller.h"

#include "base/prompter.h"
#include "db/data_module.h"
#include "payments/debtors.h"
#include "payments/payment_import.h"
#include "report/spreadsheet.h"

#include <QCoreApplication>

namespace {

// A core call that says why not through its error text: its result, or nullopt after the message; a failure
// of the book is said too.
template <class Call> auto sayingWhyNot(Prompter& prompter, Call call) -> decltype(call(nullptr))
{
    try {
        QString error;
        auto result = call(&error);
        if (!result)
            prompter.error(error);
        return result;
    } catch (const DbError& e) {
        prompter.error(e.message(), e.detail());
        return std::nullopt;
    }
}

} // namespace

PaymentsController::PaymentsController(TDM& dm, Prompter& prompter)
    : m_dm(dm)
    , m_prompter(prompter)
{
}

std::optional<PaymentDraft> PaymentsController::openPayment(int number, bool act, const QDate& today) const
{
    return sayingWhyNot(m_prompter,
                        [&](QString* error) { return OpenDocumentPayment(m_dm, number, act, today, error); });
}

bool PaymentsController::store(const PaymentRow& payment)
{
    try {
        if (const QString problem = StoreTypedPayment(m_dm, payment); !problem.isEmpty()) {
            m_prompter.error(problem);
            return false;
        }
        return true;
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
        return false;
    }
}

std::optional<StatementImport> PaymentsController::planStatement(const QString& fileName,
                                                                 const OwnerRecord& owner)
{
    return sayingWhyNot(m_prompter,
                        [&](QString* error) { return PlanStatementImport(m_dm, fileName, owner, error); });
}

std::map<int, std::vector<OpenDocument>> PaymentsController::openDocuments(const StatementImport& plan) const
{
    std::map<int, std::vector<OpenDocument>> open;
    try {
        for (const ImportedLine& in : plan.incoming)
            if (!in.stored && in.clientId > 0 && !in.matched() && !open.count(in.clientId))
                open[in.clientId] = UnpaidDocuments(m_dm, in.clientId);
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
        return {};
    }
    return open;
}

std::optional<int> PaymentsController::storeStatement(const StatementImport& plan, bool addPayers)
{
    try {
        return StoreStatementImport(m_dm, plan, false, addPayers);
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
        return std::nullopt;
    }
}

std::optional<int> PaymentsController::writeDebtors(const QDate& date, const QString& fileName)
{
    return sayingWhyNot(m_prompter, [&](QString* error) -> std::optional<int> {
        int lines = 0;
        if (WriteDebtors(m_dm, date, fileName, error, &lines, IsSpreadsheetName(fileName)))
            return lines;
        return std::nullopt;
    });
}

std::vector<ClientBalance> PaymentsController::debtors(const QDate& date) const
{
    try {
        return Debtors(m_dm, date);
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
        return {};
    }
}

std::optional<Pages> PaymentsController::reconciliation(int clientId, const QDate& from, const QDate& to,
                                                        const OwnerRecord& owner) const
{
    return sayingWhyNot(m_prompter, [&](QString* error) {
        return PrepareReconciliationPages(m_dm, clientId, from, to, owner, &m_prompter, error);
    });
}
