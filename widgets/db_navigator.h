#pragma once

#include <QList>
#include <QWidget>

class DBGrid;
class QToolButton;

// The record navigator under a grid: first, prior, next, last, delete, edit, post, cancel; with the full
// set also insert (after last) and refresh (at the end).
class DBNavigator : public QWidget {
    Q_OBJECT
public:
    explicit DBNavigator(QWidget* parent = nullptr);
    void setGrid(DBGrid* grid) { m_grid = grid; }
    void setFullSet(bool full);
    QToolButton* button(const QString& name) const;

signals:
    // The delete button: the owner asks and deletes.
    void deleteRequested();
    void insertRequested();
    void refreshRequested();
    // After "cancel" has dropped what was being typed.
    void cancelled();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void act(const QString& name);
    void showHints();
    void makeTabStop(QToolButton* stop);
    DBGrid* m_grid = nullptr;
    QList<QToolButton*> m_buttons;
};
