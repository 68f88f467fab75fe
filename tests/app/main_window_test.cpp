#include "app/main_window.h"
#include "app/toolkit_language.h"
#include "app/window_commands.h"
#include "base/ini_file.h"
#include "base/prompter.h"
#include "base/settings.h"
#include "base/version.h"
#include "db/stores.h"
#include "documents/documents_controller.h"
#include "documents/invoice_editor.h"
#include "documents/new_fact_form.h"
#include "maintenance/backup.h"
#include "maintenance/demo_data.h"
#include "print/invoice_form.h"
#include "report/preview_window.h"
#include "report/report_holder.h"
#include "support/paradox_fixture.h"
#include "support/test_support.h"
#include "widgets/date_field.h"
#include "widgets/db_grid.h"
#include "widgets/db_navigator.h"
#include "widgets/elided_label.h"
#include "widgets/input_names.h"
#include "widgets/number_field.h"
#include "widgets/radio_group.h"
#include "widgets/screen_fit.h"
#include "widgets/widget_prompter.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QJsonObject>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QSpinBox>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QXmlStreamReader>

#include <functional>
#include <map>

#include <gtest/gtest.h>

namespace {

// What the window's status line says, however much of it is shown.
QString StatusText(QWidget* window)
{
    return window->findChild<ElidedLabel*>(QStringLiteral("StatusLine"))->fullText();
}

// The window painted once, and what waits for that done: the book's line on the status bar.
void PaintFirst(QWidget* window)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->repaint();
    QCoreApplication::sendPostedEvents();
}

// Runs the handler on the next modal dialog as soon as it is shown.
void whenModal(std::function<void(QWidget*)> handler)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, handler] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            handler(dialog);
        }
    });
    timer->start();
}

// Types text as keystrokes, letters of any alphabet included.
void type(QWidget* widget, const QString& text)
{
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

template <typename T> T* child(QObject* parent, const char* name)
{
    T* w = parent->findChild<T*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// The commands that open each of the window's dialogs: settings, about, client find, name filter, client
// export, period, numbers, document find, invoice editor, goods list, expense and tax waybills.
const char* const kDialogCommands[] = {"N6",  "N8", "N3", "N37", "N33", "N30",
                                       "N31", "N4", "N9", "N5",  "N15", "N16"};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto dm = home.createAndConnect();
        FillDemoData(*dm, {30, 300, 12}); // a book whose first client in name order has documents
    }
    void open()
    {
        window = std::make_unique<TBuhForm>(home.path(), &prompter);
        window->show();
        QApplication::setActiveWindow(window.get());
    }
    void TearDown() override
    {
        if (window) {
            prompter.queueAnswer(true);
            window->close();
        }
    }
    template <typename T> T* w(const char* name) { return child<T>(window.get(), name); }
    int scalarInt(const QString& sql) { return scalar(ConnectionOf(window->dataModule()), sql).toInt(); }
    QString firmAt(int row)
    {
        return window->clientRegister().model().value(row, QStringLiteral("FIRMNAME")).toString();
    }
    int currentRow() { return w<DBGrid>("DBGrid1")->currentRow(); }
    // The chosen client's reconciliation act since 2000 in its preview, given to onPreview.
    void previewReconciliation(std::function<void(PreviewWindow*)> onPreview)
    {
        whenModal([onPreview](QWidget* form) {
            child<DateField>(form, "ReconciliationFrom")->setDate(QDate(2000, 1, 1));
            whenModal([onPreview](QWidget* preview) {
                QApplication::processEvents();
                onPreview(static_cast<PreviewWindow*>(preview));
                preview->close();
            });
            child<QPushButton>(form, "ReconciliationPreview")->click();
        });
        w<QAction>("Reconciliation")->trigger();
    }
    // A CSV statement of these lines loaded through the menu and its file dialog, the import dialog given to
    // onForm; {account} in the lines stands for the owner's account, {code} for the chosen client's code.
    void importStatement(const QString& lines, std::function<void(QWidget*)> onForm)
    {
        const QString code = scalar(ConnectionOf(window->dataModule()),
                                    QStringLiteral("SELECT OKPOCODE FROM CLIENTS WHERE ID_NUMBER=%1")
                                        .arg(window->currentClientId()))
                                 .toString();
        const QString file = home.file(QStringLiteral("statement.csv"));
        writeFileBytes(file, (QStringLiteral("Дата операції;Рахунок;Номер документа;ЄДРПОУ кореспондента;"
                                             "Кореспондент;Сума;Призначення платежу\n") +
                              QString(lines)
                                  .replace(QStringLiteral("{account}"), window->ownerRecord().CHETNUMBER)
                                  .replace(QStringLiteral("{code}"), code))
                                 .toUtf8());
        whenModal([file, onForm](QWidget* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            ASSERT_NE(files, nullptr);
            files->selectFile(file);
            whenModal(onForm);
            static_cast<QDialog*>(files)->accept();
        });
        w<QAction>("ImportStatement")->trigger();
    }

    // The client panel's labels stand whole, on as many lines as they need, and the dialogs fit the screen.
    void expectWholeLabelsAndFittingDialogs(const QSize& smallScreen)
    {
        w<QTabWidget>("PC1")->setCurrentIndex(1);
        QApplication::processEvents();
        for (QLabel* label : w<QWidget>("Panel10")->findChildren<QLabel*>())
            if (label->wordWrap())
                EXPECT_GE(label->height(), label->heightForWidth(label->width()))
                    << label->text().toStdString();
            else
                EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        w<QTabWidget>("PC1")->setCurrentIndex(0);

        const auto fits = [&smallScreen](QWidget* dialog) {
            const QSize hint = dialog->sizeHint().expandedTo(dialog->minimumSize());
            EXPECT_LE(hint.width(), smallScreen.width()) << dialog->objectName().toStdString();
            EXPECT_LE(hint.height(), smallScreen.height()) << dialog->objectName().toStdString();
            dialog->close();
        };
        for (const char* item : kDialogCommands) {
            bool seen = false;
            whenModal([&](QWidget* dialog) {
                seen = true;
                fits(dialog);
            });
            w<QAction>(item)->trigger();
            EXPECT_TRUE(seen) << item;
        }
    }

    TestHome home;
    ScriptedPrompter prompter;
    std::unique_ptr<TBuhForm> window;
};

} // namespace

// A first start meets one welcome, with every way to begin, instead of four messages.
TEST(MainWindowFirstStart, EmptyFolderGetsItsFolderSettingsAndTheWelcome)
{
    TestHome home;
    ScriptedPrompter prompter;
    prompter.queueChoice(-1); // the welcome declined
    {
        TBuhForm window(home.path(), &prompter);
        window.show();
        EXPECT_EQ(prompter.texts(), QStringList{"В папке " + QDir::toNativeSeparators(home.dataFolder()) +
                                                " ещё нет базы данных. С чего начать?"});
        EXPECT_EQ(prompter.messages().front().kind, ScriptedPrompter::Kind::Choose);
        EXPECT_EQ(prompter.messages().front().detail, QStringLiteral("Добро пожаловать в ДОКУМАР"));
        EXPECT_EQ(window.windowTitle(), QStringLiteral("ДОКУМАР"));
        EXPECT_FALSE(QFileInfo::exists(TDM::databaseFile(home.dataFolder())));
        EXPECT_TRUE(QDir(home.dataFolder()).exists());
        IniFile ini(settingsFilePath(home.path()));
        ASSERT_TRUE(ini.load());
        EXPECT_EQ(ini.lines().filter(QStringLiteral("=")).size(), 14);
        // The window still works: the settings dialog can point it elsewhere.
        EXPECT_EQ(window.findChild<DBGrid*>(QStringLiteral("DBGrid1"))->model()->rowCount(), 0);
        prompter.queueAnswer(true);
        window.close();
    }
}

TEST(MainWindowFirstStart, YesMakesAnEmptyDatabaseAndOpensIt)
{
    TestHome home;
    ScriptedPrompter prompter;
    prompter.queueChoice(0); // a new empty database
    TBuhForm window(home.path(), &prompter);
    window.show();
    // The welcome alone; then the owner tab, where the firm's details go, and a line that says so.
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(window.findChild<QTabWidget*>(QStringLiteral("PC1"))->currentIndex(), 2);
    PaintFirst(&window); // the book's counts, said once painted, leave the hint standing
    EXPECT_EQ(StatusText(&window),
              QStringLiteral(
                  "Впишите на вкладке «Владелец» данные вашей фирмы: они печатаются на каждом документе."));
    EXPECT_TRUE(window.dataModule().isConnected());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ДОКУМАР (v.1.3). База данных : ") +
                                        QDir::toNativeSeparators(home.dataFolder()));
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), OwnerRecord{}.FIRMNAME);
    EXPECT_EQ(window.findChild<DBGrid*>(QStringLiteral("DBGrid1"))->model()->rowCount(), 0);
    EXPECT_EQ(window.findChild<QGroupBox*>(QStringLiteral("GB5"))->title(), QStringLiteral("Проплаты "));
    prompter.queueAnswer(true);
    window.close();
}

TEST(MainWindowFirstStart, TheOfferTakesABookFromParadoxTables)
{
    TestHome home;
    const QString folder = home.file(QStringLiteral("old"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const std::pair<const TableDef*, const char*> tables[] = {{&Tables::clients(), "CLIENTS.DB"},
                                                              {&Tables::factures(), "Factures.DB"},
                                                              {&Tables::nakladn1(), "Nakladn1.DB"},
                                                              {&Tables::nakladn2(), "Nakladn2.DB"},
                                                              {&Tables::products(), "Products.db"}};
    for (const auto& [table, file] : tables)
        ASSERT_TRUE(WriteParadoxTable(QDir(folder).filePath(file), ParadoxFieldsOf(*table), {}));
    ASSERT_TRUE(WriteParadoxTable(QDir(folder).filePath("CLIENTS.DB"), ParadoxFieldsOf(Tables::clients()),
                                  {{1, "ТОВ \"Стара книга\""}, {2, "ПП \"Клієнт\""}}));
    ASSERT_TRUE(WriteParadoxTable(QDir(folder).filePath("Factures.DB"), ParadoxFieldsOf(Tables::factures()),
                                  {{41, "", QDate(2002, 3, 4)}, {42, "", QDate(2002, 3, 5)}}));
    ScriptedPrompter prompter;
    prompter.queueChoice(1);
    whenModal([folder](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->objectName(), QStringLiteral("ParadoxFolderDialog"));
        files->setDirectory(folder);
        files->selectFile(folder);
        static_cast<QDialog*>(files)->accept();
    });
    TBuhForm window(home.path(), &prompter);
    window.show();
    ASSERT_TRUE(window.dataModule().isConnected());
    const QStringList texts = prompter.texts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[1].startsWith(QStringLiteral("Таблицы Paradox перенесены в базу данных.\n"
                                                   "CLIENTS (CLIENTS.DB): прочитано записей 2, записано 2")))
        << texts.join('\n').toStdString();
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(),
              QStringLiteral("ТОВ \"Стара книга\""));
    EXPECT_EQ(window.findChild<DBGrid*>(QStringLiteral("DBGrid1"))->model()->rowCount(), 1);
    EXPECT_EQ(window.findChild<DBGrid*>(QStringLiteral("DBGrid3"))->model()->rowCount(),
              0); // not this client's
    EXPECT_EQ(window.dataModule().NextFactNumber(), 43);
    prompter.queueAnswer(true);
    window.close();
}

// A book made empty beforehand (./run.sh makes one) is a first start too; the demonstration book is one
// of the ways to begin, and a later start of a book in use asks nothing.
TEST(MainWindowFirstStart, AnEmptyBookIsWelcomedAndADemoBookOpens)
{
    TestHome home;
    ASSERT_EQ(runDocmar({"--home", home.path(), "init-db"}).exitCode, 0);
    ScriptedPrompter prompter;
    prompter.queueChoice(2);
    {
        TBuhForm window(home.path(), &prompter);
        window.show();
        EXPECT_EQ(prompter.texts(),
                  QStringList{"База данных в папке " + QDir::toNativeSeparators(home.dataFolder()) +
                              " пока пуста. С чего начать?"});
        EXPECT_EQ(window.findChild<DBGrid*>(QStringLiteral("DBGrid1"))->model()->rowCount(), 30);
        EXPECT_EQ(window.findChild<QTabWidget*>(QStringLiteral("PC1"))->currentIndex(), 0);
        prompter.queueAnswer(true);
        window.close();
    }
    prompter.clear();
    TBuhForm again(home.path(), &prompter);
    again.show();
    EXPECT_TRUE(prompter.texts().isEmpty()) << prompter.texts().join(u'|').toStdString();
    prompter.queueAnswer(true);
    again.close();
}

// A choice is one button per answer under a question that wraps: never wider than a small screen.
TEST(WidgetPrompterChoice, OneButtonPerAnswer)
{
    WidgetPrompter prompter(nullptr);
    int width = 0;
    QString second;
    whenModal([&](QWidget* dialog) {
        width = dialog->width();
        second = child<QPushButton>(dialog, "Choice1")->text();
        if (const QString shots = qEnvironmentVariable("DOCMAR_SHOTS"); !shots.isEmpty())
            dialog->grab().save(QDir(shots).filePath(QStringLiteral("welcome.png")));
        child<QPushButton>(dialog, "Choice2")->click();
    });
    EXPECT_EQ(prompter.choose(
                  QStringLiteral("В папке /очень/длинный/путь/к/папке/с/базой/данных/бухгалтерии ещё нет "
                                 "базы данных. С чего начать?"),
                  {"Создать новую пустую базу данных", "Перенести базу из таблиц Paradox...",
                   "Открыть демонстрационную базу данных", "Выбрать другую папку базы данных..."},
                  0, QStringLiteral("Добро пожаловать в ДОКУМАР")),
              2);
    EXPECT_LE(width, 700);
    EXPECT_EQ(QString(second).remove(u'&'), QStringLiteral("Перенести базу из таблиц Paradox..."));
    whenModal([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    EXPECT_EQ(prompter.choose(QStringLiteral("?"), {"a", "b"}, 0), -1);
}

// The import works on a thread of its own: the window answers while it runs, the progress is up before a
// row is written, and Cancel leaves the book empty.
TEST(MainWindowFirstStart, TheImportAnswersCancelAtOnce)
{
    TestHome home;
    const QString folder = home.file(QStringLiteral("old"));
    ASSERT_TRUE(QDir().mkpath(folder));
    std::vector<QVariantList> invoices;
    for (int n = 1; n <= 10000; ++n)
        invoices.push_back({n, "", QDate(2002, 3, 4)});
    for (const auto& [table, file] :
         {std::pair{&Tables::clients(), "CLIENTS.DB"}, std::pair{&Tables::nakladn1(), "Nakladn1.DB"},
          std::pair{&Tables::nakladn2(), "Nakladn2.DB"}, std::pair{&Tables::products(), "Products.db"}})
        ASSERT_TRUE(WriteParadoxTable(QDir(folder).filePath(file), ParadoxFieldsOf(*table), {}));
    ASSERT_TRUE(WriteParadoxTable(QDir(folder).filePath("Factures.DB"), ParadoxFieldsOf(Tables::factures()),
                                  invoices));
    ScriptedPrompter prompter;
    prompter.queueChoice(1);
    bool progressShown = false;
    whenModal([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(files, nullptr);
        files->setDirectory(folder);
        files->selectFile(folder);
        static_cast<QDialog*>(files)->accept();
        whenModal([&](QWidget* shown) {
            auto* progress = qobject_cast<QProgressDialog*>(shown);
            ASSERT_NE(progress, nullptr);
            progressShown = progress->isVisible();
            progress->findChild<QPushButton*>()->click();
        });
    });
    TBuhForm window(home.path(), &prompter);
    window.show();
    EXPECT_TRUE(progressShown);
    EXPECT_TRUE(prompter.texts().contains(QStringLiteral("Перенос прерван: база данных осталась пустой.")))
        << prompter.texts().join('\n').toStdString();
    EXPECT_EQ(
        scalar(ConnectionOf(window.dataModule()), QStringLiteral("SELECT count(*) FROM FACTURES")).toInt(),
        0);
    prompter.queueAnswer(true);
    window.close();
}

TEST(MainWindowFirstStart, AWriteProtectedBookIsSaidOnceAtOpening)
{
    TestHome home;
    OwnerRecord owner;
    owner.FIRMNAME = QStringLiteral("ТОВ \"Власник\""); // a book in use, not a first start's
    home.createAndConnect()->SaveOwnerRecord(owner);
    const QString file = TDM::databaseFile(home.dataFolder());
    QFile::setPermissions(file, QFileDevice::ReadOwner);
    QFile::setPermissions(home.dataFolder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool protectedFromMe = !QFileInfo(file).isWritable();
    ScriptedPrompter prompter;
    if (protectedFromMe) {
        TBuhForm window(home.path(), &prompter);
        window.show();
        EXPECT_EQ(prompter.texts(),
                  QStringList{"База данных открыта только для чтения: изменения в ней сохранить нельзя."});
        EXPECT_TRUE(window.dataModule().isConnected());
        // A store then says why it cannot be done, in the program's language.
        prompter.clear();
        window.findChild<QTabWidget*>(QStringLiteral("PC1"))->setCurrentIndex(2);
        window.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("Нова назва"));
        window.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        EXPECT_EQ(prompter.texts(),
                  QStringList{"Не удалось сохранить запись: база данных открыта только для чтения."});
        prompter.queueAnswer(true);
        window.close();
    }
    QFile::setPermissions(home.dataFolder(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!protectedFromMe)
        GTEST_SKIP() << "this user writes any file";
}

// The upgrade steps write; a book that cannot be written to is read at its own version instead.
TEST(MainWindowFirstStart, AWriteProtectedBookOfAnOlderVersionIsReadAsItIs)
{
    TestHome home;
    execOrThrow(ConnectionOf(*home.createAndConnect()), QStringLiteral("PRAGMA user_version=2"));
    const QString file = TDM::databaseFile(home.dataFolder());
    QFile::setPermissions(file, QFileDevice::ReadOwner);
    QFile::setPermissions(home.dataFolder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool protectedFromMe = !QFileInfo(file).isWritable();
    if (protectedFromMe) {
        TDM dm;
        EXPECT_NO_THROW(dm.connect(home.dataFolder()));
        EXPECT_TRUE(dm.isReadOnly());
        EXPECT_EQ(scalar(ConnectionOf(dm), QStringLiteral("PRAGMA user_version")).toInt(), 2);
    }
    QFile::setPermissions(home.dataFolder(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!protectedFromMe)
        GTEST_SKIP() << "this user writes any file";
}

TEST_F(MainWindowTest, AFailedOpenLeavesNothingOfThePreviousBook)
{
    open();
    QTemporaryDir empty;
    const auto pointTo = [](const QString& folder) {
        whenModal([folder](QWidget* dialog) {
            child<QLineEdit>(dialog, "DirEd")->setText(folder);
            child<QPushButton>(dialog, "BitBtn1")->click();
        });
    };
    pointTo(empty.path());
    prompter.queueChoice(-1);
    w<QAction>("N6")->trigger();
    EXPECT_EQ(prompter.texts(),
              (QStringList{"Ошибка при открытии базы данных!\nФайл базы данных не найден: " +
                               TDM::databaseFile(empty.path()),
                           "В папке " + QDir::toNativeSeparators(empty.path()) +
                               " нет базы данных. Создать в ней новую пустую базу данных или перенести в неё "
                               "базу из таблиц Paradox?"}));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ДОКУМАР"));
    EXPECT_EQ(w<DBGrid>("DBGrid1")->model()->rowCount(), 0);
    for (const char* grid : {"DBGrid3", "DBGrid6", "DBGrid5", "DBGrid4"})
        EXPECT_EQ(w<DBGrid>(grid)->model()->rowCount(), 0) << grid;
    EXPECT_EQ(FullTitle(w<QGroupBox>("GB2")), QStringLiteral("Счета-фактуры клиента "));
    EXPECT_EQ(FullTitle(w<QGroupBox>("GB5")), QStringLiteral("Проплаты "));
    EXPECT_EQ(FullTitle(w<QGroupBox>("GB3")), QStringLiteral("Расходные накладные "));
    EXPECT_EQ(FullTitle(w<QGroupBox>("GB4")), QStringLiteral("Налоговые накладные "));
    EXPECT_TRUE(w<QLineEdit>("Edit1")->text().isEmpty());
    EXPECT_TRUE(w<QLineEdit>("DBEdit13")->text().isEmpty());
    EXPECT_FALSE(w<QAction>("N13")->isEnabled());
    // Nothing typed on the owner tab of no book is offered for saving.
    w<QTabWidget>("PC1")->setCurrentIndex(2);
    w<QTabWidget>("PC1")->setCurrentIndex(0);
    EXPECT_EQ(prompter.messages().size(), 2u);

    // Back to the book: everything of it shows again, the owner included.
    pointTo(home.dataFolder());
    w<QAction>("N6")->trigger();
    EXPECT_EQ(window->clientRegister().model().rowCount(), 30);
    EXPECT_EQ(w<QLineEdit>("Edit1")->text(), window->ownerRecord().FIRMNAME);
    EXPECT_FALSE(w<QLineEdit>("Edit1")->text().isEmpty());
    EXPECT_EQ(window->currentClientId(), window->clientRegister().idAt(0));
}

TEST_F(MainWindowTest, TheListsFollowTheCurrentClientHoweverItMoves)
{
    open();
    auto* grid = w<DBGrid>("DBGrid1");
    const auto followsCurrent = [this] {
        const int id = window->clientRegister().idAt(currentRow());
        EXPECT_EQ(window->currentClientId(), id);
        EXPECT_EQ(FullTitle(w<QGroupBox>("GB2")),
                  QStringLiteral("Счета-фактуры клиента ") + firmAt(currentRow()));
    };
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    ASSERT_EQ(currentRow(), 1);
    followsCurrent();
    QTest::keyClick(grid, Qt::Key_PageDown);
    ASSERT_GT(currentRow(), 1);
    followsCurrent();
    QTest::keyClick(grid, Qt::Key_End);
    followsCurrent();

    // Sorting by a column title puts the first client of the new order in the captions.

    emit grid->horizontalHeader()->sectionClicked(
        window->clientRegister().model().columnOf(QStringLiteral("CITY")));
    EXPECT_EQ(currentRow(), 0);
    followsCurrent();

    // A search that finds nothing and is not started again leaves the chosen client chosen.
    grid->moveTo(3);
    window->FindClient(0, QStringLiteral("no such firm anywhere"), false);
    EXPECT_EQ(currentRow(), 3);
    followsCurrent();

    // A filter that leaves no client empties the lists and drops the name from their captions.
    whenModal([](QWidget* dialog) {
        child<QLineEdit>(dialog, "Edit1")->setText(QStringLiteral("ЖЖЖЖ нема"));
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<QAction>("N37")->trigger();
    ASSERT_EQ(window->clientRegister().model().rowCount(), 0);
    EXPECT_EQ(window->currentClientId(), 0);
    EXPECT_EQ(FullTitle(w<QGroupBox>("GB2")), QStringLiteral("Счета-фактуры клиента "));
    EXPECT_EQ(w<DBGrid>("DBGrid3")->model()->rowCount(), 0);
    EXPECT_FALSE(w<QAction>("N9")->isEnabled());
}

TEST_F(MainWindowTest, TypedOwnerDetailsAreNotLostWithoutAWord)
{
    open();
    auto* pc1 = w<QTabWidget>("PC1");
    pc1->setCurrentIndex(2);
    const QString chief = window->ownerRecord().CHIEF;
    w<QLineEdit>("Edit2")->setText(QStringLiteral("Хтось Інший"));
    prompter.queueAnswer(false);
    pc1->setCurrentIndex(0);
    EXPECT_EQ(prompter.texts(), QStringList{"Данные владельца изменены. Сохранить изменения?"});
    EXPECT_EQ(w<QLineEdit>("Edit2")->text(), chief);
    EXPECT_EQ(window->ownerRecord().CHIEF, chief);

    pc1->setCurrentIndex(2);
    w<QLineEdit>("Edit2")->setText(QStringLiteral("Хтось Інший"));
    prompter.queueAnswer(true);
    pc1->setCurrentIndex(1);
    EXPECT_EQ(window->ownerRecord().CHIEF, QStringLiteral("Хтось Інший"));

    // Unchanged details ask nothing; changed ones are asked about at closing too.
    prompter.clear();
    pc1->setCurrentIndex(2);
    pc1->setCurrentIndex(0);
    EXPECT_TRUE(prompter.messages().empty());
    pc1->setCurrentIndex(2);
    w<QLineEdit>("Edit3")->setText(QStringLiteral("Бухгалтер Новий"));
    prompter.queueAnswer(true); // close
    prompter.queueAnswer(true); // save
    window->close();
    window.reset();
    TDM dm;
    dm.connect(home.dataFolder());
    OwnerRecord stored;
    ASSERT_TRUE(dm.ReadOwnerRow(stored));
    EXPECT_EQ(stored.BUHALTER, QStringLiteral("Бухгалтер Новий"));
}

// A name typed over the current client's is not stored by leaving the tab without a word.
TEST_F(MainWindowTest, TypedClientDetailsAreNotLostOrStoredWithoutAWord)
{
    open();
    auto* pc1 = w<QTabWidget>("PC1");
    pc1->setCurrentIndex(1);
    const int id = window->clientRegister().idAt(currentRow());
    const QString name = w<QLineEdit>("DBEdit13")->text();
    const auto storedName = [&] {
        return scalar(ConnectionOf(window->dataModule()),
                      QStringLiteral("SELECT FIRMNAME FROM CLIENTS WHERE ID_NUMBER=%1").arg(id))
            .toString();
    };
    w<QLineEdit>("DBEdit13")->setFocus();
    w<QLineEdit>("DBEdit13")->selectAll();
    type(w<QLineEdit>("DBEdit13"), QStringLiteral("ТОВ \"Нова фірма\""));
    prompter.queueAnswer(false);
    pc1->setCurrentIndex(0);
    EXPECT_EQ(prompter.texts(), QStringList{"Данные клиента изменены. Сохранить изменения?"});
    EXPECT_EQ(storedName(), name);
    EXPECT_EQ(w<QLineEdit>("DBEdit13")->text(), name);

    pc1->setCurrentIndex(1);
    w<QLineEdit>("DBEdit13")->setFocus();
    w<QLineEdit>("DBEdit13")->selectAll();
    type(w<QLineEdit>("DBEdit13"), QStringLiteral("ТОВ \"Нова фірма\""));
    prompter.queueAnswer(true);
    pc1->setCurrentIndex(2);
    EXPECT_EQ(storedName(), QStringLiteral("ТОВ \"Нова фірма\""));

    // At closing too.
    pc1->setCurrentIndex(1);
    prompter.clear();
    w<QLineEdit>("DBEdit13")->setFocus();
    type(w<QLineEdit>("DBEdit13"), QStringLiteral(" плюс"));
    prompter.queueAnswer(true);  // close
    prompter.queueAnswer(false); // do not store
    window->close();
    EXPECT_EQ(prompter.texts(),
              (QStringList{"Закрыть программу?", "Данные клиента изменены. Сохранить изменения?"}));
    window.reset();
    TDM dm;
    dm.connect(home.dataFolder());
    EXPECT_EQ(
        scalar(ConnectionOf(dm), QStringLiteral("SELECT FIRMNAME FROM CLIENTS WHERE ID_NUMBER=%1").arg(id))
            .toString(),
        QStringLiteral("ТОВ \"Нова фірма\""));
}

// At the design size the panel's buttons stay in sight, and "Добавить" brings the name field into sight.
TEST_F(MainWindowTest, TheClientPanelKeepsItsButtonsAndTheFocusedFieldInSight)
{
    open();
    window->resize(706, 527);
    w<QTabWidget>("PC1")->setCurrentIndex(1);
    QApplication::processEvents();
    const auto inSight = [this](QWidget* widget) {
        const QRect shown(widget->mapTo(window.get(), QPoint(0, 0)), widget->size());
        return window->rect().contains(shown);
    };
    for (const char* button : {"BitBtn4", "BitBtn5", "BitBtn2", "BitBtn3"})
        EXPECT_TRUE(inSight(w<QPushButton>(button))) << button;
    auto* scroll = w<QScrollArea>("Panel10Scroll");
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    w<QPushButton>("BitBtn4")->click();
    QApplication::processEvents();
    auto* name = w<QLineEdit>("DBEdit13");
    ASSERT_TRUE(name->hasFocus());
    const QRect field(name->mapTo(scroll->viewport(), QPoint(0, 0)), name->size());
    EXPECT_TRUE(scroll->viewport()->rect().contains(field));
}

TEST_F(MainWindowTest, AClientsAccountAndCodesAreCheckedWhenStored)
{
    open();
    w<QTabWidget>("PC1")->setCurrentIndex(1);
    const int id = window->clientRegister().idAt(currentRow());
    const auto retype = [this](const char* name, const QString& text) {
        auto* edit = w<QLineEdit>(name);
        edit->setFocus();
        edit->selectAll();
        type(edit, text);
    };
    const auto stored = [&](const char* column) {
        return scalar(ConnectionOf(window->dataModule()),
                      QStringLiteral("SELECT %1 FROM CLIENTS WHERE ID_NUMBER=%2")
                          .arg(QLatin1String(column))
                          .arg(id))
            .toString();
    };
    retype("DBEdit24", QStringLiteral("UA213223130000026007233566001"));
    retype("DBEdit21", QStringLiteral("14360571"));
    prompter.queueAnswer(true);
    QTest::mouseClick(w<QPushButton>("BitBtn2"), Qt::LeftButton);
    EXPECT_EQ(prompter.texts(), QStringList{"Код ЕДРПОУ 14360571 не проходит проверку контрольной цифры.\n\n"
                                            "Сохранить так, как введено?"});
    EXPECT_EQ(stored("CHETNUMBER"), QStringLiteral("UA213223130000026007233566001"));
    EXPECT_EQ(stored("OKPOCODE"), QStringLiteral("14360571"));
    // A code stored as typed is not asked about again when something else changes.
    prompter.clear();
    retype("DBEdit16", QStringLiteral("044 000 00 00"));
    QTest::mouseClick(w<QPushButton>("BitBtn2"), Qt::LeftButton);
    EXPECT_TRUE(prompter.messages().empty()) << prompter.texts().join(u'|').toStdString();
    EXPECT_EQ(stored("TELFAX"), QStringLiteral("044 000 00 00"));
}

TEST_F(MainWindowTest, AContractDateTypedWholeIsStored)
{
    open();
    w<QTabWidget>("PC1")->setCurrentIndex(1);
    auto* date = w<DateField>("DBDateEdit1");
    const int id = window->clientRegister().idAt(currentRow());
    date->setFocus();
    date->selectAll();
    QTest::keyClick(date, Qt::Key_Backspace);
    QTest::keyClick(date, Qt::Key_Home);
    QTest::keyClicks(date, QStringLiteral("15.03.2024"));
    QTest::mouseClick(w<QPushButton>("BitBtn2"), Qt::LeftButton);
    EXPECT_EQ(scalar(ConnectionOf(window->dataModule()),
                     QStringLiteral("SELECT DOGDATA FROM CLIENTS WHERE ID_NUMBER=%1").arg(id))
                  .toString(),
              QStringLiteral("2024-03-15"));
    EXPECT_EQ(date->text(), QStringLiteral("15.03.2024"));

    // A date that does not exist is refused, and the stored one stays.
    date->setFocus();
    date->selectAll();
    QTest::keyClick(date, Qt::Key_Backspace);
    QTest::keyClick(date, Qt::Key_Home);
    QTest::keyClicks(date, QStringLiteral("31.02.2024"));
    QTest::mouseClick(w<QPushButton>("BitBtn2"), Qt::LeftButton);
    EXPECT_TRUE(prompter.texts().contains(
        QStringLiteral("Неверная дата: 31.02.2024. Дата вводится в виде ДД.ММ.ГГГГ.")));
    EXPECT_EQ(scalar(ConnectionOf(window->dataModule()),
                     QStringLiteral("SELECT DOGDATA FROM CLIENTS WHERE ID_NUMBER=%1").arg(id))
                  .toString(),
              QStringLiteral("2024-03-15"));

    // Pressed from the keyboard, the button takes no focus from the field: the typed text is still read.
    date->setFocus();
    date->selectAll();
    QTest::keyClick(date, Qt::Key_Backspace);
    QTest::keyClick(date, Qt::Key_Home);
    QTest::keyClicks(date, QStringLiteral("01.04.2024"));
    w<QPushButton>("BitBtn2")->click();
    EXPECT_TRUE(date->hasFocus());
    EXPECT_EQ(scalar(ConnectionOf(window->dataModule()),
                     QStringLiteral("SELECT DOGDATA FROM CLIENTS WHERE ID_NUMBER=%1").arg(id))
                  .toString(),
              QStringLiteral("2024-04-01"));
}

TEST_F(MainWindowTest, AnInvoiceIsWrittenFromScratchCopiedEditedAndAReceiptToo)
{
    open();
    w<DBGrid>("DBGrid1")->moveTo(3);
    const int client = window->currentClientId();
    const int next = window->dataModule().NextFactNumber();
    // A refused number keeps the dialog open with what was typed; a free one stores and closes it.
    QString caption, label;
    whenModal([&](QWidget* editor) {
        caption = editor->windowTitle();
        label = child<QLabel>(editor, "Label11")->text();
        EXPECT_EQ(child<QSpinBox>(editor, "NoFact1")->value(), next);
        EXPECT_TRUE(child<QSpinBox>(editor, "NoFact1")->isVisibleTo(editor));
        child<QLineEdit>(editor, "StrPo1")->setText(QStringLiteral("Фарба"));
        child<QLineEdit>(editor, "StrPo12")->setText(QStringLiteral("біла"));
        child<QComboBox>(editor, "Meas1")->setEditText(QStringLiteral("л."));
        child<NumberField>(editor, "NumPo1")->setValue(4);
        child<NumberField>(editor, "SumPo1")->setValue(120);
        child<QCheckBox>(editor, "WithNDSCB")->setChecked(true);
        child<QSpinBox>(editor, "NoFact1")->setValue(next - 1); // taken
        child<QPushButton>(editor, "BitBtn1")->click();
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(child<QLineEdit>(editor, "StrPo1")->text(), QStringLiteral("Фарба"));
        child<QSpinBox>(editor, "NoFact1")->setValue(next);
        child<QPushButton>(editor, "BitBtn1")->click();
    });
    w<QAction>("N9")->trigger();
    EXPECT_EQ(caption, QStringLiteral("Новая счет - фактура"));
    EXPECT_EQ(label, QStringLiteral("Счет-фактура от "));
    EXPECT_EQ(prompter.texts(), QStringList{"Неправильные данные (невозможно сохранить изменения)!"});
    const InvoiceRow stored = *window->dataModule().ReadDocument(next);
    EXPECT_EQ(stored.ID_NUMBER, client);
    EXPECT_EQ(stored.positions[0].name, QStringLiteral("Фарба").leftJustified(36) + QStringLiteral("біла"));
    EXPECT_DOUBLE_EQ(stored.positions[0].price, 100.0);
    auto* invoices = w<DBGrid>("DBGrid3");
    EXPECT_EQ(invoices->listModel()->keyAt(invoices->currentRow()), next); // the list stands on it
    EXPECT_EQ(window->currentClientId(), client);
    // Its total shows what its paper charges: 4 × 100,00 with 20 % VAT.
    ASSERT_EQ(stored.FACT_NDS, 20);
    ASSERT_EQ(stored.FACT_NR, 0);
    const int total = invoices->listModel()->columnOf(QStringLiteral("DOC_TOTAL"));
    EXPECT_EQ(invoices->model()->headerData(total, Qt::Horizontal).toString(), QStringLiteral("Сумма"));
    EXPECT_EQ(invoices->model()->index(invoices->currentRow(), total).data().toString(),
              QStringLiteral("480,00"));

    // Edit: the payer's name typed in, and No to taking it into the client's row.
    prompter.clear();
    prompter.queueAnswer(false);
    whenModal([](QWidget* editor) {
        EXPECT_EQ(editor->windowTitle(), QStringLiteral("Редактирование счет - фактуры"));
        auto* name = child<QLineEdit>(editor, "NameEd");
        name->setFocus();
        name->end(false);
        type(name, QStringLiteral(" (філія)"));
        child<QPushButton>(editor, "BitBtn1")->click();
    });
    w<QAction>("N10")->trigger();
    EXPECT_EQ(prompter.texts(), QStringList{"Вы изменили данные клиента! Сохранять изменения?"});
    EXPECT_TRUE(window->dataModule().ReadDocument(next)->NAME_OWNER.endsWith(QStringLiteral(" (філія)")));
    EXPECT_FALSE(window->dataModule().ReadClient(client)->FIRMNAME.endsWith(QStringLiteral(" (філія)")));

    // A receipt: no number, no suffix, no advertising tax; stored below every other receipt.
    const int receipt = window->dataModule().NextReceiptNumber();
    whenModal([](QWidget* editor) {
        EXPECT_EQ(editor->windowTitle(), QStringLiteral("Новое поступление"));
        EXPECT_EQ(child<QLabel>(editor, "Label11")->text(), QStringLiteral("Поступление  от "));
        EXPECT_FALSE(child<QSpinBox>(editor, "NoFact1")->isVisibleTo(editor));
        EXPECT_FALSE(child<QCheckBox>(editor, "RTaxCB")->isVisibleTo(editor));
        child<QLineEdit>(editor, "StrPo1")->setText(QStringLiteral("Оплата за фарбу"));
        child<QPushButton>(editor, "BitBtn1")->click();
    });
    w<QAction>("N17")->trigger();
    ASSERT_TRUE(window->dataModule().ReadDocument(receipt).has_value());
    auto* receipts = w<DBGrid>("DBGrid6");
    EXPECT_EQ(receipts->listModel()->keyAt(receipts->currentRow()), receipt);
    EXPECT_TRUE(w<QAction>("N19")->isEnabled());

    // "Очистить" empties the positions and leaves the rest; Cancel stores nothing.
    whenModal([](QWidget* editor) {
        child<QPushButton>(editor, "BitBtn3")->click();
        EXPECT_TRUE(child<QLineEdit>(editor, "StrPo1")->text().isEmpty());
        EXPECT_EQ(child<NumberField>(editor, "SumPo1")->value(), 0.0);
        EXPECT_FALSE(child<QLineEdit>(editor, "NameEd")->text().isEmpty());
        child<QPushButton>(editor, "BitBtn2")->click();
    });
    w<QAction>("N11")->trigger();
    EXPECT_FALSE(window->dataModule().ReadDocument(next + 1).has_value());
}

// Every column of a stored document, as the book holds it.
QVariantList storedColumns(TDM& dm, int number)
{
    Rows q =
        execOrThrow(ConnectionOf(dm), QStringLiteral("SELECT * FROM FACTURES WHERE FACT_NUMBER=?"), {number});
    QVariantList values;
    if (q.next())
        for (int i = 0; i < q.record().count(); ++i)
            values << q.value(i);
    return values;
}

TEST(InvoiceEditor, AnInvoiceStoredUnchangedKeepsEveryColumn)
{
    TestHome home;
    auto dm = home.createAndConnect();
    FillDemoData(*dm, {20, 120, 3});
    ScriptedPrompter prompter;
    DocumentsController documents(*dm, prompter);
    Settings settings;
    // One entered with the price including VAT: gross 100 is 83.333… net, × 3 = 250,00, 300,00 with VAT.
    Rows clients = execOrThrow(ConnectionOf(*dm), QStringLiteral("SELECT ID_NUMBER, FIRMNAME FROM CLIENTS "
                                                                 "WHERE ID_NUMBER>1 ORDER BY ID_NUMBER"));
    ASSERT_TRUE(clients.next());
    documents.lists().RefreshClientDocuments(clients.value(0).toInt(), clients.value(1).toString());
    std::optional<InvoiceDraft> draft =
        documents.openEditor(EditorCommand::NewInvoice, 0, settings, QDate(2026, 12, 7));
    ASSERT_TRUE(draft);
    draft->positions[0] = {QStringLiteral("Фарба"), QString(), QStringLiteral("л."), 3, 100};
    draft->withNds = true;
    const std::optional<int> gross = documents.storeEditor(*draft, false, settings);
    ASSERT_TRUE(gross);

    int edited = 0;
    Rows invoices =
        execOrThrow(ConnectionOf(*dm),
                    QStringLiteral("SELECT f.FACT_NUMBER, f.ID_NUMBER, c.FIRMNAME FROM FACTURES f JOIN "
                                   "CLIENTS c ON c.ID_NUMBER=f.ID_NUMBER WHERE f.FACT_NUMBER>0 "
                                   "ORDER BY f.FACT_NUMBER DESC LIMIT 50"));
    while (invoices.next()) {
        const int number = invoices.value(0).toInt();
        documents.lists().RefreshClientDocuments(invoices.value(1).toInt(), invoices.value(2).toString());
        const QVariantList before = storedColumns(*dm, number);
        const int row = documents.lists().invoices().rowOfKey(number);
        draft = documents.openEditor(EditorCommand::EditInvoice, row, settings, QDate(2026, 12, 7));
        ASSERT_TRUE(draft) << number;
        TNewFactForm editor(*draft, documents, settings, nullptr, &prompter);
        child<QPushButton>(&editor, "BitBtn1")->click();
        EXPECT_EQ(editor.result(), QDialog::Accepted) << prompter.texts().join(u'\n').toStdString();
        EXPECT_EQ(storedColumns(*dm, number), before) << number;
        ++edited;
    }
    EXPECT_EQ(edited, 50);
    const InvoiceRow stored = *dm->ReadDocument(*gross);
    EXPECT_EQ(PrepareInvoicePage(*dm, *gross, OwnerRecord{}, settings, home.path(), &prompter, nullptr)
                  ->element(QStringLiteral("ALLSumma"))
                  ->text,
              QStringLiteral("    300,00"));
    EXPECT_NEAR(stored.positions[0].price, 250.0 / 3, 1e-12);
}

// Esc closes an untouched editor at once; after a change only with the user's Yes. "Отмена" asks nothing.
TEST_F(MainWindowTest, TheEditorLosesNothingTypedWithoutAQuestion)
{
    open();
    const int invoices = scalarInt(QStringLiteral("SELECT count(*) FROM FACTURES"));
    bool stayed = false;
    whenModal([&](QWidget* editor) { QTest::keyClick(editor, Qt::Key_Escape); });
    w<QAction>("N9")->trigger();
    EXPECT_TRUE(prompter.texts().isEmpty());

    whenModal([&](QWidget* editor) {
        child<QLineEdit>(editor, "StrPo1")->setFocus();
        type(child<QLineEdit>(editor, "StrPo1"), QStringLiteral("Фарба"));
        prompter.queueAnswer(false);
        QTest::keyClick(editor, Qt::Key_Escape);
        stayed = editor->isVisible();
        prompter.queueAnswer(true);
        QTest::keyClick(editor, Qt::Key_Escape);
    });
    w<QAction>("N9")->trigger();
    EXPECT_TRUE(stayed);
    EXPECT_EQ(prompter.texts(),
              QStringList(2, "Изменения в документе не записаны. Закрыть окно без записи?"));

    prompter.clear();
    whenModal([&](QWidget* editor) {
        child<QLineEdit>(editor, "StrPo1")->setText(QStringLiteral("Фарба"));
        child<QPushButton>(editor, "BitBtn2")->click();
    });
    w<QAction>("N9")->trigger();
    EXPECT_TRUE(prompter.texts().isEmpty());
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM FACTURES")), invoices);

    // Enter accepts: in the goods picker's box, and anywhere in the editor, a unit's box included.
    QString picked;
    whenModal([&](QWidget* editor) {
        whenModal([](QWidget* picker) {
            auto* box = child<QComboBox>(picker, "ComboBox1");
            box->setEditText(QStringLiteral("Цвяхи"));
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        });
        child<QToolButton>(editor, "SB1")->click();
        picked = child<QLineEdit>(editor, "StrPo1")->text();
        child<NumberField>(editor, "NumPo1")->setValue(2);
        child<NumberField>(editor, "SumPo1")->setValue(5);
        QTest::keyClick(child<QComboBox>(editor, "Meas1")->lineEdit(), Qt::Key_Return);
    });
    w<QAction>("N9")->trigger();
    EXPECT_EQ(picked, QStringLiteral("Цвяхи"));
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM FACTURES")), invoices + 1);
}

TEST_F(MainWindowTest, NumbersAreReadAsTypedOrRefusedWithTheirField)
{
    open();
    w<DBGrid>("DBGrid1")->moveTo(2);
    const int next = window->dataModule().NextFactNumber();
    QStringList said;
    whenModal([&](QWidget* editor) {
        child<QLineEdit>(editor, "StrPo1")->setText(QStringLiteral("Фарба"));
        auto* count = child<NumberField>(editor, "NumPo1");
        auto* price = child<NumberField>(editor, "SumPo1");
        // The count's precision is 0: 1,5 cannot be held, and is said rather than stored as 1.
        count->setFocus();
        count->selectAll();
        type(count, QStringLiteral("1,5"));
        // Nor does a price of three decimals go into the goods list as 0.
        price->setFocus();
        price->selectAll();
        type(price, QStringLiteral("0,125"));
        child<QToolButton>(editor, "SB5")->click();
        price->selectAll();
        type(price, QStringLiteral("12.50"));
        child<QPushButton>(editor, "BitBtn1")->click();
        EXPECT_TRUE(editor->isVisible());
        said = prompter.texts();
        EXPECT_EQ(editor->focusWidget(), count);
        EXPECT_EQ(count->text(), QStringLiteral("1,5")); // No to the offer keeps what was typed
        // Yes raises the setting to fit and stores the figure as typed.
        count->selectAll();
        type(count, QStringLiteral("2,50"));
        prompter.queueAnswer(true);
        child<QPushButton>(editor, "BitBtn1")->click();
    });
    w<QAction>("N9")->trigger();
    ASSERT_EQ(said.size(), 2);
    EXPECT_TRUE(said[0].startsWith(QStringLiteral("Цена в позиции 1: в «0,125» больше знаков после запятой")))
        << said[0].toStdString();
    EXPECT_TRUE(
        said[1].startsWith(QStringLiteral("Количество в позиции 1: в «1,5» больше знаков после запятой")))
        << said[1].toStdString();
    EXPECT_TRUE(said[1].contains(QStringLiteral("точность количества в настройках программы (0)")));
    EXPECT_TRUE(said[0].endsWith(QStringLiteral("\n\nУвеличить точность цены до 3 знаков?")));
    EXPECT_TRUE(said[1].endsWith(QStringLiteral("\n\nУвеличить точность количества до 1 знака?")));
    EXPECT_EQ(prompter.texts().last(),
              QStringLiteral("Количество в позиции 1: в «2,50» больше знаков после запятой, "
                             "чем позволяет точность количества в настройках программы (0). "
                             "Число не округляется: исправьте его или измените точность."
                             "\n\nУвеличить точность количества до 1 знака?"));
    Settings kept;
    ASSERT_TRUE(ReadSettings(kept, home.path()));
    EXPECT_EQ(kept.goods, 1);
    EXPECT_EQ(kept.price, 2);
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM PRODUCTS WHERE PRODUCT_NAME='Фарба'")), 0);
    const InvoiceRow stored = *window->dataModule().ReadDocument(next);
    EXPECT_EQ(stored.positions[0].price, 12.5);
    EXPECT_EQ(stored.positions[0].count, 2.5);
}

TEST_F(MainWindowTest, FindByNumberLooksThroughTheWholeKindAndChoosesItsClient)
{
    open();
    w<DBGrid>("DBGrid1")->moveTo(2);
    emit w<DBGrid>("DBGrid1")->clicked(w<DBGrid>("DBGrid1")->currentIndex());
    const struct {
        int list;
        const char* table;
        const char* number;
        const char* grid;
    } kinds[] = {{0, "FACTURES", "FACT_NUMBER", "DBGrid3"},
                 {2, "NAKLADN2", "NAKL_NUMBER", "DBGrid4"},
                 {3, "ACTS", "ACT_NUMBER", "DBGrid7"}};
    for (const auto& kind : kinds) {
        const int chosen = window->currentClientId();
        const QString other = QStringLiteral(" FROM %1 WHERE %2>0 AND ID_NUMBER<>%3 ORDER BY %2 DESC")
                                  .arg(kind.table, kind.number)
                                  .arg(chosen);
        const int number = scalarInt("SELECT " + QLatin1String(kind.number) + other);
        const int client = scalarInt("SELECT ID_NUMBER" + other);
        ASSERT_GT(number, 0);
        whenModal([&](QWidget* dialog) {
            child<QSpinBox>(dialog, "Numer")->setValue(number);
            child<RadioGroup>(dialog, "FindRG")->setItemIndex(kind.list);
            child<QPushButton>(dialog, "BitBtn1")->click();
        });
        w<QAction>("N4")->trigger();
        EXPECT_EQ(window->currentClientId(), client) << kind.table;
        auto* grid = w<DBGrid>(kind.grid);
        EXPECT_EQ(grid->listModel()->value(grid->currentRow(), kind.number).toInt(), number) << kind.table;
    }
}

TEST_F(MainWindowTest, ThePickerFillsAPositionAndAPositionGoesToTheGoodsList)
{
    open();
    w<DBGrid>("DBGrid1")->moveTo(2);
    prompter.queueAnswer(true); // into the goods list
    whenModal([this](QWidget* editor) {
        child<QLineEdit>(editor, "StrPO2")->setText(QStringLiteral("Лак яхтовий"));
        child<NumberField>(editor, "SumPo2")->setValue(1234567.89);
        child<QToolButton>(editor, "SB6")->click();
        // The picker on the first position: the item just stored, with its whole price.
        whenModal([](QWidget* picker) {
            EXPECT_EQ(picker->windowTitle(), QStringLiteral("Выберите наименование товара из списка :"));
            auto* combo = child<QComboBox>(picker, "ComboBox1");
            combo->setEditText(QStringLiteral("Лак яхтовий   Цена: 1234567.89"));
            child<QPushButton>(picker, "BitBtn1")->click();
        });
        child<QToolButton>(editor, "SB1")->click();
        EXPECT_EQ(child<QLineEdit>(editor, "StrPo1")->text(), QStringLiteral("Лак яхтовий"));
        EXPECT_DOUBLE_EQ(child<NumberField>(editor, "SumPo1")->value(), 1234567.89);
        child<QPushButton>(editor, "BitBtn2")->click();
    });
    w<QAction>("N9")->trigger();
    EXPECT_EQ(prompter.texts(), QStringList{"Занести наименование товара и цену в список товаров?"});
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM PRODUCTS WHERE PRODUCT_NAME='Лак яхтовий'")), 1);
}

TEST_F(MainWindowTest, InvoiceFiltersAndFindingADocument)
{
    open();
    w<QAction>("N7")->trigger(); // every invoice
    auto* invoices = w<DBGrid>("DBGrid3");
    const int all = invoices->model()->rowCount();
    ASSERT_EQ(all, 300);
    EXPECT_FALSE(w<QAction>("N32")->isEnabled());

    // Numbers 10 to 20 (bounds the wrong way round first), then a date range on top; both marks, then both
    // off with N32. The caption says the filter while it holds.
    whenModal([this](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Фильтрация записей по номерам :"));
        child<QSpinBox>(dialog, "MinSE")->setValue(20);
        child<QSpinBox>(dialog, "MaxSE")->setValue(10);
        child<QPushButton>(dialog, "BitBtn1")->click();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(prompter.texts(), QStringList{"Первый номер больше последнего: с 20 по 10."});
        child<QSpinBox>(dialog, "MinSE")->setValue(10);
        child<QSpinBox>(dialog, "MaxSE")->setValue(20);
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<QAction>("N31")->trigger();
    EXPECT_EQ(invoices->model()->rowCount(), 11);
    EXPECT_EQ(FullTitle(w<QGroupBox>("GB2")), QStringLiteral("Список всех счетов-фактур (№ с 10 по 20)"));
    EXPECT_TRUE(w<QAction>("N31")->isChecked());
    EXPECT_TRUE(w<QAction>("N32")->isEnabled());
    const QDate first = window->dataModule().GetFactDate(10);
    whenModal([first](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Задайте период :"));
        EXPECT_EQ(child<QLabel>(dialog, "Label1")->text(), QStringLiteral("Период подготовки счетов :"));
        EXPECT_FALSE(child<QLineEdit>(dialog, "FNE1")->isVisibleTo(dialog));
        child<DateField>(dialog, "DateEdit1")->setDate(first.addDays(1));
        child<DateField>(dialog, "DateEdit2")->setDate(first);
        child<QPushButton>(dialog, "BitBtn1")->click();
        EXPECT_TRUE(dialog->isVisible());
        child<DateField>(dialog, "DateEdit1")->setDate(first);
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<QAction>("N30")->trigger();
    EXPECT_TRUE(
        prompter.texts().last().startsWith(QStringLiteral("Период начинается позже, чем кончается: с ")));
    EXPECT_EQ(FullTitle(w<QGroupBox>("GB2")),
              QStringLiteral("Список всех счетов-фактур (с %1 по %1, № с 10 по 20)")
                  .arg(first.toString(QStringLiteral("dd.MM.yyyy"))));
    EXPECT_TRUE(w<QAction>("N30")->isChecked());
    const int narrowed = invoices->model()->rowCount();
    EXPECT_GE(narrowed, 1);
    EXPECT_LE(narrowed, 11);
    for (int r = 0; r < narrowed; ++r)
        EXPECT_EQ(window->dataModule().GetFactDate(int(invoices->listModel()->keyAt(r))), first);

    prompter.clear();
    // Find looks in the list as filtered: invoice 10 is there, invoice 200 is not.
    whenModal([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Поиск документа :"));
        child<QSpinBox>(dialog, "Numer")->setValue(10);
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<QAction>("N4")->trigger();
    EXPECT_EQ(invoices->listModel()->keyAt(invoices->currentRow()), 10);
    const int stood = invoices->currentRow();
    whenModal([](QWidget* dialog) {
        EXPECT_EQ(child<QSpinBox>(dialog, "Numer")->value(), 10); // the last request again
        child<QSpinBox>(dialog, "Numer")->setValue(200);
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<QAction>("N4")->trigger();
    EXPECT_EQ(invoices->currentRow(), stood);
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_TRUE(
        StatusText(window.get())
            .startsWith(QStringLiteral("Документ № 200 не найден в списке «Список всех счетов-фактур (с ")))
        << StatusText(window.get()).toStdString();

    // Cancel leaves a filter as it was, its mark included.
    whenModal([](QWidget* dialog) { child<QPushButton>(dialog, "BitBtn2")->click(); });
    w<QAction>("N31")->trigger();
    EXPECT_TRUE(w<QAction>("N31")->isChecked());
    EXPECT_EQ(invoices->model()->rowCount(), narrowed);

    w<QAction>("N32")->trigger();
    EXPECT_FALSE(w<QAction>("N30")->isChecked());
    EXPECT_FALSE(w<QAction>("N31")->isChecked());
    EXPECT_FALSE(w<QAction>("N32")->isEnabled());
    EXPECT_EQ(invoices->model()->rowCount(), all);
    EXPECT_EQ(FullTitle(w<QGroupBox>("GB2")), QStringLiteral("Список всех счетов-фактур"));
}

// The Part's example, from the menu: invoice 17/1 of 5 February 2001, one position, 2 pieces at 50.
TEST_F(MainWindowTest, TheInvoiceRegisterFromTheMenuIsTheExampleByteForByte)
{
    open();
    const int client = window->currentClientId();
    execOrThrow(
        ConnectionOf(window->dataModule()),
        QStringLiteral("UPDATE FACTURES SET FACT_DOPNO='/1', FACT_DATA='2001-02-05', NAME_OWNER='ABC', "
                       "ID_NUMBER=?, FACT_NDS=20, NAME_POS1='Goods', MEASURE_POS1='шт.', COUNT_POS1=2, "
                       "PRICE_POS1=50, NAME_POS2=NULL, MEASURE_POS2=NULL, COUNT_POS2=0, PRICE_POS2=0, "
                       "NAME_POS3=NULL, MEASURE_POS3=NULL, COUNT_POS3=0, PRICE_POS3=0, NAME_POS4=NULL, "
                       "MEASURE_POS4=NULL, COUNT_POS4=0, PRICE_POS4=0 WHERE FACT_NUMBER=17"),
        {client});
    whenModal([](QWidget* dialog) {
        child<DateField>(dialog, "DateEdit1")->setDate(QDate(2001, 1, 1));
        child<DateField>(dialog, "DateEdit2")->setDate(QDate(2001, 12, 31));
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<QAction>("N14")->trigger();
    QFile written(home.file(QStringLiteral("FACTURE1.TXT")));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray ruler =
        "+--------+------------+-------------------------+--------------------+-------+------+--------+\r\n";
    const QByteArray expected =
        ruler +
        "|  \xC4\xE0\xF2\xE0  |    \xB9 \xF1/\xF4   |   \xCF\xEB\xE0\xF2\xE5\xEB\xFC\xF9\xE8\xEA            "
        "| \xD2\xEE\xE2\xE0\xF0              | \xD1\xF3\xEC\xEC\xE0 | \xCD\xC4\xD1  |  \xC8\xD2\xCE\xC3\xCE "
        "|\r\n" +
        ruler +
        "|05.02.01|     17/1   |ABC                      |                    | 100.00| 20.00|  120.00|\r\n"
        "|        |            |                         |Goods               | 100.00| 20.00|  120.00|\r\n" +
        ruler +
        "     \xC8\xD2\xCE\xC3\xCE : \xF1\xF3\xEC\xEC\xE0 -     100.00, \xCD\xC4\xD1 -      20.00, "
        "\xF1\xF3\xEC\xEC\xE0 \xF1 \xCD\xC4\xD1 -     120.00.\r\n";
    EXPECT_EQ(written.readAll(), expected);
    EXPECT_EQ(StatusText(window.get()), QStringLiteral("Журнал записан в файл %1: строк 7.")
                                            .arg(QDir::toNativeSeparators(written.fileName())));
}

TEST_F(MainWindowTest, RegistersAskThePeriodAndFileAndLeaveTheListsAlone)
{
    open();
    const int client = window->currentClientId();
    ASSERT_GT(client, 0);
    auto* invoices = w<DBGrid>("DBGrid3");
    // A number filter on the list: the register still covers its own period, and the filter stays.
    whenModal([](QWidget* dialog) {
        child<QSpinBox>(dialog, "MinSE")->setValue(1);
        child<QSpinBox>(dialog, "MaxSE")->setValue(1);
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<QAction>("N31")->trigger();
    const int shown = invoices->model()->rowCount();
    invoices->moveTo(shown - 1);
    const int row = invoices->currentRow();
    const QString file = home.file(QStringLiteral("journal.txt"));
    whenModal([&](QWidget* dialog) {
        EXPECT_EQ(child<QLabel>(dialog, "Label1")->text(),
                  QStringLiteral("За какой период выводить журнал :"));
        auto* name = child<QLineEdit>(dialog, "FNE1");
        EXPECT_TRUE(name->isVisibleTo(dialog));
        EXPECT_EQ(QDir::fromNativeSeparators(name->text()), QDir(home.path()).filePath("FACTURE1.TXT"));
        name->setText(QDir::toNativeSeparators(file));
        child<DateField>(dialog, "DateEdit1")->setDate(QDate(1990, 1, 1));
        child<DateField>(dialog, "DateEdit2")->setDate(QDate(2099, 12, 31));
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<QAction>("N14")->trigger();
    EXPECT_TRUE(prompter.messages().empty()) << prompter.texts().join('\n').toStdString();
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    int documentLines = 0;
    for (const QByteArray& line : written.readAll().split('\n'))
        if (QRegularExpression(QStringLiteral("^\\|\\d\\d\\.\\d\\d\\.\\d\\d\\|"))
                .match(QString::fromLatin1(line))
                .hasMatch())
            ++documentLines;
    EXPECT_EQ(documentLines,
              scalarInt(QStringLiteral("SELECT count(*) FROM FACTURES WHERE FACT_NUMBER>0 AND ID_NUMBER=%1")
                            .arg(client)));
    EXPECT_EQ(invoices->model()->rowCount(), shown);
    EXPECT_EQ(invoices->currentRow(), row);
    EXPECT_TRUE(w<QAction>("N31")->isChecked());
    EXPECT_EQ(window->currentClientId(), client);

    // The next register proposes its own default name; the dates are the ones last entered. Cancel
    // writes nothing.
    whenModal([&](QWidget* dialog) {
        EXPECT_EQ(QDir::fromNativeSeparators(child<QLineEdit>(dialog, "FNE1")->text()),
                  QDir(home.path()).filePath("NAKLADN2.TXT"));
        EXPECT_EQ(child<DateField>(dialog, "DateEdit1")->date(), QDate(1990, 1, 1));
        child<QPushButton>(dialog, "BitBtn2")->click();
    });
    w<QAction>("N28")->trigger();
    EXPECT_FALSE(QFileInfo::exists(home.file(QStringLiteral("NAKLADN2.TXT"))));
    // The spreadsheet's choice renames the file, and back; chosen, the register is a spreadsheet.
    whenModal([&](QWidget* dialog) {
        auto* name = child<QLineEdit>(dialog, "FNE1");
        for (const char* choice : {"FormatSheet", "FormatText", "FormatSheet"}) {
            child<QRadioButton>(dialog, choice)->setChecked(true);
            EXPECT_TRUE(name->text().endsWith(choice[6] == 'S' ? "NAKLADN2.xlsx" : "NAKLADN2.TXT"));
        }
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<QAction>("N28")->trigger();
    EXPECT_TRUE(QFileInfo::exists(home.file(QStringLiteral("NAKLADN2.xlsx"))));

    // A file that cannot be written: the message, and the program goes on.
    whenModal([&](QWidget* dialog) {
        child<QLineEdit>(dialog, "FNE1")->setText(home.file(QStringLiteral("no/such/folder.txt")));
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<QAction>("N27")->trigger();
    EXPECT_EQ(prompter.messages().size(), 1u);
}

TEST_F(MainWindowTest, TheClientListExportDialogMovesFieldsAndAppends)
{
    open();
    w<DBGrid>("DBGrid1")->moveTo(3);
    const int client = window->currentClientId();
    const QString file = home.file(QStringLiteral("list.txt"));
    const auto exportOnce = [&](bool firstShowing) {
        whenModal([&, firstShowing](QWidget* dialog) {
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Сохранение списка клиентов в файле :"));
            auto* left = child<QListWidget>(dialog, "ListBox1");
            auto* right = child<QListWidget>(dialog, "ListBox2");
            auto* save = child<QPushButton>(dialog, "BitBtn1");
            EXPECT_EQ(QDir::fromNativeSeparators(child<QLineEdit>(dialog, "FilenameEdit1")->text()),
                      QDir(home.path()).filePath("clients.txt"));
            // Every showing starts with nothing included; the width set before is kept.
            EXPECT_EQ(left->count(), 19);
            EXPECT_EQ(right->count(), 0);
            EXPECT_FALSE(save->isEnabled());
            EXPECT_FALSE(child<QPushButton>(dialog, "Button3")->isEnabled());
            child<QPushButton>(dialog, "Button2")->click(); // nothing selected: nothing moves
            EXPECT_EQ(right->count(), 0);
            left->setCurrentRow(4); // "Город"
            child<QPushButton>(dialog, "Button2")->click();
            ASSERT_EQ(right->count(), 1);
            EXPECT_EQ(right->item(0)->text(), firstShowing ? QStringLiteral("Город (ширина 16)")
                                                           : QStringLiteral("Город (ширина 6)"));
            EXPECT_TRUE(save->isEnabled());
            right->setCurrentRow(0);
            auto* width = child<QSpinBox>(dialog, "LenSE");
            EXPECT_EQ(width->value(), firstShowing ? 16 : 6);
            EXPECT_EQ(width->maximum(), 255);
            width->setValue(6);
            child<QPushButton>(dialog, "BitBtn3")->click();
            EXPECT_EQ(right->item(0)->text(), QStringLiteral("Город (ширина 6)"));
            child<QLineEdit>(dialog, "FilenameEdit1")->setText(QDir::toNativeSeparators(file));
            save->click();
            EXPECT_TRUE(dialog->isVisible());               // stays open after saving
            child<QPushButton>(dialog, "Button1")->click(); // ">>"
            EXPECT_EQ(left->count(), 0);
            EXPECT_EQ(right->count(), 19);
            EXPECT_FALSE(child<QPushButton>(dialog, "Button2")->isEnabled());
            child<QPushButton>(dialog, "BitBtn2")->click();
        });
        w<QAction>("N33")->trigger();
    };
    exportOnce(true);
    exportOnce(false);
    EXPECT_TRUE(prompter.messages().empty());
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    const QByteArray table = "+------+\r\n|\xc3\xee\xf0\xee\xe4 |\r\n+------+\r\n";
    EXPECT_TRUE(bytes.startsWith(table));
    EXPECT_EQ(bytes.count(table), 2);
    EXPECT_EQ(bytes.count("\r\n"), 2 * (3 + 30 + 2));
    EXPECT_EQ(window->currentClientId(), client); // the list stays where it was
    EXPECT_EQ(StatusText(window.get()),
              QStringLiteral("Список клиентов дописан в файл %1.").arg(QDir::toNativeSeparators(file)));
}

TEST_F(MainWindowTest, BackupClearingAndRestoreBringTheWindowBack)
{
    open();
    w<QTabWidget>("PC1")->setCurrentIndex(2);
    const QString owner = w<QLineEdit>("Edit1")->text();
    w<DBGrid>("DBGrid1")->moveTo(5);

    w<QPushButton>("BitBtn6")->click();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages().front().kind, ScriptedPrompter::Kind::Inform);
    EXPECT_EQ(prompter.texts().first(),
              QStringLiteral("Резервная копия базы данных сделана в папке %1. Скопировано файлов: 1.")
                  .arg(QDir::toNativeSeparators(QDir(home.dataFolder()).filePath("BackUp"))));
    EXPECT_FALSE(w<QLabel>("Panel13")->isVisible());
    EXPECT_TRUE(StatusText(window.get()).startsWith(QStringLiteral("Резервная копия сделана в папке ")))
        << StatusText(window.get()).toStdString();
    EXPECT_EQ(currentRow(), 5); // the chosen client stays chosen, the lists with it
    const int chosen = window->currentClientId();
    EXPECT_EQ(
        scalarInt(
            QStringLiteral("SELECT count(*) FROM FACTURES WHERE FACT_NUMBER>0 AND ID_NUMBER=%1").arg(chosen)),
        w<DBGrid>("DBGrid3")->model()->rowCount());
    EXPECT_EQ(w<QLineEdit>("Edit1")->text(), owner);
    const int invoices = w<DBGrid>("DBGrid3")->model()->rowCount();
    ASSERT_GT(invoices, 0);

    // No changes nothing. The question names the book and what would go.
    prompter.queueAnswer(false);
    w<QPushButton>("BitBtn7")->click();
    const DocumentCounts counts = window->dataModule().CountDocuments();
    EXPECT_EQ(
        prompter.texts().last(),
        QStringLiteral("Очистить базу документов?\nБаза данных: %1.\nБудут удалены счета-фактуры (%2), "
                       "поступления (%3), расходные накладные (%4), налоговые накладные (%5), акты (%6), "
                       "оплаты (0). Клиенты и товары останутся.")
            .arg(window->dataModule().isPostgres()
                     ? window->dataModule().book()
                     : QDir::toNativeSeparators(TDM::databaseFile(home.dataFolder())))
            .arg(counts.invoices)
            .arg(counts.receipts)
            .arg(counts.expenseWaybills)
            .arg(counts.taxWaybills)
            .arg(counts.acts));
    EXPECT_EQ(counts.invoices, 300);
    EXPECT_GT(counts.acts, 0);
    EXPECT_EQ(w<DBGrid>("DBGrid3")->model()->rowCount(), invoices);

    // Yes, with a backup first: the backup, then the clearing.
    const int clients = scalarInt(QStringLiteral("SELECT count(*) FROM CLIENTS"));
    prompter.clear();
    prompter.queueAnswer(true);
    prompter.queueAnswer(true);
    w<QPushButton>("BitBtn7")->click();
    ASSERT_EQ(prompter.texts().size(), 3);
    EXPECT_EQ(prompter.texts()[1], QStringLiteral("Сделать перед очисткой резервную копию базы?"));
    EXPECT_TRUE(prompter.texts()[2].startsWith(QStringLiteral("Резервная копия базы данных сделана")));
    EXPECT_FALSE(w<QLabel>("Panel13")->isVisible());
    for (const char* grid : {"DBGrid3", "DBGrid6", "DBGrid5", "DBGrid4", "DBGrid7"})
        EXPECT_EQ(w<DBGrid>(grid)->model()->rowCount(), 0) << grid;
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM CLIENTS")), clients);
    EXPECT_EQ(window->currentClientId(), chosen);
    EXPECT_EQ(w<QLineEdit>("Edit1")->text(), owner);
    EXPECT_EQ(window->dataModule().NextFactNumber(), 1);
    EXPECT_EQ(prompter.messages().size(), 3u);
    EXPECT_EQ(window->dataModule().CountDocuments().invoices, 0);
    EXPECT_EQ(StatusText(window.get()),
              QStringLiteral("База документов очищена: удалено счетов-фактур 300, поступлений %1, расходных "
                             "накладных %2, налоговых накладных %3, актов %4, оплат 0.")
                  .arg(counts.receipts)
                  .arg(counts.expenseWaybills)
                  .arg(counts.taxWaybills)
                  .arg(counts.acts));

    // The copy made above puts the documents back; the dialog offers it first.
    whenModal([](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->objectName(), QStringLiteral("RestoreCopyDialog"));
        static_cast<QDialog*>(files)->accept();
    });
    prompter.queueAnswer(true);
    w<QPushButton>("RestoreButton")->click();
    ASSERT_EQ(prompter.messages().size(), 5u);
    EXPECT_TRUE(prompter.texts()[3].startsWith(QStringLiteral("Восстановить базу данных из копии ")));
    EXPECT_TRUE(prompter.texts()[4].startsWith(QStringLiteral("База данных восстановлена из копии ")))
        << prompter.texts()[4].toStdString();
    EXPECT_EQ(window->dataModule().CountDocuments().invoices, 300);
    EXPECT_FALSE(w<QLabel>("Panel13")->isVisible());
    EXPECT_EQ(w<DBGrid>("DBGrid3")->model()->rowCount(), invoices);
    EXPECT_EQ(w<QLineEdit>("Edit1")->text(), owner);
}

// Every text of the translation is there, finished, and keeps the placeholders, accelerators and the
// blanks at its ends that the program's layout relies on; it reads as Ukrainian.
TEST(Translation, EveryTextHasAFinishedUkrainianTranslation)
{
    QFile file(QStringLiteral(DOCMAR_SOURCE_DIR "/translations/docmar_uk.ts"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    int messages = 0;
    QString source;
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    const auto placeholders = [](const QString& text) {
        QStringList found;
        for (auto it = placeholder.globalMatch(text); it.hasNext();)
            found << it.next().captured();
        found.sort();
        return found;
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString translation = xml.readElementText();
            ++messages;
            SCOPED_TRACE(source.toStdString());
            EXPECT_TRUE(type.isEmpty()) << type.toStdString();
            EXPECT_FALSE(translation.isEmpty());
            EXPECT_EQ(placeholders(translation), placeholders(source));
            EXPECT_EQ(translation.count(u'&'), source.count(u'&'));
            EXPECT_EQ(translation.startsWith(u' '), source.startsWith(u' '));
            EXPECT_EQ(translation.endsWith(u' '), source.endsWith(u' '));
            // Ukrainian as a bookkeeper writes it: no blank before "!", ":" or ")", one term for a thing, no
            // calques, no Russian unit.
            static const QRegularExpression blankBefore(QStringLiteral("\\S +[!:)]"));
            EXPECT_FALSE(blankBefore.match(translation).hasMatch()) << translation.toStdString();
            for (const char* avoided : {"каталог", "за замовчуванням", "на основі", "Ви бажаєте", "вихідн",
                                        "податковий номер", "податк. код", "свід. ", "реєстр."})
                EXPECT_FALSE(translation.contains(QString::fromUtf8(avoided))) << translation.toStdString();
            EXPECT_NE(translation, QStringLiteral("ед."));
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(messages, 500);
}

TEST_F(MainWindowTest, TheInterfaceSwitchesToUkrainianAndBackAtOnce)
{
    open();
    const auto chooseLanguage = [this](int index) {
        whenModal([index](QWidget* dialog) {
            child<QComboBox>(dialog, "LanguageCB")->setCurrentIndex(index);
            child<QPushButton>(dialog, "BitBtn1")->click();
        });
        w<QAction>("N6")->trigger();
        // The windows hear of the change through the event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    };
    OwnerRecord owner;
    window->dataModule().ReadOwnerRow(owner);
    const Settings settings = defaultSettings(home.path());
    const auto invoicePage = [&] {
        const std::optional<Page> page =
            PrepareInvoicePage(window->dataModule(), 1, owner, settings, home.path(), nullptr, nullptr);
        return page ? page->toJson() : QJsonObject();
    };
    const QJsonObject russianPage = invoicePage();
    ASSERT_FALSE(russianPage.isEmpty());
    EXPECT_EQ(w<QTabWidget>("PC1")->tabText(0), QStringLiteral("Документы"));

    chooseLanguage(1);
    EXPECT_EQ(w<QTabWidget>("PC1")->tabText(0), QStringLiteral("Документи"));
    EXPECT_EQ(w<QAction>("N9")->text(), QStringLiteral("Підготувати &новий рахунок-фактуру"));
    EXPECT_EQ(w<QAction>("N14")->text(), QStringLiteral("Підготувати &журнал рахунків-фактур"));
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("ДОКУМАР (v.1.3). База даних: ")));
    EXPECT_TRUE(FullTitle(w<QGroupBox>("GB2")).startsWith(QStringLiteral("Рахунки-фактури клієнта ")));
    EXPECT_EQ(w<DBGrid>("DBGrid1")->model()->headerData(1, Qt::Horizontal).toString(),
              QStringLiteral("Назва клієнта"));
    EXPECT_EQ(QString(w<QPushButton>("BitBtn6")->text()).remove(u'&'),
              QStringLiteral("Зробити резервну копію бази"));
    EXPECT_EQ(child<QToolButton>(w<DBNavigator>("DBNavigator3"), "first")->toolTip(),
              QStringLiteral("перший запис"));
    prompter.queueAnswer(false);
    w<QPushButton>("BitBtn7")->click();
    EXPECT_TRUE(
        prompter.texts().last().startsWith(QStringLiteral("Очистити базу документів?\nБаза даних: ")));
    // Ukrainian words are often longer: every label still stands whole, every dialog fits.
    expectWholeLabelsAndFittingDialogs(QSize(960, 500));
    // Documents are data: the blank is the same in either language.
    EXPECT_EQ(invoicePage(), russianPage);
    QFile ini(settingsFilePath(home.path()));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("[INTERFACE]\r\nLANGUAGE=uk"));

    chooseLanguage(0);
    EXPECT_EQ(w<QTabWidget>("PC1")->tabText(0), QStringLiteral("Документы"));
    EXPECT_EQ(w<QAction>("N9")->text(), QStringLiteral("&Подготовить новую счет-фактуру"));
    EXPECT_EQ(w<DBGrid>("DBGrid1")->model()->headerData(1, Qt::Horizontal).toString(),
              QStringLiteral("Название клиента"));
    EXPECT_TRUE(FullTitle(w<QGroupBox>("GB2")).startsWith(QStringLiteral("Счета-фактуры клиента ")));
    // One name for the registry code in each language, and no column title ends in a colon.
    for (int language : {1, 0}) {
        chooseLanguage(language);
        QStringList titles;
        for (DBGrid* grid : window->findChildren<DBGrid*>())
            for (int c = 0; c < grid->model()->columnCount(); ++c)
                titles << grid->model()->headerData(c, Qt::Horizontal).toString().trimmed();
        EXPECT_TRUE(titles.contains(language ? "Код ЄДРПОУ" : "Код ЕДРПОУ"));
        for (const QString& title : titles)
            EXPECT_FALSE(title.endsWith(u':') || title.contains("ОКПО")) << title.toStdString();
    }
}

TEST_F(MainWindowTest, TheGoodsListAsksBeforeItDeletes)
{
    open();
    const int goods = scalarInt(QStringLiteral("SELECT count(*) FROM PRODUCTS"));
    ASSERT_GT(goods, 0);
    whenModal([this, goods](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Редактирование списка товаров"));
        auto* grid = child<DBGrid>(dialog, "DBGrid9");
        EXPECT_EQ(grid->model()->rowCount(), goods);
        EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Наименование"));
        EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Цена товара"));
        auto* navigator = child<DBNavigator>(dialog, "DBNavigator1");
        QStringList hints;
        for (const char* name :
             {"first", "prior", "next", "last", "insert", "delete", "edit", "post", "cancel", "refresh"}) {
            EXPECT_TRUE(navigator->button(QLatin1String(name))->isVisibleTo(dialog)) << name;
            hints << navigator->button(QLatin1String(name))->toolTip();
        }
        EXPECT_EQ(hints,
                  (QStringList{"первая запись", "предыдущая запись", "последующая запись", "последняя запись",
                               "вставить запись", "удалить запись", "редактировать запись",
                               "сохранить изменения", "отменить изменения", "обновить содержимое"}));
        grid->moveTo(2);
        navigator->button(QStringLiteral("delete"))->click(); // No
        EXPECT_EQ(grid->model()->rowCount(), goods);
        EXPECT_EQ(grid->currentRow(), 2);
        prompter.queueAnswer(true);
        navigator->button(QStringLiteral("delete"))->click();
        EXPECT_EQ(grid->model()->rowCount(), goods - 1);
        QTest::mouseClick(child<QPushButton>(dialog, "CloseButton"),
                          Qt::LeftButton); // no window manager needed
    });
    w<QAction>("N5")->trigger();
    EXPECT_EQ(prompter.texts().size(), 2);
    EXPECT_TRUE(prompter.texts().front().startsWith("Удалить товар «"))
        << prompter.texts().front().toStdString();
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM PRODUCTS")), goods - 1);
}

TEST_F(MainWindowTest, AnInsertGivenUpInTheGoodsListLeavesNoRow)
{
    open();
    const int goods = scalarInt(QStringLiteral("SELECT count(*) FROM PRODUCTS"));
    whenModal([&](QWidget* dialog) {
        auto* grid = child<DBGrid>(dialog, "DBGrid9");
        auto* insert = child<DBNavigator>(dialog, "DBNavigator1")->button(QStringLiteral("insert"));
        // Esc in the new row's cell.
        insert->click();
        EXPECT_EQ(grid->model()->rowCount(), goods + 1);
        ASSERT_TRUE(grid->isEditing());
        auto* cellEditor = grid->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(cellEditor, nullptr);
        QTest::keyClick(cellEditor, Qt::Key_Escape);
        QApplication::processEvents();
        EXPECT_EQ(grid->model()->rowCount(), goods);
        EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM PRODUCTS")), goods);
        // Moving to another row.
        insert->click();
        grid->post();
        grid->moveTo(grid->currentRow() == 0 ? 1 : 0); // a price of 0 stands first in the price order
        QApplication::processEvents();
        EXPECT_EQ(grid->model()->rowCount(), goods);
        // A row given a name stays; one left empty goes when the window closes.
        insert->click();
        grid->cancel();
        const int named = grid->currentRow();
        grid->model()->setData(grid->model()->index(named, 0), QStringLiteral("Шпаклівка"));
        insert->click();
        dialog->close();
    });
    w<QAction>("N5")->trigger();
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM PRODUCTS")), goods + 1);
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM PRODUCTS WHERE PRODUCT_NAME='Шпаклівка'")), 1);
}

TEST_F(MainWindowTest, WaybillsAreIssuedForPickedInvoicesAndForAReceipt)
{
    open();
    auto* invoices = w<DBGrid>("DBGrid3");
    ASSERT_GE(invoices->model()->rowCount(), 2);
    const int client = window->currentClientId();
    const int first = int(invoices->listModel()->keyAt(0));
    const int second = int(invoices->listModel()->keyAt(1));
    // Double clicks pick the invoices, the second one twice.
    for (int row : {0, 1, 1}) {
        invoices->moveTo(row);
        emit invoices->doubleClicked(invoices->currentIndex());
    }
    const int next = window->dataModule().NextNakl1Number();
    // The lists are read again on the open connection after OK: what lives only in it stays.
    execOrThrow(ConnectionOf(window->dataModule()), QStringLiteral("CREATE TEMP TABLE still_open (x)"));
    whenModal([&](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), QStringLiteral("TNewN1Form"));
        EXPECT_EQ(dialog->windowTitle(),
                  QStringLiteral(" Заполните необходимые параметры расходной накладной"));
        EXPECT_EQ(child<QLineEdit>(dialog, "NFact1Ed")->text(), QString::number(first));
        EXPECT_EQ(child<QLineEdit>(dialog, "NFact2Ed")->text(), QString::number(second));
        EXPECT_TRUE(child<QLineEdit>(dialog, "NFact3Ed")->text().isEmpty());
        EXPECT_EQ(child<QSpinBox>(dialog, "NoNak")->value(), next);
        EXPECT_EQ(child<QLineEdit>(dialog, "NoDov")->text(), QStringLiteral("0"));
        child<QLineEdit>(dialog, "NameEd")->setText(QStringLiteral("Коваль П.П."));
        child<QLineEdit>(dialog, "NoDov")->setText(QStringLiteral("1a")); // refused: the dialog stays
        child<QPushButton>(dialog, "BitBtn1")->click();
        EXPECT_TRUE(dialog->isVisible());
        child<QLineEdit>(dialog, "NoDov")->setText(QStringLiteral("345"));
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<QAction>("N15")->trigger();
    EXPECT_EQ(prompter.texts(), QStringList{"Неправильные данные !"});
    EXPECT_EQ(
        scalarInt(QStringLiteral("SELECT count(*) FROM NAKLADN1 WHERE NAKL_NUMBER=%1 AND FACT1_NUMBER=%2 AND "
                                 "FACT2_NUMBER=%3 AND FACT3_NUMBER=0 AND DOV_NUMBER=345 AND ID_NUMBER=%4")
                      .arg(next)
                      .arg(first)
                      .arg(second)
                      .arg(client)),
        1);
    auto* expense = w<DBGrid>("DBGrid5");
    EXPECT_EQ(expense->listModel()->value(expense->currentRow(), QStringLiteral("NAKL_NUMBER")).toInt(),
              next);
    EXPECT_TRUE(w<QLineEdit>("Edit5")->text().isEmpty()); // the lists were read again
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM still_open")), 0);

    // A tax waybill for a receipt: the receipt's date as the payment ground.
    auto* receipts = w<DBGrid>("DBGrid6");
    if (receipts->model()->rowCount() == 0) {
        execOrThrow(
            ConnectionOf(window->dataModule()),
            QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, FACT_DATA, ID_NUMBER, FACT_NDS) VALUES "
                           "(-900, '2026-11-30', %1, 20)")
                .arg(client));
        window->ReconnectAndRefresh();
    }
    receipts->moveTo(receipts->model()->rowCount() - 1);
    const int receipt = int(receipts->listModel()->keyAt(receipts->currentRow()));
    const QString date = window->dataModule().GetFactDate(receipt).toString(QStringLiteral("dd.MM.yyyy"));
    prompter.clear();
    whenModal([&](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), QStringLiteral("TNewN2PForm"));
        EXPECT_EQ(child<QLineEdit>(dialog, "ReasonEd")->text(), QStringLiteral("проплата от ") + date);
        EXPECT_EQ(child<QLineEdit>(dialog, "OplataEdit")->text(), QStringLiteral("оплата з розр./ рах. "));
        EXPECT_EQ(child<QLineEdit>(dialog, "Edit1")->text(), firmAt(currentRow()));
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<QAction>("N22")->trigger();
    EXPECT_TRUE(prompter.messages().empty()) << prompter.texts().join(u'|').toStdString();
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM NAKLADN2 WHERE FACT1_NUMBER=%1").arg(receipt)),
              1);
}

TEST_F(MainWindowTest, StartsOnTheFirstClientWithItsDocuments)
{
    open();
    EXPECT_TRUE(prompter.messages().empty()) << prompter.texts().join(u'|').toStdString();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ДОКУМАР (v.1.3). База данных : ") +
                                         QDir::toNativeSeparators(home.dataFolder()));
    auto* pc1 = w<QTabWidget>("PC1");
    ASSERT_EQ(pc1->count(), 3);
    EXPECT_EQ(pc1->tabText(0), QStringLiteral("Документы"));
    EXPECT_EQ(pc1->tabText(1), QStringLiteral("Клиенты"));
    EXPECT_EQ(pc1->tabText(2), QStringLiteral("Владелец"));
    EXPECT_EQ(pc1->tabPosition(), QTabWidget::South);
    EXPECT_EQ(pc1->currentIndex(), 0);

    EXPECT_EQ(currentRow(), 0);
    const int first = window->clientRegister().idAt(0);
    EXPECT_EQ(window->currentClientId(), first);
    EXPECT_EQ(FullTitle(w<QGroupBox>("GB2")), QStringLiteral("Счета-фактуры клиента ") + firmAt(0));
    EXPECT_EQ(FullTitle(w<QGroupBox>("GB5")), QStringLiteral("Поступления клиента ") + firmAt(0));
    auto* invoices = w<DBGrid>("DBGrid3");
    ASSERT_GT(invoices->model()->rowCount(), 0);
    EXPECT_EQ(invoices->currentRow(), invoices->model()->rowCount() - 1); // stands on the last invoice
    EXPECT_EQ(w<QLineEdit>("Edit1")->text(), window->ownerRecord().FIRMNAME);
}

// Every command of the window is reachable from a menu, every menu item is a command, and what the
// command line does alike is a command it knows.
TEST_F(MainWindowTest, EveryCommandIsReachable)
{
    open();
    QSet<QAction*> reachable;
    const std::function<void(const QList<QAction*>&)> walk = [&](const QList<QAction*>& items) {
        for (QAction* a : items) {
            if (a->menu())
                walk(a->menu()->actions());
            else if (!a->isSeparator())
                reachable.insert(a);
        }
    };
    walk(w<QMenuBar>("MainMenu1")->actions());
    for (int m = 1; m <= WindowCommands::kPopupMenus; ++m)
        walk(window->popupMenu(m)->actions());
    const QStringList usage = runDocmar({"--help"}).out.split(u'\n');
    QSet<QAction*> commands;
    for (const WindowCommands::Command& c : WindowCommands::all()) {
        if (!c.item)
            continue;
        QAction* item = WindowCommands::itemOf(*window, c);
        commands.insert(item);
        EXPECT_TRUE(reachable.contains(item)) << item->objectName().toStdString();
        if (!c.commandLine)
            continue;
        const QStringList words = QString::fromLatin1(c.commandLine).split(u' ');
        const QString start = QStringLiteral(" %1 ").arg(words[0]);
        EXPECT_TRUE(std::any_of(usage.begin(), usage.end(), [&](const QString& l) {
            return (l.contains(start) || l.endsWith(u' ' + words[0])) && l.contains(words.back());
        })) << c.commandLine;
    }
    EXPECT_EQ(reachable, commands);

    // Every item of every menu has its own access letter.
    std::vector<QList<QAction*>> menus = {w<QMenuBar>("MainMenu1")->actions(), w<QMenu>("N1")->actions()};
    for (int m = 1; m <= 5; ++m)
        menus.push_back(window->popupMenu(m)->actions());
    for (const QList<QAction*>& items : menus) {
        QSet<QChar> letters;
        for (QAction* a : items) {
            if (a->isSeparator())
                continue;
            const qsizetype amp = a->text().indexOf(u'&');
            ASSERT_GE(amp, 0) << a->objectName().toStdString();
            const QChar letter = a->text().at(amp + 1).toLower();
            EXPECT_FALSE(letters.contains(letter)) << a->objectName().toStdString();
            letters.insert(letter);
        }
    }
    EXPECT_FALSE(w<QAction>("N32")->isEnabled());
    EXPECT_FALSE(w<QAction>("N36")->isEnabled());
    EXPECT_TRUE(w<QAction>("N9")->isEnabled());

    // The Menu key and Shift+F10 open the list's menu at its current row.
    auto* grid = w<DBGrid>("DBGrid3");
    grid->moveTo(2);
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_Menu), Qt::ShiftModifier | Qt::Key_F10}) {
        QTest::keyClick(grid, key.key(), key.keyboardModifiers());
        QMenu* menu = window->popupMenu(1);
        EXPECT_TRUE(menu->isVisible());
        const QRect row = grid->visualRect(grid->currentIndex());
        EXPECT_TRUE(QRect(grid->viewport()->mapToGlobal(row.topLeft()), row.size()).contains(menu->pos()));
        menu->close();
    }
}

// Every button of the window and of each of its dialogs has an access letter of its own, in either language.
TEST_F(MainWindowTest, EveryButtonHasItsOwnAccessLetter)
{
    open();
    // Buttons on two tabs are never seen at once: their letters differ within a tab and from those outside.
    const auto expectLetters = [](QWidget* window) {
        std::map<QWidget*, QSet<QChar>> letters;
        for (QPushButton* b : window->findChildren<QPushButton*>()) {
            const QString text = b->text();
            if (b->window() != window ||
                std::none_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }))
                continue;
            const qsizetype amp = text.indexOf(u'&');
            ASSERT_GE(amp, 0) << window->objectName().toStdString() << " " << text.toStdString();
            const QChar letter = text.at(amp + 1).toLower();
            QWidget* page = nullptr;
            for (QWidget* p = b; p && p != window; p = p->parentWidget())
                if (qobject_cast<QStackedWidget*>(p->parentWidget()))
                    page = p;
            EXPECT_FALSE(letters[page].contains(letter) || letters[nullptr].contains(letter))
                << window->objectName().toStdString() << " " << text.toStdString();
            letters[page].insert(letter);
        }
    };
    for (int language : {0, 1}) {
        if (language == 1) {
            whenModal([](QWidget* dialog) {
                child<QComboBox>(dialog, "LanguageCB")->setCurrentIndex(1);
                child<QPushButton>(dialog, "BitBtn1")->click();
            });
            w<QAction>("N6")->trigger();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        }
        expectLetters(window.get());
        for (const char* item :
             {"N6", "N8", "N3", "N37", "N33", "N30", "N31", "N4", "N9", "N5", "N15", "N16"}) {
            bool seen = false;
            whenModal([&](QWidget* dialog) {
                seen = true;
                expectLetters(dialog);
                dialog->close();
            });
            w<QAction>(item)->trigger();
            EXPECT_TRUE(seen) << item;
        }
    }
}

TEST_F(MainWindowTest, TheAboutBoxNamesTheVersionAndNothingMadeUp)
{
    open();
    QStringList shown;
    whenModal([&shown](QWidget* about) {
        for (QLabel* label : about->findChildren<QLabel*>())
            if (label->isVisible())
                shown << label->text();
        about->close();
    });
    w<QAction>("N8")->trigger();
    EXPECT_TRUE(shown.contains(QStringLiteral("ДОКУМАР, версия %1").arg(QLatin1String(kDocMarVersion))));
    EXPECT_TRUE(shown.filter(QStringLiteral("@")).isEmpty()) << shown.join(u'|').toStdString();
    EXPECT_FALSE(shown.filter(QRegularExpression(QStringLiteral("^Qt \\d+\\.\\d+.*, SQLite \\d"))).isEmpty())
        << shown.join(u'|').toStdString();
}

TEST_F(MainWindowTest, ClientsAreAddedEditedCancelledAndDeleted)
{
    open();
    w<QTabWidget>("PC1")->setCurrentIndex(1);
    const int newId = scalarInt(QStringLiteral("SELECT max(ID_NUMBER)+1 FROM CLIENTS"));
    QTest::mouseClick(w<QPushButton>("BitBtn4"), Qt::LeftButton);
    EXPECT_TRUE(w<QLineEdit>("DBEdit13")->text().isEmpty());
    type(w<QLineEdit>("DBEdit13"), QStringLiteral("ТОВ \"Нова Пошта-Сервіс\""));
    type(w<QLineEdit>("DBEdit26"), QStringLiteral("Полтава"));
    type(w<QLineEdit>("DBEdit25"), QStringLiteral("123456789012")); // longer than the column
    QTest::mouseClick(w<QPushButton>("BitBtn2"), Qt::LeftButton);
    EXPECT_EQ(scalar(ConnectionOf(window->dataModule()),
                     QStringLiteral("SELECT FIRMNAME FROM CLIENTS WHERE ID_NUMBER=?"), {newId})
                  .toString(),
              QStringLiteral("ТОВ \"Нова Пошта-Сервіс\""));
    EXPECT_EQ(window->clientRegister().idAt(currentRow()), newId);
    EXPECT_EQ(w<QLineEdit>("DBEdit25")->text(), QStringLiteral("12345678"));

    // "Добавить" and then going elsewhere without typing stores no empty client.
    const int clients = scalarInt(QStringLiteral("SELECT count(*) FROM CLIENTS"));
    QTest::mouseClick(w<QPushButton>("BitBtn4"), Qt::LeftButton);
    w<QTabWidget>("PC1")->setCurrentIndex(0);
    w<QTabWidget>("PC1")->setCurrentIndex(1);
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM CLIENTS")), clients);
    w<DBGrid>("DBGrid2")->moveTo(window->clientRegister().rowOfId(newId));

    // Typing and cancelling brings the stored values back.
    type(w<QLineEdit>("DBEdit14"), QStringLiteral("Петренко"));
    QTest::mouseClick(w<QPushButton>("BitBtn3"), Qt::LeftButton);
    EXPECT_TRUE(w<QLineEdit>("DBEdit14")->text().isEmpty());

    // Unsaved typing makes "Добавить" ask first; No keeps the typing.
    type(w<QLineEdit>("DBEdit14"), QStringLiteral("Петренко"));
    QTest::mouseClick(w<QPushButton>("BitBtn4"), Qt::LeftButton);
    ASSERT_FALSE(prompter.messages().empty());
    EXPECT_TRUE(
        prompter.messages().back().text.startsWith(QStringLiteral("У Вас есть несохраненные изменения!")));
    EXPECT_EQ(w<QLineEdit>("DBEdit14")->text(), QStringLiteral("Петренко"));
    QTest::mouseClick(w<QPushButton>("BitBtn3"), Qt::LeftButton);

    // Delete: No keeps the client, Yes removes it with its documents.
    execOrThrow(ConnectionOf(window->dataModule()),
                QStringLiteral("INSERT INTO FACTURES (FACT_NUMBER, ID_NUMBER) VALUES (9999, ?)"), {newId});
    execOrThrow(ConnectionOf(window->dataModule()),
                QStringLiteral("INSERT INTO ACTS (ACT_NUMBER, ID_NUMBER) VALUES (9999, ?)"), {newId});
    QTest::mouseClick(w<QPushButton>("BitBtn5"), Qt::LeftButton);
    EXPECT_EQ(
        prompter.messages().back().text,
        "Вы желаете удалить клиента «ТОВ \"Нова Пошта-Сервіс\"»? (из базы будут удалены его счета-фактуры "
        "(1), поступления (0), расходные накладные (0), налоговые накладные (0) и акты (1))");
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM CLIENTS WHERE ID_NUMBER=%1").arg(newId)), 1);
    prompter.queueAnswer(true);
    QTest::mouseClick(w<QPushButton>("BitBtn5"), Qt::LeftButton);
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM CLIENTS WHERE ID_NUMBER=%1").arg(newId)), 0);
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM FACTURES WHERE FACT_NUMBER=9999")), 0);
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM ACTS WHERE ACT_NUMBER=9999")), 0);
    EXPECT_EQ(window->clientRegister().model().rowCount(), 30);
}

TEST_F(MainWindowTest, MovingToAnotherClientStoresWhatWasTyped)
{
    open();
    w<QTabWidget>("PC1")->setCurrentIndex(1);
    const int id = window->clientRegister().idAt(0);
    const ClientRow other = window->clientRegister().clientAt(3);
    type(w<QLineEdit>("DBEdit16"), QStringLiteral(" доб. 5"));
    w<DBGrid>("DBGrid2")->moveTo(3);
    EXPECT_EQ(window->clientRegister().clientAt(window->clientRegister().rowOfId(other.ID_NUMBER)), other);
    EXPECT_TRUE(scalar(ConnectionOf(window->dataModule()),
                       QStringLiteral("SELECT TELFAX FROM CLIENTS WHERE ID_NUMBER=?"), {id})
                    .toString()
                    .endsWith(QStringLiteral(" доб. 5")));
    EXPECT_EQ(w<QLineEdit>("DBEdit13")->text(), firmAt(3));

    // Leaving the tab, sorting or filtering reopens the register: what was typed is stored first.
    const int current = window->clientRegister().idAt(currentRow());
    type(w<QLineEdit>("DBEdit29"), QStringLiteral("ська"));
    w<QTabWidget>("PC1")->setCurrentIndex(0);
    w<QTabWidget>("PC1")->setCurrentIndex(1);
    EXPECT_TRUE(scalar(ConnectionOf(window->dataModule()),
                       QStringLiteral("SELECT REGION FROM CLIENTS WHERE ID_NUMBER=?"), {current})
                    .toString()
                    .endsWith(QStringLiteral("ська")));
}

TEST_F(MainWindowTest, FindWrapsAroundAndEscStopsIt)
{
    open();
    w<DBGrid>("DBGrid1")->moveTo(3);
    const int chosen = window->currentClientId();
    window->FindClient(0, QStringLiteral("no such firm anywhere"), false);
    EXPECT_EQ(currentRow(), 3); // nothing found, No: the chosen client stays chosen
    EXPECT_EQ(window->currentClientId(), chosen);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].kind, ScriptedPrompter::Kind::Ask);
    EXPECT_EQ(prompter.messages()[0].text, QStringLiteral("Не найдено ни одной записи по условию поиска.\r\n"
                                                          "           Начать сначала ?"));
    EXPECT_FALSE(window->isSearchActive());

    const QString target = firmAt(20);
    w<DBGrid>("DBGrid1")->moveTo(25);
    prompter.clear();
    prompter.queueAnswer(true); // start again from the top
    window->FindClient(0, target.mid(2).toUpper(), false);
    EXPECT_EQ(firmAt(currentRow()).toUpper(), target.toUpper());
    EXPECT_EQ(window->currentClientId(), window->clientRegister().idAt(currentRow()));

    // Esc reaches a running search between clients.
    w<DBGrid>("DBGrid1")->moveTo(0);
    prompter.clear();
    QApplication::postEvent(w<DBGrid>("DBGrid1"),
                            new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    window->FindClient(0, QStringLiteral("no such firm anywhere"), false);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, QStringLiteral("Поиск прерван."));
    EXPECT_EQ(window->currentClientId(), 0);
    EXPECT_EQ(FullTitle(w<QGroupBox>("GB2")), QStringLiteral("Список всех счетов-фактур"));
}

TEST_F(MainWindowTest, FindDialogRemembersItsLastRequest)
{
    open();
    whenModal([](QWidget* dialog) {
        child<QLineEdit>(dialog, "Edit2")->setText(QStringLiteral("ТОВ"));
        child<RadioGroup>(dialog, "FindRG")->setItemIndex(0);
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<QAction>("N3")->trigger();
    EXPECT_TRUE(firmAt(currentRow()).contains(QStringLiteral("ТОВ")));
    QString shown;
    whenModal([&shown](QWidget* dialog) {
        shown = child<QLineEdit>(dialog, "Edit2")->text();
        child<QPushButton>(dialog, "BitBtn2")->click();
    });
    w<QAction>("N3")->trigger();
    EXPECT_EQ(shown, QStringLiteral("ТОВ"));
}

TEST_F(MainWindowTest, NameAndCityFiltersAndTheirRemoval)
{
    open();
    whenModal([](QWidget* dialog) {
        EXPECT_EQ(child<QLabel>(dialog, "Label1")->text(),
                  QStringLiteral("Фильтровать список клиентов  по названию фирмы:"));
        child<QLineEdit>(dialog, "Edit1")->setText(QStringLiteral("тов"));
        child<QCheckBox>(dialog, "CheckBox1")->setChecked(false);
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<QAction>("N37")->trigger();
    const int shown = window->clientRegister().model().rowCount();
    ASSERT_GT(shown, 0);
    ASSERT_LT(shown, 30);
    for (int r = 0; r < shown; ++r)
        EXPECT_TRUE(firmAt(r).startsWith(QStringLiteral("ТОВ"))) << firmAt(r).toStdString();
    EXPECT_TRUE(w<QAction>("N37")->isChecked());
    EXPECT_TRUE(w<QAction>("N36")->isEnabled());

    // A city with an apostrophe filters like any other text.
    const QString city = QStringLiteral("Кам'янець-Подільський");
    execOrThrow(ConnectionOf(window->dataModule()),
                QStringLiteral("UPDATE CLIENTS SET CITY=? WHERE ID_NUMBER=?"),
                {city, window->clientRegister().idAt(0)});
    whenModal([&city](QWidget* dialog) {
        child<QLineEdit>(dialog, "Edit1")->setText(city);
        child<QCheckBox>(dialog, "CheckBox1")->setChecked(true);
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<QAction>("N35")->trigger();
    EXPECT_EQ(window->clientRegister().filter().text(),
              QStringLiteral("ID_NUMBER>1 AND FIRMNAME='тов*' AND CITY='") + city + u'\'');
    EXPECT_EQ(window->clientRegister().model().rowCount(), 1);
    EXPECT_TRUE(prompter.messages().empty());

    // The tab "Клиенты" shows every client again; the dialog still offers the last value.
    w<QTabWidget>("PC1")->setCurrentIndex(1);
    EXPECT_EQ(window->clientRegister().model().rowCount(), 30);
    EXPECT_FALSE(w<QAction>("N36")->isEnabled());
    EXPECT_FALSE(w<QAction>("N37")->isChecked());
    QString offered;
    bool fullMatch = true;
    whenModal([&](QWidget* dialog) {
        offered = child<QLineEdit>(dialog, "Edit1")->text();
        fullMatch = child<QCheckBox>(dialog, "CheckBox1")->isChecked();
        child<QPushButton>(dialog, "BitBtn2")->click();
    });
    w<QAction>("N37")->trigger();
    EXPECT_EQ(offered, QStringLiteral("тов"));
    EXPECT_FALSE(fullMatch);
    EXPECT_EQ(window->clientRegister().model().rowCount(), 30);
}

TEST_F(MainWindowTest, SortingByChoiceAndByColumnTitle)
{
    open();
    w<QTabWidget>("PC1")->setCurrentIndex(1);
    auto* byCity = w<QRadioButton>("SortRG_2");
    QTest::mouseClick(byCity, Qt::LeftButton, {}, QPoint(8, byCity->height() / 2)); // on its circle
    EXPECT_EQ(window->clientRegister().sortIndex(), QStringLiteral("CITYADR"));
    auto& model = window->clientRegister().model();
    for (int r = 1; r < model.rowCount(); ++r)
        EXPECT_LE(compareText(model.value(r - 1, QStringLiteral("CITY")).toString(),
                              model.value(r, QStringLiteral("CITY")).toString()),
                  0);
    EXPECT_EQ(currentRow(), 0);

    QHeaderView* header = w<DBGrid>("DBGrid1")->horizontalHeader();
    emit header->sectionClicked(model.columnOf(QStringLiteral("TELFAX")));
    EXPECT_EQ(window->clientRegister().sortIndex(), QStringLiteral("CITYADR"));
    emit header->sectionClicked(model.columnOf(QStringLiteral("CHIEF")));
    EXPECT_EQ(window->clientRegister().sortIndex(), QStringLiteral("CHIEFNAME"));
    EXPECT_EQ(w<RadioGroup>("SortRG")->itemIndex(), 2); // a title click leaves the choice as it was

    // A screen reader toggles the button without a click.
    QAccessibleInterface* byReader = QAccessible::queryAccessibleInterface(w<QRadioButton>("SortRG_3"));
    byReader->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(window->clientRegister().sortIndex(), QStringLiteral("POST_ADR"));
}

TEST_F(MainWindowTest, AClickedClientGetsItsDocumentsAndAnEmptySelection)
{
    open();
    w<QLineEdit>("Edit5")->setText(QStringLiteral("12/"));
    auto* grid = w<DBGrid>("DBGrid1");
    grid->moveTo(5);
    emit grid->clicked(grid->currentIndex());
    EXPECT_EQ(window->currentClientId(), window->clientRegister().idAt(5));
    EXPECT_TRUE(w<QLineEdit>("Edit5")->text().isEmpty());
    w<QAction>("N7")->trigger();
    EXPECT_EQ(window->currentClientId(), 0);
    EXPECT_EQ(w<DBGrid>("DBGrid3")->model()->rowCount(), 300);
    EXPECT_EQ(FullTitle(w<QGroupBox>("GB5")), QStringLiteral("Список всех поступлений без с/ф"));
    EXPECT_FALSE(w<QAction>("N9")->isEnabled());
    EXPECT_TRUE(w<QAction>("N13")->isEnabled());
}

TEST_F(MainWindowTest, NavigatorDeleteAsksFirst)
{
    open();
    execOrThrow(
        ConnectionOf(window->dataModule()),
        QStringLiteral("INSERT INTO ACTS (ACT_NUMBER, ACT_DATA, ID_NUMBER) VALUES (9000, '2026-03-05', ?)"),
        {window->currentClientId()});
    window->RefreshClientDocuments();
    auto* grid = w<DBGrid>("DBGrid3");
    const int rows = grid->model()->rowCount();
    ASSERT_GT(rows, 0);
    const qint64 number = grid->listModel()->keyAt(grid->currentRow());
    // Each question names the document as its list shows it.
    const auto cell = [this](const char* grid, int column) {
        auto* g = w<DBGrid>(grid);
        return g->model()->index(g->currentRow(), column).data().toString().trimmed();
    };
    const std::pair<const char*, QString> questions[] = {
        {"DBNavigator1", "Удалить счет-фактуру № " + cell("DBGrid3", 0) + cell("DBGrid3", 1) + " от " +
                             cell("DBGrid3", 2) + "?"},
        {"DBNavigator4", "Удалить поступление от " + cell("DBGrid6", 0) + "?"},
        {"DBNavigator3",
         "Удалить расходную накладную № " + cell("DBGrid5", 0) + " от " + cell("DBGrid5", 1) + "?"},
        {"DBNavigator2",
         "Удалить налоговую накладную № " + cell("DBGrid4", 0) + " от " + cell("DBGrid4", 1) + "?"},
        {"DBNavigator5", "Удалить акт № " + cell("DBGrid7", 0) + " от " + cell("DBGrid7", 1) + "?"},
    };
    for (const auto& [navigator, question] : questions) {
        w<DBNavigator>(navigator)->button(QStringLiteral("delete"))->click();
        EXPECT_EQ(prompter.messages().back().text, question);
    }
    EXPECT_EQ(grid->model()->rowCount(), rows);
    prompter.queueAnswer(true);
    w<DBNavigator>("DBNavigator1")->button(QStringLiteral("delete"))->click();
    EXPECT_EQ(grid->model()->rowCount(), rows - 1);
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM FACTURES WHERE FACT_NUMBER=%1").arg(number)), 0);
    EXPECT_EQ(w<DBNavigator>("DBNavigator1")->button(QStringLiteral("first"))->toolTip(),
              QStringLiteral("первая запись"));
}

TEST_F(MainWindowTest, TheStatusLineSaysTheBookFromTheStartAndEachChangeInTheLanguageOfTheDay)
{
    open();
    EXPECT_TRUE(window->statusBar()->isVisible());
    const auto status = [this] { return StatusText(window.get()); };
    EXPECT_EQ(status(), QString()); // counted once the window is painted, not before
    PaintFirst(window.get());
    EXPECT_TRUE(status().contains(
        QStringLiteral("клиентов %1, счетов-фактур %2,")
            .arg(window->clientRegister().model().rowCount())
            .arg(scalarInt(QStringLiteral("SELECT count(*) FROM FACTURES WHERE FACT_NUMBER>0")))))
        << status().toStdString();
    w<QTabWidget>("PC1")->setCurrentIndex(2);
    QTest::mouseClick(w<QPushButton>("BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(status(), QStringLiteral("Данные владельца сохранены."));
    SetInterfaceLanguage(QStringLiteral("uk"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_EQ(status(), QStringLiteral("Дані власника збережено."));
    SetInterfaceLanguage(QStringLiteral("ru"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);

    // A message longer than the window is cut, whole in its tooltip.
    window->resize(720, 540);
    auto* line = window->findChild<ElidedLabel*>(QStringLiteral("StatusLine"));
    line->setFullText(QString(300, u'Ж'));
    EXPECT_TRUE(line->text().endsWith(u'…'));
    EXPECT_LE(line->width(), window->width());
    EXPECT_EQ(line->toolTip(), QString(300, u'Ж'));
}

// Every input of the window and of each dialog has a name a screen reader can say: not nothing, and not
// only the title of the group it stands in.
TEST_F(MainWindowTest, EveryInputHasTheNameAPersonWouldSay)
{
    open();
    QStringList unnamed;
    QSet<QString> walked;
    const auto walk = [&unnamed, &walked](QWidget* window) {
        walked << window->objectName();
        for (QWidget* input : window->findChildren<QWidget*>()) {
            if (!IsInput(input) || input->window() != window)
                continue;
            const QString name = input->accessibleName().trimmed();
            bool groupTitle = false;
            for (QWidget* up = input->parentWidget(); up; up = up->parentWidget())
                if (auto* group = qobject_cast<QGroupBox*>(up))
                    groupTitle = groupTitle || FullTitle(group).remove(u'&').startsWith(name);
            if (name.isEmpty() || groupTitle)
                unnamed << window->objectName() + "/" + input->objectName() + " «" + name + "»";
        }
    };
    walk(window.get());
    for (const char* item : {"N6", "N3", "N37", "N33", "N30", "N31", "N4", "N9", "N17", "N5", "N15", "N16",
                             "N21", "N22", "N14"}) {
        whenModal([&](QWidget* dialog) {
            walk(dialog);
            dialog->close();
        });
        w<QAction>(item)->trigger();
    }
    // Position fields say their position; the goods picker's one field says what it is for.
    whenModal([&](QWidget* editor) {
        EXPECT_EQ(child<QWidget>(editor, "NumPo1")->accessibleName(),
                  QStringLiteral("Позиция 1: количество"));
        EXPECT_EQ(child<QWidget>(editor, "SumPo4")->accessibleName(), QStringLiteral("Позиция 4: цена"));
        whenModal([&](QWidget* picker) {
            walk(picker);
            static_cast<QDialog*>(picker)->reject();
        });
        child<QToolButton>(editor, "SB1")->click();
        static_cast<QDialog*>(editor)->reject();
    });
    w<QAction>("N9")->trigger();
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(u'\n').toStdString();
    EXPECT_EQ(walked.size(), 15); // the window, eleven dialogs, the receipt waybills, the goods picker
}

TEST_F(MainWindowTest, OwnerDetailsAreSavedCheckedAndReread)
{
    open();
    w<QTabWidget>("PC1")->setCurrentIndex(2);
    auto* name = w<QLineEdit>("Edit1");
    name->setText(QString(130, u'Ф'));
    QTest::mouseClick(w<QPushButton>("BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(name->text(), QString(128, u'Ф'));
    EXPECT_EQ(window->ownerRecord().FIRMNAME, QString(128, u'Ф'));

    // The firm's IBAN is stored whole; a mistyped one is stored only when the user says so.
    auto* account = w<QLineEdit>("Edit13");
    EXPECT_EQ(account->maxLength(), 42); // 34 and the blanks of its groups
    account->setText(QStringLiteral("UA213223130000026007233566002"));
    prompter.queueAnswer(false);
    QTest::mouseClick(w<QPushButton>("BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(prompter.texts(),
              QStringList{"IBAN UA213223130000026007233566002 не проходит проверку контрольных "
                          "цифр.\n\nСохранить так, как введено?"});
    EXPECT_EQ(account->text(), QStringLiteral("UA213223130000026007233566002")); // kept, to be mended
    EXPECT_NE(window->ownerRecord().CHETNUMBER, account->text());
    prompter.clear();
    // Typed in groups (36 characters, more than the column holds): stored compact, never cut.
    account->setText(QStringLiteral("UA21 3223 1300 0002 6007 2335 6600 1"));
    QTest::mouseClick(w<QPushButton>("BitBtn1"), Qt::LeftButton);
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(scalar(ConnectionOf(window->dataModule()),
                     QStringLiteral("SELECT CHETNUMBER FROM CLIENTS WHERE ID_NUMBER=1"))
                  .toString(),
              QStringLiteral("UA213223130000026007233566001"));

    const QString chief = window->ownerRecord().CHIEF;
    w<QLineEdit>("Edit2")->setText(QStringLiteral("Хтось Інший"));
    QTest::mouseClick(w<QPushButton>("BitBtn8"), Qt::LeftButton);
    EXPECT_EQ(w<QLineEdit>("Edit2")->text(), chief);

    // An owner row deleted behind the program's back comes back when the tab is opened.
    execOrThrow(ConnectionOf(window->dataModule()), QStringLiteral("DELETE FROM CLIENTS WHERE ID_NUMBER=1"));
    w<QTabWidget>("PC1")->setCurrentIndex(0);
    w<QTabWidget>("PC1")->setCurrentIndex(2);
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM CLIENTS WHERE ID_NUMBER=1")), 1);
}

TEST_F(MainWindowTest, SettingsDialogWritesAndReconnects)
{
    open();
    whenModal([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Настройки программы :"));
        EXPECT_FALSE(child<QCheckBox>(dialog, "CB5")->isChecked());
        child<QCheckBox>(dialog, "CB5")->setChecked(true);
        EXPECT_EQ(child<QCheckBox>(dialog, "QrCB")->text().remove(u'&'),
                  QStringLiteral("Печатать QR-код для оплаты"));
        EXPECT_TRUE(child<QCheckBox>(dialog, "QrCB")->isChecked());
        child<QCheckBox>(dialog, "QrCB")->setChecked(false);
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<DBGrid>("DBGrid1")->moveTo(1);
    const int chosen = window->currentClientId();
    w<QAction>("N6")->trigger();
    EXPECT_FALSE(window->programSettings().grvOrBaks);
    EXPECT_FALSE(window->programSettings().paymentQr);
    IniFile ini(settingsFilePath(home.path()));
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.value(QStringLiteral("MONEY"), QStringLiteral("GRV_OR_BAKS")), QStringLiteral("0"));
    EXPECT_EQ(ini.value(QStringLiteral("USER_DATA"), QStringLiteral("PAYMENT_QR")), QStringLiteral("0"));
    EXPECT_TRUE(window->dataModule().isConnected());
    EXPECT_EQ(currentRow(), 1); // the chosen client stays chosen
    EXPECT_EQ(window->currentClientId(), chosen);
}

// The chosen client and documents stay chosen through every command that chooses no other.
TEST_F(MainWindowTest, TheChosenClientAndDocumentsStayChosenThroughSettingsLanguageStoreAndRestore)
{
    open();
    auto* clients = w<DBGrid>("DBGrid1");
    clients->moveTo(2);
    emit clients->clicked(clients->currentIndex());
    const int client = window->currentClientId();
    auto* invoices = w<DBGrid>("DBGrid3");
    auto* tax = w<DBGrid>("DBGrid4");
    ASSERT_GE(invoices->model()->rowCount(), 2);
    ASSERT_GE(tax->model()->rowCount(), 1);
    invoices->moveTo(0);
    tax->moveTo(0);
    const qint64 invoice = invoices->listModel()->keyAt(0);
    const qint64 waybill = tax->listModel()->keyAt(0);
    const auto expectChosen = [&](const char* after) {
        EXPECT_EQ(window->currentClientId(), client) << after;
        EXPECT_EQ(invoices->listModel()->keyAt(invoices->currentRow()), invoice) << after;
        EXPECT_EQ(tax->listModel()->keyAt(tax->currentRow()), waybill) << after;
    };
    for (int language : {1, 0}) {
        whenModal([language](QWidget* dialog) {
            child<QComboBox>(dialog, "LanguageCB")->setCurrentIndex(language);
            child<QPushButton>(dialog, "BitBtn1")->click();
        });
        w<QAction>("N6")->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        expectChosen(language ? "the settings in Ukrainian" : "the settings back in Russian");
    }
    // A stored receipt leaves the invoice and the waybill chosen.
    whenModal([](QWidget* editor) {
        child<QLineEdit>(editor, "StrPo1")->setText(QStringLiteral("Фарба"));
        child<NumberField>(editor, "NumPo1")->setValue(1);
        child<QPushButton>(editor, "BitBtn1")->click();
    });
    w<QAction>("N17")->trigger();
    expectChosen("a stored receipt");

    QTest::mouseClick(w<QPushButton>("BitBtn6"), Qt::LeftButton);
    expectChosen("a backup");
    whenModal([](QWidget* files) { static_cast<QDialog*>(files)->accept(); });
    prompter.queueAnswer(true);
    w<QPushButton>("RestoreButton")->click();
    expectChosen("a restore of the same book");
}

TEST_F(MainWindowTest, SettingsDialogKeepsALongSignatureAndTakesOnlyWhatTheFileHolds)
{
    const QString signature = QStringLiteral("/ Головний бухгалтер ТОВ \"Сонячний берег\"");
    ASSERT_GT(signature.size(), 24);
    IniFile ini(settingsFilePath(home.path()));
    ini.writeString(QStringLiteral("SIGNATURE"), QStringLiteral("TEXT"), signature);
    ASSERT_TRUE(ini.save());
    open();
    ASSERT_EQ(window->programSettings().text, signature);

    whenModal([](QWidget* dialog) {
        auto* name = child<QLineEdit>(dialog, "UserName");
        EXPECT_EQ(name->text().size(), 24);
        auto* path = child<QLineEdit>(dialog, "DirEd");
        const QString before = path->text();
        path->setFocus();
        type(path, QStringLiteral("中😀"));
        EXPECT_EQ(path->text(), before);
        type(path, QStringLiteral("ї"));
        EXPECT_EQ(path->text(), before + QStringLiteral("ї"));
        path->setText(before);
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<QAction>("N6")->trigger();
    EXPECT_EQ(window->programSettings().text, signature);

    whenModal([](QWidget* dialog) {
        auto* name = child<QLineEdit>(dialog, "UserName");
        name->setFocus();
        name->selectAll();
        type(name, QStringLiteral("/ Бухгалтер"));
        child<QPushButton>(dialog, "BitBtn1")->click();
    });
    w<QAction>("N6")->trigger();
    EXPECT_EQ(window->programSettings().text, QStringLiteral("/ Бухгалтер"));
}

TEST_F(MainWindowTest, KeyboardLeavesTheClientListAndSwitchesTabs)
{
    open();
    auto* grid = w<DBGrid>("DBGrid1");
    grid->setFocus();
    ASSERT_TRUE(grid->hasFocus());
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_FALSE(grid->hasFocus());

    auto* pc1 = w<QTabWidget>("PC1");
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    QTest::keyClick(focused, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(pc1->currentIndex(), 1);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(),
                    Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(pc1->currentIndex(), 2);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(), Qt::Key_PageUp,
                    Qt::ControlModifier);
    EXPECT_EQ(pc1->currentIndex(), 1);
}

// 1920 x 1080 at 200 % leaves about 960 x 500 logical pixels under a title bar and a task bar.
TEST_F(MainWindowTest, WindowsFitSmallScreensAndTheMainWindowKeepsItsPlace)
{
    const QSize smallScreen(960, 500);
    open();
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    EXPECT_LE(least.width(), 706);
    EXPECT_LE(least.height(), 527);
    EXPECT_GE(window->width(), 706);
    EXPECT_GE(window->height(), 527);
    // A first start uses most of the screen, and stays within it.
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_GE(window->width(), screen.width() * 8 / 10);
    EXPECT_GE(window->height(), screen.height() * 8 / 10);
    EXPECT_TRUE(screen.contains(window->frameGeometry()));
    expectWholeLabelsAndFittingDialogs(smallScreen);
    // The invoice and receipt editors fit there whole, the warning and the check boxes included: their
    // scroll area is a last resort for a smaller screen still.
    for (const char* editorCommand : {"N9", "N17"}) {
        whenModal([&smallScreen](QWidget* editor) {
            const QWidget* content = child<QScrollArea>(editor, "ContentScroll")->widget();
            const int buttons = child<QPushButton>(editor, "BitBtn1")->sizeHint().height();
            EXPECT_LE(content->sizeHint().height() + buttons + 3 * editor->layout()->spacing(),
                      smallScreen.height())
                << content->sizeHint().height();
            static_cast<QDialog*>(editor)->reject();
        });
        w<QAction>(editorCommand)->trigger();
    }
    whenModal([](QWidget* preview) {
        const QRect room = preview->screen()->availableGeometry();
        EXPECT_LE(preview->width(), room.width());
        EXPECT_LE(preview->height(), room.height());
        preview->close();
    });
    ASSERT_TRUE(w<QAction>("N12")->isEnabled());
    w<DBGrid>("DBGrid3")->moveTo(0);
    w<QAction>("N12")->trigger();

    // The next run opens where this one closed.
    window->setGeometry(QRect(QPoint(30, 40), QSize(720, 540)));
    const QRect closedAt = window->geometry();
    prompter.queueAnswer(true);
    window->close();
    window.reset();
    open();
    EXPECT_EQ(window->geometry().size(), closedAt.size());
}

// At the size the window opens with, the client panel's labels stand on one line apart from the heading,
// the owner's IBAN shows whole, and the settings show a whole path.
TEST_F(MainWindowTest, FieldsShowWhatTheyHoldAndLabelsStandOnOneLine)
{
    open();
    w<QTabWidget>("PC1")->setCurrentIndex(1);
    QApplication::processEvents();
    const QFontMetrics metrics = window->fontMetrics();
    for (QLabel* label : w<QWidget>("Panel10")->findChildren<QLabel*>()) {
        if (label->buddy()) {
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                << label->text().toStdString();
        }
    }
    auto* heading = w<QLabel>("Label44");
    EXPECT_GE(heading->geometry().top() + heading->contentsMargins().top(),
              w<QLabel>("LabelP11")->geometry().bottom() + metrics.height() / 3);
    EXPECT_GE(w<QLineEdit>("Edit13")->width(), metrics.horizontalAdvance(QString(34, u'0')));
    whenModal([&metrics](QWidget* dialog) {
        EXPECT_GE(child<QLineEdit>(dialog, "DirEd")->width(), metrics.horizontalAdvance(QString(48, u'0')));
        dialog->close();
    });
    w<QAction>("N6")->trigger();
}

// A client's name, however long, never widens the window: the captions are cut, whole in their tooltips.
TEST_F(MainWindowTest, ALongClientNameNeverWidensTheWindow)
{
    const QString name =
        QStringLiteral("Товариство з обмеженою відповідальністю «Торговельно-виробнича компанія "
                       "Дніпровські будівельні матеріали та технології»");
    ASSERT_GE(name.size(), 110);
    {
        auto dm = std::make_unique<TDM>();
        dm->connect(home.dataFolder());
        execOrThrow(ConnectionOf(*dm), QStringLiteral("UPDATE CLIENTS SET FIRMNAME=? WHERE ID_NUMBER>1"),
                    {name});
    }
    open();
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    EXPECT_LE(least.width(), 706);
    auto* invoices = w<QGroupBox>("GB2");
    EXPECT_EQ(FullTitle(invoices), QStringLiteral("Счета-фактуры клиента ") + name);
    EXPECT_TRUE(invoices->title().endsWith(QChar(0x2026))) << invoices->title().toStdString();
    EXPECT_EQ(invoices->toolTip(), FullTitle(invoices));
    EXPECT_LE(invoices->fontMetrics().horizontalAdvance(invoices->title()), invoices->width());
    // Wider, the caption shows more of the name.
    const int shown = int(invoices->title().size());
    window->resize(1900, window->height());
    QApplication::processEvents();
    EXPECT_GT(invoices->title().size(), shown);
}

TEST_F(MainWindowTest, TheToolkitSpeaksRussian)
{
    open();
    QString yes, no;
    whenModal([&yes, &no](QWidget* box) {
        for (QPushButton* b : box->findChildren<QPushButton*>())
            (b->text().contains(u'Д') ? yes : no) = QString(b->text()).remove(u'&');
        box->close();
    });
    WidgetPrompter(window.get()).ask(QStringLiteral("Закрыть программу?"));
    EXPECT_EQ(yes, QStringLiteral("Да"));
    EXPECT_EQ(no, QStringLiteral("Нет"));
    EXPECT_EQ(QLocale().language(), QLocale::Russian);
    EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
}

TEST_F(MainWindowTest, F1AnywhereEvenInACellEditor)
{
    open();
    auto* grid = w<DBGrid>("DBGrid3");
    grid->setFocus();
    grid->edit(grid->currentIndex());
    QWidget* editor = grid->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_F1);
    ASSERT_FALSE(prompter.messages().empty());
    EXPECT_EQ(prompter.messages().back().text,
              QStringLiteral("Справочная информация находится в файле Readme.doc."));
    grid->cancel();
}

TEST_F(MainWindowTest, ClosingAsksAndWritesTheSettings)
{
    open();
    QFile::remove(settingsFilePath(home.path()));
    EXPECT_FALSE(window->close()); // no answer is No
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(QFile::exists(settingsFilePath(home.path())));
    prompter.queueAnswer(true);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(QFile::exists(settingsFilePath(home.path())));
    window.reset();
}

TEST_F(MainWindowTest, CtrlDeleteClearsTheWholeRegister)
{
    open();
    w<QTabWidget>("PC1")->setCurrentIndex(1);
    QTest::keyRelease(w<DBGrid>("DBGrid2"), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(prompter.messages().back().text,
              QStringLiteral("Очистить всю базу клиентов (будут удалены все счета, накладные,акты)?"));
    EXPECT_EQ(window->clientRegister().model().rowCount(), 30);
    prompter.queueAnswer(true);
    QTest::keyRelease(w<DBGrid>("DBGrid2"), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(window->clientRegister().model().rowCount(), 0);
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM CLIENTS")), 1);
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM FACTURES")), 0);
}

TEST_F(MainWindowTest, DoubleClickedInvoicesMakeTheWaybillSelection)
{
    {
        TDM dm;
        dm.connect(home.dataFolder());
        execOrThrow(ConnectionOf(dm),
                    QStringLiteral("INSERT INTO NAKLADN2 (NAKL_NUMBER, FACT1_NUMBER, ID_NUMBER) "
                                   "VALUES (9001, 12, (SELECT ID_NUMBER FROM FACTURES "
                                   "WHERE FACT_NUMBER=12))"));
    }
    open();
    w<QAction>("N7")->trigger(); // every invoice, so that any number can be picked
    auto* invoices = w<DBGrid>("DBGrid3");
    auto pick = [&](int number) {
        invoices->moveTo(invoices->listModel()->rowOfKey(number));
        emit invoices->doubleClicked(invoices->currentIndex());
    };
    pick(12);
    pick(15);
    pick(12);
    EXPECT_EQ(w<QLineEdit>("Edit5")->text(), QStringLiteral("12/15/12/"));

    // The waybill lists follow the invoice; a waybill click brings its first document back.
    auto* tax = w<DBGrid>("DBGrid4");
    EXPECT_EQ(tax->listModel()->value(tax->currentRow(), QStringLiteral("FACT1_NUMBER")).toInt(), 12);
    invoices->moveTo(0);
    emit tax->clicked(tax->currentIndex());
    EXPECT_EQ(invoices->listModel()->keyAt(invoices->currentRow()), 12);
    QTest::mouseClick(w<QPushButton>("Button9"), Qt::LeftButton);
    EXPECT_TRUE(w<QLineEdit>("Edit5")->text().isEmpty());

    // From the keyboard: Space or Enter picks the row, and Tab leaves the grid.
    invoices->setFocus();
    invoices->moveTo(invoices->listModel()->rowOfKey(15));
    QTest::keyClick(invoices, Qt::Key_Space);
    invoices->moveTo(invoices->listModel()->rowOfKey(12));
    QTest::keyClick(invoices, Qt::Key_Return);
    EXPECT_EQ(w<QLineEdit>("Edit5")->text(), QStringLiteral("15/12/"));
    EXPECT_FALSE(invoices->isEditing());
    ASSERT_TRUE(invoices->hasFocus());
    QTest::keyClick(invoices, Qt::Key_Tab);
    EXPECT_FALSE(invoices->hasFocus());
    EXPECT_NE(QApplication::focusWidget(), nullptr);

    // Each navigator is one Tab stop, walked by the arrows: the expense list is a few presses away.
    invoices->setFocus();
    int presses = 0;
    QSet<QWidget*> navigatorStops;
    while (!w<DBGrid>("DBGrid5")->hasFocus() && presses < 30) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ++presses;
        if (qobject_cast<DBNavigator*>(QApplication::focusWidget()->parentWidget()))
            navigatorStops << QApplication::focusWidget()->parentWidget();
    }
    EXPECT_LE(presses, 6);
    auto* navigator = w<DBNavigator>("DBNavigator1");
    EXPECT_TRUE(navigatorStops.contains(navigator));
    navigator->button("first")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_TRUE(navigator->button("prior")->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    EXPECT_TRUE(navigator->button("cancel")->hasFocus()); // insert and refresh are not shown here
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_FALSE(navigator->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_TRUE(navigator->button("cancel")->hasFocus()); // Shift+Tab comes back to the same button
}

TEST_F(MainWindowTest, InvoicePreviewAndPrintCommands)
{
    open();
    // An empty invoice list has nothing to preview.
    execOrThrow(ConnectionOf(window->dataModule()), QStringLiteral("DELETE FROM FACTURES WHERE ID_NUMBER=?"),
                {window->currentClientId()});
    window->RefreshClientDocuments();
    EXPECT_FALSE(w<QAction>("N12")->isEnabled());
    EXPECT_FALSE(w<QAction>("N13")->isEnabled());

    w<QAction>("N7")->trigger();
    prompter.clear();
    QString shownFirm;
    whenModal([&shownFirm](QWidget* preview) {
        EXPECT_EQ(preview->objectName(), QStringLiteral("PreviewWindow"));
        shownFirm = static_cast<PreviewWindow*>(preview)->page().element(QStringLiteral("QRNameOwn"))->text;
        preview->close();
    });
    w<QAction>("N12")->trigger();
    EXPECT_EQ(shownFirm, window->ownerRecord().FIRMNAME);
    EXPECT_NE(window->findChild<ReportHolder*>(QStringLiteral("TForm1")),
              nullptr); // a previewed holder stays

    // No printer here: the command says so and offers the preview instead.
    whenModal([](QWidget* preview) { preview->close(); });
    w<QAction>("N13")->trigger();
    ASSERT_FALSE(prompter.messages().empty());
    EXPECT_TRUE(prompter.messages().back().text.startsWith(QStringLiteral("Принтер не найден")));
}

TEST_F(MainWindowTest, PrintingFromThePreviewAndClosingItEndsNothing)
{
    open();
    w<QAction>("N7")->trigger();
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("invoice.pdf"));
    bool printedAndClosed = false;
    // The preview's Print, the print dialog to a PDF file, then the preview closed: the program goes on.
    whenModal([&](QWidget* preview) {
        whenModal([&](QWidget* dialog) {
            auto* print = qobject_cast<QPrintDialog*>(dialog);
            ASSERT_NE(print, nullptr);
            print->printer()->setOutputFormat(QPrinter::PdfFormat);
            print->printer()->setOutputFileName(pdf);
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename")))
                name->setText(pdf);
            print->accept();
        });
        preview->findChild<QAction*>(QStringLiteral("Print"))->trigger();
        QApplication::processEvents();
        preview->close();
        printedAndClosed = true;
    });
    w<QAction>("N12")->trigger();
    QApplication::processEvents(); // what the preview's loop left to release, released
    EXPECT_TRUE(printedAndClosed);
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    EXPECT_NE(window->findChild<ReportHolder*>(QStringLiteral("TForm1")), nullptr);
    // The next blank takes the place of the last.
    whenModal([](QWidget* preview) { preview->close(); });
    w<QAction>("N12")->trigger();
    EXPECT_EQ(window->findChildren<ReportHolder*>().size(), 1);
}

TEST_F(MainWindowTest, ExpenseWaybillPreviewAndARefusedPrint)
{
    open();
    w<QAction>("N7")->trigger();
    auto* waybills = w<DBGrid>("DBGrid5");
    ASSERT_GT(waybills->model()->rowCount(), 0);
    waybills->moveTo(0);
    QString number;
    whenModal([&number](QWidget* preview) {
        number = static_cast<PreviewWindow*>(preview)->page().element(QStringLiteral("NoNak"))->text;
        preview->close();
    });
    w<QAction>("N23")->trigger();
    EXPECT_EQ(number, waybills->listModel()->value(0, QStringLiteral("NAKL_NUMBER")).toString());
    EXPECT_NE(window->findChild<ReportHolder*>(QStringLiteral("TForm2")), nullptr);

    // A waybill whose invoice is gone: the preview shows what was found, the print refuses.
    const int first = waybills->listModel()->value(0, QStringLiteral("FACT1_NUMBER")).toInt();
    execOrThrow(ConnectionOf(window->dataModule()),
                QStringLiteral("DELETE FROM FACTURES WHERE FACT_NUMBER=?"), {first});
    prompter.clear();
    w<QAction>("N24")->trigger();
    ASSERT_GE(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.texts().back(), QStringLiteral("Накладная заполнена не полностью и не напечатана."));
}

TEST_F(MainWindowTest, TaxWaybillPreviewAsksTheSectionOfAZeroRate)
{
    open();
    w<QAction>("N7")->trigger();
    auto* waybills = w<DBGrid>("DBGrid4");
    ASSERT_GT(waybills->model()->rowCount(), 0);
    waybills->moveTo(0);
    const int first = waybills->listModel()->value(0, QStringLiteral("FACT1_NUMBER")).toInt();
    execOrThrow(ConnectionOf(window->dataModule()),
                QStringLiteral("UPDATE FACTURES SET FACT_NDS=0 WHERE FACT_NUMBER IN "
                               "(SELECT FACT1_NUMBER FROM NAKLADN2 UNION SELECT "
                               "FACT2_NUMBER FROM NAKLADN2 UNION SELECT FACT3_NUMBER "
                               "FROM NAKLADN2)"));
    prompter.queueChoice(2);
    double left = 0;
    whenModal([&left](QWidget* preview) {
        left = static_cast<PreviewWindow*>(preview)->page().element(QStringLiteral("NDSPos1"))->left;
        preview->close();
    });
    w<QAction>("N25")->trigger();
    ASSERT_FALSE(prompter.messages().empty());
    EXPECT_EQ(prompter.messages().front().kind, ScriptedPrompter::Kind::Choose);
    EXPECT_EQ(left, 173.8); // exempt
    EXPECT_EQ(prompter.messages().front().detail, QStringLiteral("Выбор раздела НДС в накладной :"));
    // The question closed without a section: no preview, no print (the last blank stays the last), nothing
    // more said.
    const QPointer<ReportHolder> last = window->findChild<ReportHolder*>(QStringLiteral("TForm3"));
    ASSERT_FALSE(last.isNull());
    for (const char* command : {"N25", "N26"}) {
        prompter.clear();
        prompter.queueChoice(-1);
        w<QAction>(command)->trigger();
        EXPECT_FALSE(last.isNull()) << command;
        EXPECT_EQ(prompter.messages().size(), 1u) << command;
    }
    // The waybill's first document gone: no print.
    execOrThrow(ConnectionOf(window->dataModule()),
                QStringLiteral("DELETE FROM FACTURES WHERE FACT_NUMBER=?"), {first});
    prompter.clear();
    w<QAction>("N26")->trigger();
    EXPECT_EQ(prompter.texts().back(), QStringLiteral("Накладная заполнена не полностью и не напечатана."));
}

TEST_F(MainWindowTest, AboutBoxAndAnUnchangedSettingsDialog)
{
    open();
    QStringList lines;
    whenModal([&lines](QWidget* about) {
        EXPECT_EQ(about->windowTitle(), QStringLiteral("О программе ..."));
        for (QLabel* l : about->findChildren<QLabel*>())
            lines << l->text();
        child<QPushButton>(about, "OKButton")->click();
    });
    w<QAction>("N8")->trigger();
    EXPECT_TRUE(lines.contains(QStringLiteral("2000 г.")));
    EXPECT_TRUE(lines.contains(QStringLiteral("ДОКУМАР, версия 1.3")));

    // Cancel changes nothing; OK with nothing changed still reconnects and reloads the lists.
    const Settings before = window->programSettings();
    whenModal([](QWidget* dialog) {
        child<QSpinBox>(dialog, "NDSValue")->setValue(7);
        child<QPushButton>(dialog, "BitBtn2")->click();
    });
    w<QAction>("N6")->trigger();
    EXPECT_EQ(window->programSettings(), before);
    w<DBGrid>("DBGrid1")->moveTo(4);
    const int chosen = window->currentClientId();
    execOrThrow(ConnectionOf(window->dataModule()),
                QStringLiteral("INSERT INTO CLIENTS (ID_NUMBER, FIRMNAME) VALUES (500, 'АААА перший')"));
    whenModal([](QWidget* dialog) { child<QPushButton>(dialog, "BitBtn1")->click(); });
    w<QAction>("N6")->trigger();
    EXPECT_EQ(window->programSettings(), before);
    EXPECT_EQ(firmAt(0), QStringLiteral("АААА перший"));
    EXPECT_EQ(window->currentClientId(), chosen); // read again, the chosen client still chosen
}

// On a PostgreSQL book the caption names it, and an invoice another workplace stores shows in the list
// within a moment, the list staying on its row; a cell being typed into is left alone until it is done.
namespace {

// A new book on the tests' PostgreSQL server, made and filled with the demo data asked for; empty when
// there is no server.
QString NewFilledPostgresBook(const DemoOptions& demo)
{
    const QString book = NewPostgresBook();
    if (book.isEmpty())
        return book;
    TDM::createPostgresBook(book);
    if (demo.clients > 0) {
        TDM dm;
        dm.connect(QString(), book);
        FillDemoData(dm, demo);
    }
    return book;
}

// The main window on the book for this run, shown.
void ShowOnBook(TBuhForm& window, const QString& book)
{
    window.useBookOfThisRun(book);
    window.show();
    QApplication::processEvents();
}

} // namespace

TEST(MainWindowOnPostgres, TheListsTakeAnotherWorkplacesDocuments)
{
    TestHome home;
    const QString book = NewFilledPostgresBook({5, 40, 3});
    ASSERT_FALSE(book.isEmpty());
    ScriptedPrompter prompter;
    TBuhForm window(home.path(), &prompter);
    ShowOnBook(window, book);
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral(": ") + book))
        << window.windowTitle().toStdString();
    auto* invoices = child<DBGrid>(&window, "DBGrid3");
    ASSERT_GT(invoices->model()->rowCount(), 1);
    invoices->moveTo(0);
    const qint64 shown = invoices->listModel()->keyAt(0);
    const int before = invoices->model()->rowCount();

    TDM other;
    other.connect(QString(), book);
    const auto storeElsewhere = [&] {
        const ClientRow client = *other.ReadClient(window.currentClientId());
        InvoiceDraft d = OpenDraft(EditorCommand::NewInvoice, client, nullptr, other.NextFactNumber(), 0,
                                   QDate(2026, 12, 7));
        d.positions[0] = {QStringLiteral("Пісок"), QString(), QStringLiteral("т"), 1, 10};
        StoreDraft(other, d, client.ID_NUMBER, Settings());
    };
    const auto waitForRows = [&](int rows) {
        for (int i = 0; i < 100 && invoices->model()->rowCount() != rows; ++i)
            QTest::qWait(50);
        return invoices->model()->rowCount();
    };
    storeElsewhere();
    EXPECT_EQ(waitForRows(before + 1), before + 1);
    EXPECT_EQ(invoices->listModel()->keyAt(invoices->currentRow()), shown);

    // Typing into a cell: the list is not read again under it, only once the cell is left.
    invoices->setCurrentIndex(invoices->model()->index(0, 1));
    invoices->edit(invoices->currentIndex());
    ASSERT_TRUE(invoices->isEditing());
    storeElsewhere();
    QTest::qWait(1000);
    EXPECT_TRUE(invoices->isEditing());
    EXPECT_EQ(invoices->model()->rowCount(), before + 1);
    invoices->cancel();
    EXPECT_EQ(waitForRows(before + 2), before + 2);
    prompter.queueAnswer(true);
    window.close();
}

// The owner tab's backup of a server book dumps the book, as the command line does.
TEST(MainWindowOnPostgres, TheDesktopBackupDumpsTheServerBook)
{
    TestHome home;
    const QString book = NewFilledPostgresBook({0, 0, 0});
    ASSERT_FALSE(book.isEmpty());
    ScriptedPrompter prompter;
    TBuhForm window(home.path(), &prompter);
    ShowOnBook(window, book);
    prompter.clear();
    child<QPushButton>(&window, "BitBtn6")->click();
    const QString dump = NewestCopy(BackupFolder(window.programSettings().path), PostgresDumpName(book));
    EXPECT_TRUE(QFileInfo(dump).size() > 0) << prompter.texts().join(u'\n').toStdString();
    ASSERT_FALSE(prompter.texts().isEmpty());
    EXPECT_TRUE(prompter.texts().last().endsWith(QStringLiteral("Скопировано файлов: 1.")))
        << prompter.texts().last().toStdString();
    prompter.queueAnswer(true);
    window.close();
}

// Not a check: with DOCMAR_SHOTS=FOLDER (and DOCMAR_SHOTS_LANGUAGE=uk or ru, QT_SCALE_FACTOR for 200 %) each
// tab of the main window is saved there as main_N.png, and each dialog under its name, to be looked at.
TEST_F(MainWindowTest, Screenshots)
{
    const QString folder = qEnvironmentVariable("DOCMAR_SHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "DOCMAR_SHOTS names no folder";
    IniFile ini(settingsFilePath(home.path()));
    ini.load();
    ini.writeString(QStringLiteral("INTERFACE"), QStringLiteral("LANGUAGE"),
                    qEnvironmentVariable("DOCMAR_SHOTS_LANGUAGE", QStringLiteral("uk")));
    ASSERT_TRUE(ini.save());
    open(); // at the size of a first start on the screen the platform was given
    ASSERT_TRUE(QDir().mkpath(folder));
    for (int tab = 0; tab < w<QTabWidget>("PC1")->count(); ++tab) {
        w<QTabWidget>("PC1")->setCurrentIndex(tab);
        QApplication::processEvents();
        EXPECT_TRUE(window->grab().save(QDir(folder).filePath(QStringLiteral("main_%1.png").arg(tab))));
    }
    w<QTabWidget>("PC1")->setCurrentIndex(0);
    // The document lists scrolled to their last column, the documents' amounts.
    for (const char* name : {"DBGrid3", "DBGrid6", "DBGrid5", "DBGrid4", "DBGrid7"}) {
        auto* grid = w<DBGrid>(name);
        grid->scrollTo(
            grid->model()->index(std::max(grid->currentRow(), 0), grid->model()->columnCount() - 1));
    }
    QApplication::processEvents();
    EXPECT_TRUE(window->grab().save(QDir(folder).filePath(QStringLiteral("main_0_amounts.png"))));
    // A client the firm serves, with its acts.
    w<DBGrid>("DBGrid1")->moveTo(
        window->clientRegister().rowOfId(scalarInt("SELECT min(ID_NUMBER) FROM ACTS")));
    emit w<DBGrid>("DBGrid1")->clicked(w<DBGrid>("DBGrid1")->currentIndex());
    QApplication::processEvents();
    EXPECT_TRUE(window->grab().save(QDir(folder).filePath(QStringLiteral("main_0_acts.png"))));
    std::vector<std::pair<const char*, QString>> shots;
    for (const char* item : kDialogCommands)
        shots.emplace_back(item, QString());
    // Those that share a dialog with another command get names of their own.
    shots.insert(shots.end(), {{"N17", "receipt_editor"},
                               {"N14", "data_register"},
                               {"N21", "TNewN1PForm"},
                               {"N22", "TNewN2PForm"},
                               {"ActNew", "act_editor"},
                               {"DebtorsReport", "debtors"},
                               {"PayInvoice", "payment"},
                               {"Reconciliation", "reconciliation"}});
    for (const auto& [item, name] : shots) {
        whenModal([&folder, name = name](QWidget* dialog) {
            QApplication::processEvents();
            EXPECT_TRUE(dialog->grab().save(QDir(folder).filePath(
                (name.isEmpty() ? dialog->objectName() : name) + QStringLiteral(".png"))));
            dialog->close();
        });
        w<QAction>(item)->trigger();
    }

    // The chosen client's reconciliation act with two payments in it, as its preview shows it.
    const int client = window->currentClientId();
    execOrThrow(ConnectionOf(window->dataModule()),
                QStringLiteral("INSERT INTO PLATEG (PLAT_NUMBER, PLAT_DATA, SUMMA, ID_NUMBER) VALUES (1, "
                               "'2026-01-15', 1500, %1), (2, '2026-02-20', 250.5, %1)")
                    .arg(client));
    previewReconciliation([&folder](PreviewWindow* preview) {
        EXPECT_TRUE(preview->grab().save(QDir(folder).filePath(QStringLiteral("reconciliation_act.png"))));
    });

    // A statement as the import shows it: a payment of an invoice, one of a known payer without a document,
    // one of a payer the book does not know, and an outgoing one.
    const int invoice =
        scalarInt(QStringLiteral("SELECT min(FACT_NUMBER) FROM FACTURES WHERE ID_NUMBER=%1 AND FACT_NUMBER>0")
                      .arg(client));
    importStatement(
        QStringLiteral("05.12.2026;{account};9;{code};Клієнт;1000,00;Оплата за рах. № %1\n"
                       "06.12.2026;{account};10;{code};Клієнт;500,00;Передоплата згідно з договором\n"
                       "06.12.2026;{account};11;31234567;ФОП Новенко О.О.;250,00;Оплата за послуги\n"
                       "07.12.2026;{account};12;{code};Клієнт;-100,00;Повернення коштів\n")
            .arg(invoice),
        [&folder](QWidget* form) {
            QApplication::processEvents();
            EXPECT_TRUE(form->grab().save(QDir(folder).filePath(QStringLiteral("statement.png"))));
            form->close();
        });
}

TEST_F(MainWindowTest, AnActIsWrittenEditedAndPreviewedFromItsList)
{
    open();
    QStringList items;
    for (QAction* a : window->popupMenu(6)->actions())
        items << a->objectName();
    EXPECT_EQ(items, (QStringList{"ActNew", "ActCopy", "ActEdit", "ActDelete", "ActPreview", "ActPrint",
                                  "ActRegister", "PayAct"}));
    const int next = scalarInt(QStringLiteral("SELECT max(ACT_NUMBER) + 1 FROM ACTS"));
    // The figures follow the typing; a sum with kopecks' fractions is refused and the editor stays.
    whenModal([this](QWidget* editor) {
        child<QPlainTextEdit>(editor, "ActWork")->setPlainText(QStringLiteral("Прибирання приміщень"));
        auto* sum = child<NumberField>(editor, "ActSum");
        sum->setText(QStringLiteral("1000,005"));
        child<QPushButton>(editor, "ActStore")->click();
        EXPECT_TRUE(editor->isVisible());
        EXPECT_TRUE(prompter.messages().back().text.startsWith(QStringLiteral("Сумма акта «1000,005»")));
        QTest::keyClick(sum, Qt::Key_End);
        QTest::keyClick(sum, Qt::Key_Backspace); // 1000,00 + 20 % of the settings
        EXPECT_EQ(child<QLabel>(editor, "ActFigures")->text(),
                  QStringLiteral("НДС: 200,00    Всего с НДС: 1200,00"));
        child<QPushButton>(editor, "ActStore")->click();
    });
    w<QAction>("ActNew")->trigger();
    auto* acts = w<DBGrid>("DBGrid7");
    ASSERT_EQ(acts->listModel()->value(acts->currentRow(), QStringLiteral("ACT_NUMBER")).toInt(), next);
    EXPECT_EQ(acts->model()->index(acts->currentRow(), 5).data().toString(), QStringLiteral("1200,00"));
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT ID_NUMBER FROM ACTS WHERE ACT_NUMBER=%1").arg(next)),
              window->currentClientId());

    // Edited: the same act, not a new one.
    whenModal([next](QWidget* editor) {
        EXPECT_EQ(child<QSpinBox>(editor, "ActNumber")->value(), next);
        child<QLineEdit>(editor, "ActRepresentative")->setText(QStringLiteral("Іваненко І.І."));
        child<QPushButton>(editor, "ActStore")->click();
    });
    w<QAction>("ActEdit")->trigger();
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM ACTS WHERE ACT_NUMBER=%1 AND "
                                       "NAME_CLIENT='Іваненко І.І.'")
                            .arg(next)),
              1);
    QString title;
    whenModal([&title](QWidget* preview) {
        title = static_cast<PreviewWindow*>(preview)->page().element(QStringLiteral("ActTitle"))->text;
        preview->close();
    });
    w<QAction>("ActPreview")->trigger();
    EXPECT_EQ(title, QStringLiteral("Акт № %1 здачі-приймання виконаних робіт (наданих послуг)").arg(next));
    prompter.queueAnswer(true);
    w<QAction>("ActDelete")->trigger();
    EXPECT_EQ(
        prompter.messages().back().text,
        QStringLiteral("Удалить акт № %1 от %2?").arg(next).arg(QDate::currentDate().toString("dd.MM.yyyy")));
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM ACTS WHERE ACT_NUMBER=%1").arg(next)), 0);
}

TEST_F(MainWindowTest, APaymentTypedOnAnInvoiceShowsInItsRow)
{
    open();
    auto* invoices = w<DBGrid>("DBGrid3");
    ASSERT_GE(invoices->currentRow(), 0);
    const QString total = invoices->model()
                              ->index(invoices->currentRow(), invoices->listModel()->columnOf("DOC_TOTAL"))
                              .data()
                              .toString();
    whenModal([&total](QWidget* dialog) {
        auto* sum = child<NumberField>(dialog, "PaymentSum");
        EXPECT_EQ(sum->text(), total); // the unpaid rest proposed
        sum->setText(QStringLiteral("100,00"));
        child<QLineEdit>(dialog, "PaymentBankNumber")->setText(QStringLiteral("77"));
        child<QPushButton>(dialog, "PaymentStore")->click();
    });
    w<QAction>("PayInvoice")->trigger();
    const auto cell = [invoices](const char* column) {
        return invoices->model()
            ->index(invoices->currentRow(), invoices->listModel()->columnOf(QLatin1String(column)))
            .data()
            .toString();
    };
    EXPECT_EQ(cell("DOC_PAID"), QStringLiteral("100,00"));
    EXPECT_EQ(cell("DOC_STATE"), QStringLiteral("частично"));
    EXPECT_EQ(
        scalarInt(QStringLiteral("SELECT count(*) FROM PLATEG WHERE BANK_NUMBER='77' AND SOURCE='typed'")),
        1);
}

TEST_F(MainWindowTest, AStatementIsShownLineByLineAndStoredOnce)
{
    open();
    auto* invoices = w<DBGrid>("DBGrid3");
    const int invoice = int(invoices->listModel()->keyAt(invoices->currentRow()));
    const auto load = [&](bool store) {
        importStatement(
            QStringLiteral("05.12.2026;{account};9;{code};Клієнт;100,00;Оплата за рах. %1\n"
                           "06.12.2026;{account};10;{code};Клієнт;50,00;Передоплата\n")
                .arg(invoice),
            [&, store](QWidget* form) {
                auto* lines = child<QTableWidget>(form, "StatementLines");
                EXPECT_EQ(lines->rowCount(), 2);
                EXPECT_EQ(lines->item(0, 4)->text(),
                          store ? QStringLiteral("с/ф № %1").arg(invoice) : QStringLiteral("уже в базе"));
                EXPECT_EQ(child<QPushButton>(form, "StatementStore")->isEnabled(), store);
                if (!store) {
                    form->close();
                    return;
                }
                // The payment without a number is tied by hand to the same invoice.
                auto* choice = child<QComboBox>(form, "StatementDocument2");
                ASSERT_NE(choice, nullptr);
                EXPECT_EQ(choice->itemText(0), QStringLiteral("без счета, на клиента"));
                choice->setCurrentIndex(choice->findData(invoice));
                EXPECT_TRUE(choice->currentText().startsWith(QStringLiteral("с/ф № %1 от ").arg(invoice)));
                child<QPushButton>(form, "StatementStore")->click();
            });
    };
    load(true);
    EXPECT_EQ(invoices->model()
                  ->index(invoices->currentRow(), invoices->listModel()->columnOf("DOC_PAID"))
                  .data()
                  .toString(),
              QStringLiteral("150,00"));
    load(false); // the same statement again: nothing new
    EXPECT_EQ(scalarInt(QStringLiteral("SELECT count(*) FROM PLATEG WHERE FACT_NUMBER=%1").arg(invoice)), 2);

    // Both stand as credits in the client's reconciliation act, named by the bank's numbers.
    QStringList credits;
    previewReconciliation([&credits](PreviewWindow* preview) {
        for (const Page& page : preview->pages())
            for (const PageElement& e : page.elements())
                if (e.text.startsWith(QStringLiteral("Оплата, п/д")))
                    credits << e.text + u' ' +
                                   page.element(e.name.chopped(8) + QStringLiteral("Credit"))->text;
    });
    EXPECT_EQ(credits, QStringList({"Оплата, п/д № 9 100,00", "Оплата, п/д № 10 50,00"}));
}
