#include "base/prompter.h"
#include "clients/clients_controller.h"
#include "clients/owner_details.h"
#include "db/data_module.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

class ClientsControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = home.createAndConnect();
        dm->SaveOwnerRecord(OwnerRecord{});
        for (const char* name : {"ТОВ \"Альфа\"", "ТОВ \"Бета\"", "ТОВ \"Вега\""}) {
            ClientRow c;
            c.ID_NUMBER = dm->NextClientNumber();
            c.FIRMNAME = QString::fromUtf8(name);
            c.CHIEF = QStringLiteral("Директор ") + c.FIRMNAME;
            SaveClient(*dm, c);
        }
        clients = std::make_unique<ClientsController>(*dm, prompter);
        clients->clientRegister().reload();
    }
    QString firm(int id)
    {
        return scalar(ConnectionOf(*dm), QStringLiteral("SELECT FIRMNAME FROM CLIENTS WHERE ID_NUMBER=?"),
                      {id})
            .toString();
    }
    int count()
    {
        return scalar(ConnectionOf(*dm), QStringLiteral("SELECT count(*) FROM CLIENTS WHERE ID_NUMBER>1"))
            .toInt();
    }

    TestHome home;
    std::unique_ptr<TDM> dm;
    ScriptedPrompter prompter;
    std::unique_ptr<ClientsController> clients;
};

ClientRow typed(const QString& name)
{
    ClientRow c;
    c.FIRMNAME = name;
    return c;
}

} // namespace

// Clients 2, 3, 4 stand in rows 0, 1, 2.
TEST_F(ClientsControllerTest, TypingIsStoredUnderItsOwnClientAndAnUntouchedNewClientIsDropped)
{
    // Typing, then leaving the client: stored under the row it was typed for.
    clients->panelEdited(1);
    ClientRow beta = typed(QStringLiteral("ТОВ \"Бета-2\""));
    beta.CHETNUMBER = QStringLiteral("UA21-3223-1300-0002-6007-2335-6600-1"); // an IBAN is stored compact
    clients->settle(1, beta);
    EXPECT_EQ(firm(3), QStringLiteral("ТОВ \"Бета-2\""));
    EXPECT_EQ(dm->ReadClient(3)->CHETNUMBER, QStringLiteral("UA213223130000026007233566001"));
    EXPECT_FALSE(clients->isDirty());

    // Nothing typed: nothing stored.
    clients->settle(0, typed(QStringLiteral("не то")));
    EXPECT_EQ(firm(2), QStringLiteral("ТОВ \"Альфа\""));

    // "Добавить" and nothing typed: dropped, not stored empty.
    ASSERT_TRUE(clients->startNewClient());
    EXPECT_EQ(clients->newClientId(), 5);
    clients->settle(0, ClientRow{});
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(clients->newClientId(), 0);

    // "Добавить", typing, "Сохранить ": the new client is stored and stood on.
    ASSERT_TRUE(clients->startNewClient());
    clients->panelEdited(0);
    EXPECT_EQ(clients->save(0, typed(QStringLiteral("ПП \"Нова\""))), std::optional<int>(5));
    EXPECT_EQ(firm(5), QStringLiteral("ПП \"Нова\""));

    // Unsaved typing before "Добавить" is a question; No keeps it.
    clients->panelEdited(0);
    prompter.queueAnswer(false);
    EXPECT_FALSE(clients->startNewClient());
    EXPECT_TRUE(clients->isDirty());
    EXPECT_EQ(prompter.messages().back().kind, ScriptedPrompter::Kind::Ask);
}

TEST_F(ClientsControllerTest, TypingIntoAnEmptyRegisterStartsANewClient)
{
    ClientFilter none;
    none.nameOn = true;
    none.nameValue = QStringLiteral("нікого");
    clients->clientRegister().setFilter(none);
    ASSERT_EQ(clients->clientRegister().model().rowCount(), 0);
    clients->panelEdited(-1);
    EXPECT_EQ(clients->newClientId(), 5);
    clients->settle(-1, typed(QStringLiteral("ФОП Нуль")));
    EXPECT_EQ(firm(5), QStringLiteral("ФОП Нуль"));
    // Nothing to store it as: the register is empty and no new client was started.
    EXPECT_FALSE(clients->post(-1, typed(QStringLiteral("x"))));
}

TEST_F(ClientsControllerTest, AfterADeleteTheNextClientOrTheOneBeforeTheLastIsCurrent)
{
    prompter.queueAnswer(false);
    EXPECT_EQ(clients->deleteClient(0).what, ClientsController::Deletion::Nothing);
    EXPECT_EQ(count(), 3);

    prompter.queueAnswer(true);
    ClientsController::Deletion d = clients->deleteClient(0);
    EXPECT_EQ(d.what, ClientsController::Deletion::ClientDeleted);
    EXPECT_EQ(d.standOn, 3);
    clients->clientRegister().reload();
    prompter.queueAnswer(true);
    d = clients->deleteClient(1); // the last one: the one before it
    EXPECT_EQ(d.standOn, 3);
    EXPECT_EQ(count(), 1);

    ASSERT_TRUE(clients->startNewClient());
    prompter.queueAnswer(true);
    EXPECT_EQ(clients->deleteClient(0).what, ClientsController::Deletion::NewClientDropped);
    EXPECT_EQ(count(), 1);
}

TEST_F(ClientsControllerTest, SearchWrapsAroundOnYesAndSaysWhenItIsStopped)
{
    // From the last row "Альфа" is not found; Yes starts again from the first client.
    prompter.queueAnswer(true);
    ClientsController::SearchOutcome found = clients->find(2, {QStringLiteral("альфа"), 0, false}, {});
    EXPECT_EQ(found.row, 0);
    EXPECT_EQ(prompter.texts().back(), QStringLiteral("Не найдено ни одной записи по условию поиска.\r\n"
                                                      "           Начать сначала ?"));
    // No: nothing found, and no other client is chosen.
    prompter.queueAnswer(false);
    EXPECT_EQ(clients->find(1, {QStringLiteral("альфа"), 0, false}, {}).row, -1);
    EXPECT_EQ(clients->lastFind().text, QStringLiteral("альфа"));

    const ClientsController::SearchOutcome stopped =
        clients->find(0, {QStringLiteral("ніхто"), 1, false}, [] { return false; });
    EXPECT_TRUE(stopped.interrupted);
    EXPECT_EQ(stopped.row, 0); // stopped before the first client was read
    EXPECT_EQ(prompter.texts().back(), QStringLiteral("Поиск прерван."));
}

TEST_F(ClientsControllerTest, FiltersKeepTheirValuesAfterRemoval)
{
    clients->applyFilter(true, QStringLiteral("тов \"б*"));
    EXPECT_EQ(clients->clientRegister().model().rowCount(), 1);
    clients->removeFilters();
    EXPECT_EQ(clients->clientRegister().model().rowCount(), 3);
    EXPECT_EQ(clients->filter().nameValue, QStringLiteral("тов \"б*"));
    clients->resetFilters();
    EXPECT_TRUE(clients->filter().nameValue.isEmpty());
}

TEST_F(ClientsControllerTest, TheOwnerRowIsMadeAgainWhenItIsGone)
{
    OwnerDetails owner(*dm, prompter);
    owner.load(home.dataFolder());
    OwnerRecord shown = owner.record();
    shown.FIRMNAME = QString(300, u'Ф');
    owner.save(shown, home.dataFolder());
    EXPECT_EQ(owner.record().FIRMNAME, QString(128, u'Ф')); // cut to the column as stored, then read back
    execOrThrow(ConnectionOf(*dm), QStringLiteral("DELETE FROM CLIENTS WHERE ID_NUMBER=1"));
    EXPECT_FALSE(owner.stored().has_value());
    owner.repairOwnerRow();
    ASSERT_TRUE(owner.stored().has_value());
    EXPECT_EQ(owner.stored()->FIRMNAME, QString(128, u'Ф'));
}

TEST_F(ClientsControllerTest, AnEngineFailureIsToldInTheProgramsWordsWithTheEnginesBehind)
{
    MakeReadOnly(ConnectionOf(*dm), true);
    clients->panelEdited(0);
    EXPECT_FALSE(clients->post(0, typed(QStringLiteral("ТОВ \"Нове\""))));
    ASSERT_FALSE(prompter.messages().empty());
    const ScriptedPrompter::Message& m = prompter.messages().back();
    EXPECT_EQ(m.kind, ScriptedPrompter::Kind::Error);
    EXPECT_EQ(m.text, QStringLiteral("Не удалось сохранить запись: база данных открыта только для чтения."));
    EXPECT_TRUE(m.detail.contains(QStringLiteral("readonly")) ||
                m.detail.contains(QStringLiteral("read-only")))
        << m.detail.toStdString();
    EXPECT_TRUE(clients->isDirty()); // the typing is still there to be stored later
    MakeReadOnly(ConnectionOf(*dm), false);
    EXPECT_TRUE(clients->post(0, typed(QStringLiteral("ТОВ \"Нове\""))));
    EXPECT_EQ(firm(2), QStringLiteral("ТОВ \"Нове\""));
}
