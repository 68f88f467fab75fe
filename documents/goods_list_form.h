#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TTovListForm;
}
class GoodsList;
class Prompter;

// The goods list: names and prices edited in the grid, rows added and deleted through the navigator,
// sorted by a click on a column title.
class TTovListForm : public QDialog {
    Q_OBJECT
public:
    TTovListForm(GoodsList& goods, Prompter& prompter, QWidget* parent = nullptr);
    ~TTovListForm() override;
    // Reads the list afresh, before each showing.
    void prepare();

    void done(int result) override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void deleteCurrent();
    // The row "+" put in, when it was left without a name and a price.
    void dropGivenUpInsert();

    std::unique_ptr<Ui::TTovListForm> ui;
    GoodsList& m_goods;
    Prompter& m_prompter;
    qint64 m_inserted = -1; // the key of the row "+" put in, until it is given up or moved away from
};
