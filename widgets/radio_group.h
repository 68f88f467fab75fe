#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

// A captioned group of radio buttons with one chosen item, laid out in columns.
class RadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
    Q_PROPERTY(int columns READ columns WRITE setColumns)
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex)
public:
    explicit RadioGroup(QWidget* parent = nullptr);

    QStringList items() const { return m_items; }
    void setItems(const QStringList& items);
    int columns() const { return m_columns; }
    void setColumns(int columns);
    int itemIndex() const;
    void setItemIndex(int index);

signals:
    // The user chose an item, by mouse, keyboard or an assistive tool; not emitted by setItemIndex.
    void itemChosen(int index);

private:
    void rebuild();
    QStringList m_items;
    int m_columns = 1;
    bool m_settingUp = false;
    QButtonGroup* m_group;
};
