#include "base/prompter.h"
#include "db/data_module.h"
#include "maintenance/book_start.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(BookStart, TheWelcomeNamesTheFolderAndWhatItHolds)
{
    TestHome home;
    const QString folder = QDir::toNativeSeparators(home.dataFolder());
    ScriptedPrompter prompter;
    prompter.queueChoice(2);
    EXPECT_EQ(AskHowToStart(home.dataFolder(), prompter), BookStart::Demo);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "В папке " + folder + " ещё нет базы данных. С чего начать?");
    EXPECT_EQ(prompter.messages()[0].detail, QStringLiteral("Добро пожаловать в ДОКУМАР"));

    // An empty book there: begun as it is.
    TDM::createDatabase(home.dataFolder());
    prompter.clear();
    prompter.queueChoice(-1);
    EXPECT_EQ(AskHowToStart(home.dataFolder(), prompter), BookStart::Nothing);
    EXPECT_EQ(prompter.texts(), QStringList{"База данных в папке " + folder + " пока пуста. С чего начать?"});
}

TEST(BookStart, ANewBookIsOfferedOnlyForAFolderWithoutOne)
{
    TestHome home;
    ScriptedPrompter prompter;
    // A server book is its administrator's to make; nothing is asked.
    EXPECT_EQ(OfferNewBook(home.dataFolder(), QStringLiteral("postgresql://x/y"), prompter),
              BookStart::Nothing);
    EXPECT_TRUE(prompter.messages().empty());
    prompter.queueChoice(1);
    EXPECT_EQ(OfferNewBook(home.dataFolder(), {}, prompter), BookStart::FromParadox);
    prompter.queueChoice(-1);
    EXPECT_EQ(OfferNewBook(home.dataFolder(), {}, prompter), BookStart::Nothing);
    EXPECT_EQ(prompter.messages().size(), 2u);
    // A file there, whole or not, is never offered to be replaced.
    ASSERT_TRUE(QDir().mkpath(home.dataFolder()));
    QFile damaged(TDM::databaseFile(home.dataFolder()));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a book");
    damaged.close();
    prompter.clear();
    EXPECT_EQ(OfferNewBook(home.dataFolder(), {}, prompter), BookStart::Nothing);
    EXPECT_TRUE(prompter.messages().empty());
}

TEST(BookStart, ABookIsBegunEmptyWithItsOwnerRowOrAsTheDemonstration)
{
    TestHome home;
    ScriptedPrompter prompter;
    TDM dm;
    ASSERT_TRUE(BeginBook(dm, home.dataFolder(), BookStart::Empty, true, prompter));
    OwnerRecord owner;
    EXPECT_TRUE(dm.ReadOwnerRow(owner)); // for the owner tab to fill
    EXPECT_EQ(dm.CountRowsBesideOwner(), 0);
    dm.disconnect();

    TestHome other;
    ASSERT_TRUE(BeginBook(dm, other.dataFolder(), BookStart::Empty, false, prompter));
    EXPECT_FALSE(dm.ReadOwnerRow(owner));
    dm.disconnect();

    TestHome demo;
    ASSERT_TRUE(BeginBook(dm, demo.dataFolder(), BookStart::Demo, false, prompter));
    EXPECT_GT(dm.CountRowsBesideOwner(), 300);
    EXPECT_TRUE(prompter.messages().empty());
    dm.disconnect();

    // A folder that cannot hold a book: the engine's words, and no book.
    const QString blocked = demo.file(QStringLiteral("blocked"));
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(BeginBook(dm, blocked + QStringLiteral("/DataBase"), BookStart::Empty, true, prompter));
    EXPECT_EQ(prompter.messages().size(), 1u);
    EXPECT_FALSE(dm.isConnected());
}
