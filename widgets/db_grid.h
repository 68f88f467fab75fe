#pragma once

#include <QTableView>

class SqlListModel;

// A grid over a list model: whole rows are selected, column widths follow the list's widths in characters,
// and a cell being edited can be posted or cancelled from outside (the navigator's buttons).
class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget* parent = nullptr);

    void setListModel(SqlListModel* model);
    // Column widths from the model's characters, decimal places included.
    void fitColumns();
    SqlListModel* listModel() const { return m_model; }
    int currentRow() const;
    void moveTo(int row);
    void post();
    void cancel();
    bool isEditing() const { return state() == EditingState; }
    // Enter or Space on a row (not in a cell being edited) picks it, as a double click does, instead of
    // starting to edit the cell.
    void setPickedByKeys(bool picked) { m_pickedByKeys = picked; }

signals:
    void keyReleased(int key, Qt::KeyboardModifiers modifiers);
    void rowPicked(const QModelIndex& index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    SqlListModel* m_model = nullptr;
    bool m_pickedByKeys = false;
};

// A table of a window's own rows, to read rather than edit: rows chosen whole, no row numbers, and Tab goes
// on to the next control.
void ShowAsReadOnlyRows(QTableView* table);
