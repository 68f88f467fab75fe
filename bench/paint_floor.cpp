// The floor for a start-up: a main window with a menu, a table of text and a status bar, painted once.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // --cyrillic: the texts in the program's own script, whose fonts are looked up on first use.
    const bool cyrillic = app.arguments().contains(QStringLiteral("--cyrillic"));
    QMainWindow window;
    const QStringList menus = cyrillic
                                  ? QStringList{u"&Файл"_qs, u"&Документы"_qs, u"&Клиенты"_qs, u"&Справка"_qs}
                                  : QStringList{u"&File"_qs, u"&Documents"_qs, u"&Clients"_qs, u"&Help"_qs};
    for (const QString& menu : menus)
        window.menuBar()->addMenu(menu)->addAction(cyrillic ? u"Пункт"_qs : u"Item"_qs);
    auto* table = new QTableWidget(40, 6, &window);
    for (int row = 0; row < table->rowCount(); ++row)
        for (int column = 0; column < table->columnCount(); ++column)
            table->setItem(
                row, column,
                new QTableWidgetItem((cyrillic ? u"Текст %1.%2"_qs : u"Text %1.%2"_qs).arg(row).arg(column)));
    window.setCentralWidget(table);
    window.statusBar()->showMessage(cyrillic ? u"Готово"_qs : u"Ready"_qs);
    window.resize(800, 600);
    window.show();
    return app.exec();
}
