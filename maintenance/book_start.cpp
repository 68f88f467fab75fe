#include "maintenance/book_start.h"

#include "base/prompter.h"
#include "db/data_module.h"
#include "maintenance/demo_data.h"

#include <QCoreApplication>
#include <QDir>

BookStart AskHowToStart(const QString& folder, Prompter& prompter)
{
    const bool emptyBook = TDM::databaseExists(folder);
    const int choice = prompter.choose(
        (emptyBook
             ? QCoreApplication::translate("BookStart", "База данных в папке %1 пока пуста. С чего начать?")
             : QCoreApplication::translate("BookStart", "В папке %1 ещё нет базы данных. С чего начать?"))
            .arg(QDir::toNativeSeparators(folder)),
        {emptyBook ? QCoreApplication::translate("BookStart", "Начать работу с пустой базой данных")
                   : QCoreApplication::translate("BookStart", "Создать новую пустую базу данных"),
         QCoreApplication::translate("BookStart", "Перенести базу из таблиц Paradox..."),
         QCoreApplication::translate("BookStart", "Открыть демонстрационную базу данных"),
         QCoreApplication::translate("BookStart", "Выбрать другую папку базы данных...")},
        0, QCoreApplication::translate("BookStart", "Добро пожаловать в ДОКУМАР"));
    switch (choice) {
    case 0:
        return BookStart::Empty;
    case 1:
        return BookStart::FromParadox;
    case 2:
        return BookStart::Demo;
    case 3:
        return BookStart::OtherFolder;
    default:
        return BookStart::Nothing;
    }
}

BookStart OfferNewBook(const QString& folder, const QString& serverBook, Prompter& prompter)
{
    if (!serverBook.isEmpty() || TDM::databaseExists(folder))
        return BookStart::Nothing;
    const int choice =
        prompter.choose(QCoreApplication::translate(
                            "BookStart", "В папке %1 нет базы данных. Создать в ней новую пустую базу "
                                         "данных или перенести в неё базу из таблиц Paradox?")
                            .arg(QDir::toNativeSeparators(folder)),
                        {QCoreApplication::translate("BookStart", "Создать новую пустую базу данных"),
                         QCoreApplication::translate("BookStart", "Перенести базу из таблиц Paradox...")},
                        0);
    return choice == 0 ? BookStart::Empty : choice == 1 ? BookStart::FromParadox : BookStart::Nothing;
}

bool BeginBook(TDM& dm, const QString& folder, BookStart how, bool withOwnerRow, Prompter& prompter)
{
    try {
        if (!TDM::databaseExists(folder))
            TDM::createDatabase(folder);
        dm.connect(folder);
        if (how == BookStart::Demo)
            FillDemoData(dm, {30, 300, 1});
        OwnerRecord owner;
        if (withOwnerRow && how == BookStart::Empty && !dm.ReadOwnerRow(owner))
            dm.SaveOwnerRecord(owner);
    } catch (const DbError& e) {
        prompter.error(e.message(), e.detail());
        return false;
    }
    return true;
}
