#include "widgets/radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <QScopedValueRollback>

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent)
    , m_group(new QButtonGroup(this))
{
    new QGridLayout(this);
    // A screen reader checks a button without clicking it, so the choice is what counts, not the click.
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked && !m_settingUp)
            emit itemChosen(id);
    });
}

void RadioGroup::setItems(const QStringList& items)
{
    m_items = items;
    rebuild();
}

void RadioGroup::setColumns(int columns)
{
    m_columns = std::max(columns, 1);
    rebuild();
}

int RadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    const QScopedValueRollback quiet(m_settingUp, true);
    if (QAbstractButton* b = m_group->button(index))
        b->setChecked(true);
}

void RadioGroup::rebuild()
{
    const int current = std::max(itemIndex(), 0);
    const QScopedValueRollback quiet(m_settingUp, true);
    for (QAbstractButton* b : m_group->buttons()) {
        m_group->removeButton(b);
        delete b;
    }
    auto* grid = static_cast<QGridLayout*>(layout());
    const int rows = (int(m_items.size()) + m_columns - 1) / m_columns;
    for (int i = 0; i < m_items.size(); ++i) {
        auto* button = new QRadioButton(m_items[i], this);
        button->setObjectName(objectName() + QStringLiteral("_%1").arg(i));
        m_group->addButton(button, i);
        grid->addWidget(button, rows ? i % rows : 0, rows ? i / rows : 0);
    }
    setItemIndex(std::min(current, int(m_items.size()) - 1));
}
