#include "payments/payments_controller.h"

#include "base/prompter.h"
#include "db/data_module.h"
#include "payments/debtors.h"
#include "payments/payment_import.h"
#include "report/spreadsheet.h"

#include <QCoreApplication>

PaymentsController::PaymentsController(TDM& dm, Prompter& prompter)
    : m_dm(dm)
    , m_prompter(prompter)
{
}

std::optional<PaymentDraft> PaymentsController::openPayment(int number, bool act, const QDate& today) const
{
    try {
        QString error;
        std::optional<PaymentDraft> draft = OpenDocumentPayment(m_dm, number, act, today, &error);
        if (!draft)
            m_prompter.error(error);
        return draft;
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
        return std::nullopt;
    }
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
    try {
        QString error;
        std::optional<StatementImport> plan = PlanStatementImport(m_dm, fileName, owner, &error);
        if (!plan)
            m_prompter.error(error);
        return plan;
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
        return std::nullopt;
    }
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
    try {
        QString error;
        int lines = 0;
        if (WriteDebtors(m_dm, date, fileName, &error, &lines, IsSpreadsheetName(fileName)))
            return lines;
        m_prompter.error(error);
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
    }
    return std::nullopt;
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
    try {
        QString error;
        std::optional<Pages> pages =
            PrepareReconciliationPages(m_dm, clientId, from, to, owner, &m_prompter, &error);
        if (!pages)
            m_prompter.error(error);
        return pages;
    } catch (const DbError& e) {
        m_prompter.error(e.message(), e.detail());
        return std::nullopt;
    }
}
