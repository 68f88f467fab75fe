#pragma once

#include <QWidget>

class DBGrid;
class QToolButton;

// The record navigator under a document grid: first, prior, next, last, delete, edit, post, cancel.
class DBNavigator : public QWidget {
    Q_OBJECT
public:
    explicit DBNavigator(QWidget* parent = nullptr);
    void setGrid(DBGrid* grid) { m_grid = grid; }
    QToolButton* button(const QString& name) const;

signals:
    // The delete button: the owner asks and deletes.
    void deleteRequested();

private:
    void act(const QString& name);
    DBGrid* m_grid = nullptr;
};
