// Several programs on one book at once: numbers never taken twice, nothing written over unseen, the others
// told. Run on SQLite and, in the PostgreSQL pass, on a server book.
#include "clients/client_register.h"
#include "db/book_notifier.h"
#include "db/data_module.h"
#include "db/list_model.h"
#include "db/list_queries.h"
#include "db/tables.h"
#include "documents/invoice_editor.h"
#include "documents/waybill_issue.h"
#include "support/test_support.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <set>
#include <thread>

namespace {

class SharedBook : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = home.createAndConnect();
        execOrThrow(ConnectionOf(*dm),
                    QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (2, 'ТОВ \"Ґрунт\"')"));
        client = *dm->ReadClient(2);
    }
    // Another workplace: a connection of its own to the same book.
    std::unique_ptr<TDM> otherWorkplace() const
    {
        auto other = std::make_unique<TDM>();
        other->connect(dm->folder(), dm->book());
        return other;
    }
    InvoiceDraft opened(TDM& on, EditorCommand command, const InvoiceRow* selected = nullptr) const
    {
        InvoiceDraft d = OpenDraft(command, client, selected, on.NextFactNumber(), 0, QDate(2026, 12, 7));
        d.positions[0] = {QStringLiteral("Цемент"), QString(), QStringLiteral("міш"), 2, 100};
        return d;
    }

    TestHome home;
    std::unique_ptr<TDM> dm;
    ClientRow client;
    Settings settings;
};

// Waits (up to 30 s) until a session of the book waits for a lock of the given kind; false when none did.
bool someoneWaits(const TDM& dm, const char* lockKind)
{
    for (int i = 0; i < 3000; ++i) {
        if (scalar(ConnectionOf(dm),
                   QStringLiteral("SELECT count(*) FROM pg_stat_activity WHERE wait_event_type = 'Lock' AND "
                                  "wait_event = ? AND datname = current_database()"),
                   {QLatin1String(lockKind)})
                .toInt() > 0)
            return true;
        QThread::msleep(10);
    }
    return false;
}

} // namespace

TEST_F(SharedBook, AnOfferedNumberTakenElsewhereGoesToTheNextFreeOneATypedOneIsRefused)
{
    const auto other = otherWorkplace();
    InvoiceDraft mine = opened(*dm, EditorCommand::NewInvoice);
    InvoiceDraft theirs = opened(*other, EditorCommand::NewInvoice);
    ASSERT_EQ(mine.number, 1);
    ASSERT_EQ(theirs.number, 1);
    theirs.positions[0].line1 = QStringLiteral("Пісок");
    EXPECT_EQ(StoreDraft(*other, theirs, 2, settings), 1);
    EXPECT_EQ(StoreDraft(*dm, mine, 2, settings), 2);
    EXPECT_EQ(dm->ReadDocument(1)->positions[0].name, QStringLiteral("Пісок")); // theirs, untouched
    EXPECT_EQ(dm->ReadDocument(2)->positions[0].name, QStringLiteral("Цемент"));

    // A number typed by hand that someone has taken is never stored over.
    InvoiceDraft typed = opened(*dm, EditorCommand::NewInvoice);
    typed.number = 1;
    EXPECT_THROW(StoreDraft(*dm, typed, 2, settings), DbError);
    EXPECT_EQ(dm->ReadDocument(1)->positions[0].name, QStringLiteral("Пісок"));

    // Waybills the same way: both offered 1, the later store gets 2.
    const WaybillDraft first = OpenWaybillDraft(*dm, WaybillKind::Tax, false, {1, 0, 0}, QDate(2026, 12, 7));
    const WaybillDraft second =
        OpenWaybillDraft(*other, WaybillKind::Tax, false, {2, 0, 0}, QDate(2026, 12, 7));
    EXPECT_EQ(StoreWaybill(*other, second), 1);
    EXPECT_EQ(StoreWaybill(*dm, first), 2);
    EXPECT_EQ(dm->ReadTaxWaybill(1)->FACT1_NUMBER, 2);
    EXPECT_EQ(dm->ReadTaxWaybill(2)->FACT1_NUMBER, 1);
}

TEST_F(SharedBook, AnEditOfADocumentChangedOrDeletedElsewhereIsRefusedAndWritesNothing)
{
    const auto other = otherWorkplace();
    ASSERT_EQ(StoreDraft(*dm, opened(*dm, EditorCommand::NewInvoice), 2, settings), 1);
    const InvoiceRow stored = *dm->ReadDocument(1);
    InvoiceDraft mine = opened(*dm, EditorCommand::EditInvoice, &stored);
    InvoiceDraft theirs = opened(*other, EditorCommand::EditInvoice, &stored);
    theirs.positions[0].count = 5;
    EXPECT_EQ(StoreDraft(*other, theirs, 2, settings), 1);

    mine.positions[0].count = 7;
    try {
        StoreDraft(*dm, mine, 2, settings);
        ADD_FAILURE() << "an edit over another workplace's change was stored";
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("Документ № 1 изменили на другом рабочем месте, пока он был "
                                 "открыт. Ваши изменения не сохранены: откройте документ заново."));
    }
    EXPECT_EQ(dm->ReadDocument(1)->positions[0].count, 5);

    // Opened again, the edit goes through; an edit of a document deleted meanwhile is refused.
    const InvoiceRow now = *dm->ReadDocument(1);
    mine = opened(*dm, EditorCommand::EditInvoice, &now);
    mine.positions[0].count = 7;
    EXPECT_EQ(StoreDraft(*dm, mine, 2, settings), 1);
    const InvoiceRow last = *dm->ReadDocument(1);
    mine = opened(*dm, EditorCommand::EditInvoice, &last);
    execOrThrow(ConnectionOf(*other), QStringLiteral("DELETE FROM FACTURES WHERE FACT_NUMBER=1"));
    EXPECT_THROW(StoreDraft(*dm, mine, 2, settings), DbError);
    EXPECT_FALSE(dm->ReadDocument(1).has_value());
}

// On the server another workplace's change that is being written while an edit is stored is waited for,
// then seen: the edited row is held from the check to the write, so the check cannot pass on what is about
// to change. Each step is taken only when the one before it is known to have happened.
TEST_F(SharedBook, AnEditStoredWhileAnotherWorkplaceWritesTheRowWaitsAndIsRefused)
{
    if (!dm->isPostgres())
        GTEST_SKIP() << "one SQLite writer at a time: the second waits for the book, not for a row";
    ASSERT_EQ(StoreDraft(*dm, opened(*dm, EditorCommand::NewInvoice), 2, settings), 1);
    const InvoiceRow stored = *dm->ReadDocument(1);
    InvoiceDraft mine = opened(*dm, EditorCommand::EditInvoice, &stored);
    mine.positions[0].count = 7;

    // The other workplace is in the middle of writing the row.
    const auto other = otherWorkplace();
    execOrThrow(ConnectionOf(*other), QStringLiteral("BEGIN"));
    execOrThrow(ConnectionOf(*other), QStringLiteral("UPDATE FACTURES SET COUNT_POS1=5 WHERE FACT_NUMBER=1"));

    std::string outcome;
    const QString folder = dm->folder(), book = dm->book();
    std::thread storing([&] {
        try {
            TDM workplace;
            workplace.connect(folder, book);
            StoreDraft(workplace, mine, 2, settings);
            outcome = "stored";
        } catch (const DbError& e) {
            outcome = e.message().toStdString();
        }
    });
    // Wait until the store waits for the row, wherever it does.
    const bool waiting = someoneWaits(*dm, "transactionid");
    execOrThrow(ConnectionOf(*other), QStringLiteral("COMMIT"));
    storing.join();
    ASSERT_TRUE(waiting) << "the store never waited for the row";
    EXPECT_EQ(outcome, "Документ № 1 изменили на другом рабочем месте, пока он был открыт. Ваши изменения не "
                       "сохранены: откройте документ заново.");
    EXPECT_EQ(dm->ReadDocument(1)->positions[0].count, 5);
}

// On the server a store waits for the book's write turn while another workplace holds it, as a second
// SQLite writer waits for the file: what one checks and numbers holds until it commits.
TEST_F(SharedBook, AStoreWaitsForTheWriteTurnAnotherWorkplaceHolds)
{
    if (!dm->isPostgres())
        GTEST_SKIP() << "the server's write turn";
    const auto other = otherWorkplace();
    auto turn = std::make_unique<Transaction>(ConnectionOf(*other), Transaction::Writing);
    int number = 0;
    const QString folder = dm->folder(), book = dm->book();
    std::string failure;
    std::thread storing([&] {
        try {
            TDM workplace;
            workplace.connect(folder, book);
            number = StoreDraft(workplace, opened(workplace, EditorCommand::NewInvoice), 2, settings);
        } catch (const DbError& e) {
            failure = e.fullText().toStdString();
        }
    });
    const bool waited = someoneWaits(*dm, "advisory");
    turn.reset(); // the other workplace is done
    storing.join();
    EXPECT_TRUE(waited) << "the store did not wait for the write turn";
    EXPECT_EQ(failure, "");
    EXPECT_EQ(number, 1);
}

// Three workplaces store invoices and receipts as fast as they can, each with the number it was offered.
TEST_F(SharedBook, WritersSideBySideLoseNothingAndNeverShareANumber)
{
    constexpr int kWriters = 3, kEach = 60;
    std::vector<std::vector<int>> numbers(kWriters);
    std::vector<std::string> failures(kWriters);
    const QString folder = dm->folder(), book = dm->book();
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w)
        writers.emplace_back([&, w] {
            try {
                TDM mine;
                mine.connect(folder, book);
                for (int i = 0; i < kEach; ++i) {
                    const EditorCommand command =
                        i % 3 == 2 ? EditorCommand::NewReceipt : EditorCommand::NewInvoice;
                    InvoiceDraft d = opened(mine, command);
                    d.positions[0].count = w * 1000 + i; // whose and which, to be found again
                    // Told the book is busy (one SQLite writer can wait out its time), the bookkeeper
                    // presses OK again; nothing may be lost or doubled either way.
                    for (int attempt = 0;; ++attempt) {
                        try {
                            numbers[std::size_t(w)].push_back(StoreDraft(mine, d, 2, settings));
                            break;
                        } catch (const DbError& e) {
                            if (!e.isBusy() || attempt == 5)
                                throw;
                        }
                    }
                }
            } catch (const DbError& e) {
                failures[std::size_t(w)] = e.fullText().toStdString();
            }
        });
    for (std::thread& t : writers)
        t.join();
    std::set<int> all;
    for (int w = 0; w < kWriters; ++w) {
        EXPECT_EQ(failures[std::size_t(w)], "");
        for (std::size_t i = 0; i < numbers[std::size_t(w)].size(); ++i) {
            const int number = numbers[std::size_t(w)][i];
            EXPECT_TRUE(all.insert(number).second) << "number " << number << " given twice";
            const std::optional<InvoiceRow> row = dm->ReadDocument(number);
            ASSERT_TRUE(row.has_value()) << number;
            EXPECT_EQ(row->positions[0].count, w * 1000 + int(i)) << number;
            EXPECT_EQ(number < 0, i % 3 == 2) << number;
        }
    }
    EXPECT_EQ(all.size(), std::size_t(kWriters * kEach));
    EXPECT_EQ(scalar(ConnectionOf(*dm), QStringLiteral("SELECT count(*) FROM FACTURES")).toInt(),
              kWriters * kEach);
}

TEST_F(SharedBook, TheOtherProgramsAreToldOfStoredDocumentsOnlyOnTheServer)
{
    BookNotifier notifier;
    notifier.watch(*dm);
    QSignalSpy told(&notifier, &BookNotifier::documentsChanged);
    const auto other = otherWorkplace();
    // A burst of stores elsewhere is told once; this program's own stores are not told at all.
    for (int i = 0; i < 3; ++i)
        StoreDraft(*other, opened(*other, EditorCommand::NewReceipt), 2, settings);
    if (!dm->isPostgres()) {
        EXPECT_FALSE(told.wait(3 * BookNotifier::kGatherMs));
        return;
    }
    EXPECT_TRUE(told.wait(5000));
    QTest::qWait(3 * BookNotifier::kGatherMs);
    EXPECT_EQ(told.count(), 1);
    told.clear();
    StoreDraft(*dm, opened(*dm, EditorCommand::NewReceipt), 2, settings);
    EXPECT_FALSE(told.wait(3 * BookNotifier::kGatherMs));
    execOrThrow(ConnectionOf(*other), QStringLiteral("DELETE FROM FACTURES WHERE FACT_NUMBER=-1"));
    EXPECT_TRUE(told.wait(5000));
}

// A cell typed into a list goes in only over the value the list showed; another workplace's value stays,
// the list shows it, and the user is told.
TEST_F(SharedBook, ACellChangedElsewhereIsNotWrittenOver)
{
    const auto other = otherWorkplace();
    SqlListModel clients(*dm, Tables::clients(), listColumns(Tables::clients(), {"FIRMNAME", "CITY"}));
    clients.setQuery(
        ListQueries::clients(dm->dialect(), std::nullopt, std::nullopt, QStringLiteral("FIRMA")));
    ASSERT_EQ(clients.rowCount(), 1);
    QSignalSpy errors(&clients, &SqlListModel::engineError);
    EXPECT_EQ(clients.data(clients.index(0, 0)).toString(), QStringLiteral("ТОВ \"Ґрунт\""));
    execOrThrow(ConnectionOf(*other),
                QStringLiteral("UPDATE CLIENTS SET FIRMNAME='ТОВ \"Пісок\"' WHERE ID_NUMBER=2"));
    EXPECT_FALSE(clients.setData(clients.index(0, 0), QStringLiteral("ТОВ \"Щебінь\"")));
    ASSERT_EQ(errors.count(), 1);
    EXPECT_TRUE(errors.first().at(1).toString().contains(QStringLiteral("на другом рабочем месте")));
    EXPECT_EQ(clients.data(clients.index(0, 0)).toString(), QStringLiteral("ТОВ \"Пісок\""));
    EXPECT_EQ(dm->ReadClient(2)->FIRMNAME, QStringLiteral("ТОВ \"Пісок\""));

    // Shown as it is now, the cell takes the change; another column changed elsewhere stays as well.
    execOrThrow(ConnectionOf(*other), QStringLiteral("UPDATE CLIENTS SET CITY='Суми' WHERE ID_NUMBER=2"));
    EXPECT_TRUE(clients.setData(clients.index(0, 0), QStringLiteral("ТОВ \"Щебінь\"")));
    EXPECT_EQ(dm->ReadClient(2)->FIRMNAME, QStringLiteral("ТОВ \"Щебінь\""));
    EXPECT_EQ(dm->ReadClient(2)->CITY, QStringLiteral("Суми"));
    // A row deleted elsewhere takes nothing.
    execOrThrow(ConnectionOf(*other), QStringLiteral("DELETE FROM CLIENTS WHERE ID_NUMBER=2"));
    EXPECT_FALSE(clients.setData(clients.index(0, 1), QStringLiteral("Київ")));
    EXPECT_FALSE(dm->ReadClient(2).has_value());
}

// Two workplaces begin a new client at once and both are offered one number: both clients are kept.
TEST_F(SharedBook, TwoNewClientsBegunAtOnceAreBothKept)
{
    const auto other = otherWorkplace();
    ClientRow mine, theirs;
    mine.ID_NUMBER = dm->NextClientNumber();
    theirs.ID_NUMBER = other->NextClientNumber();
    ASSERT_EQ(mine.ID_NUMBER, 3);
    ASSERT_EQ(theirs.ID_NUMBER, 3);
    mine.FIRMNAME = QStringLiteral("ТОВ \"Моє\"");
    theirs.FIRMNAME = QStringLiteral("ТОВ \"Їхнє\"");
    EXPECT_EQ(SaveClient(*other, theirs, true), 3);
    EXPECT_EQ(SaveClient(*dm, mine, true), 4);
    EXPECT_EQ(dm->ReadClient(3)->FIRMNAME, QStringLiteral("ТОВ \"Їхнє\""));
    EXPECT_EQ(dm->ReadClient(4)->FIRMNAME, QStringLiteral("ТОВ \"Моє\""));
    // A stored client is changed in place.
    mine.ID_NUMBER = 4;
    mine.CITY = QStringLiteral("Суми");
    EXPECT_EQ(SaveClient(*dm, mine), 4);
    EXPECT_EQ(dm->ReadClient(4)->CITY, QStringLiteral("Суми"));
    EXPECT_EQ(scalar(ConnectionOf(*dm), QStringLiteral("SELECT count(*) FROM CLIENTS")).toInt(), 3);
}
