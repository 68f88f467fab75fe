#include "widgets/db_grid.h"

#include "db/list_model.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>

DBGrid::DBGrid(QWidget* parent)
    : QTableView(parent)
{
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setAlternatingRowColors(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setMinimumWidth(12);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->hide();
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setWordWrap(false);
    // Tab and Shift+Tab leave the grid for the next control; the arrows move within it.
    setTabKeyNavigation(false);
}

void DBGrid::keyPressEvent(QKeyEvent* event)
{
    // Shift+F10 opens the menu as the Menu key does, both at the current row rather than the mouse.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool menuKey = (event->key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
                         (event->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
    if (menuKey && contextMenuPolicy() == Qt::CustomContextMenu && !isEditing()) {
        const QRect row = visualRect(currentIndex());
        emit customContextMenuRequested(row.isValid() ? row.center() : QPoint(0, 0));
        event->accept();
        return;
    }
    const bool pickKey =
        event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (m_pickedByKeys && pickKey && !isEditing() && (event->modifiers() & ~Qt::KeypadModifier) == 0 &&
        currentIndex().isValid()) {
        emit rowPicked(currentIndex());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void DBGrid::setListModel(SqlListModel* model)
{
    m_model = model;
    setModel(model);
    const auto& columns = model->columns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        setColumnHidden(int(i), columns[i].hidden || columns[i].title.isEmpty());
    fitColumns();
}

void DBGrid::fitColumns()
{
    if (!m_model)
        return;
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int c = 0; c < m_model->columnCount(); ++c)
        setColumnWidth(c, m_model->displayChars(c) * charWidth + 8);
}

int DBGrid::currentRow() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void DBGrid::moveTo(int row)
{
    if (!model() || row < 0 || row >= model()->rowCount())
        return;
    const int column =
        currentIndex().isValid() ? currentIndex().column() : horizontalHeader()->logicalIndex(0);
    const QModelIndex index = model()->index(row, std::max(column, 0));
    setCurrentIndex(index);
    scrollTo(index);
}

void DBGrid::post()
{
    QWidget* editor = QApplication::focusWidget();
    if (isEditing() && editor && viewport()->isAncestorOf(editor)) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void DBGrid::cancel()
{
    QWidget* editor = QApplication::focusWidget();
    if (isEditing() && editor && viewport()->isAncestorOf(editor))
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void DBGrid::keyReleaseEvent(QKeyEvent* event)
{
    QTableView::keyReleaseEvent(event);
    emit keyReleased(event->key(), event->modifiers());
}

void ShowAsReadOnlyRows(QTableView* table)
{
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setTabKeyNavigation(false);
    table->verticalHeader()->hide();
}
