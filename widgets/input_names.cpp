#include "widgets/input_names.h"

#include <QAbstractSpinBox>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>

namespace {

constexpr char kGivenName[] = "docmarGivenName";

// A label's text as a name: no access mark, no trailing colon.
QString asName(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    text = text.simplified();
    // The marks that lead into a field on the screen say nothing read aloud.
    while (text.endsWith(u':') || text.endsWith(u' ') || text.endsWith(u'-'))
        text.chop(1);
    while (text.startsWith(u'-') || text.startsWith(u' '))
        text.remove(0, 1);
    return text;
}

// A label, or a check box whose text leads into the field after it ("печатать из файла: ___").
QWidget* labelOf(QLayoutItem* item)
{
    QWidget* w = item ? item->widget() : nullptr;
    return qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w) ? w : nullptr;
}

QString textOf(const QWidget* label)
{
    if (const auto* l = qobject_cast<const QLabel*>(label))
        return l->text();
    if (const auto* box = qobject_cast<const QCheckBox*>(label))
        return box->text();
    return {};
}

// The label standing before the item at the index: beside it in its row, or above it in a column.
QWidget* labelBefore(QLayout* layout, int index)
{
    if (auto* form = qobject_cast<QFormLayout*>(layout)) {
        int row = 0;
        QFormLayout::ItemRole role{};
        form->getItemPosition(index, &row, &role);
        return role == QFormLayout::FieldRole ? labelOf(form->itemAt(row, QFormLayout::LabelRole)) : nullptr;
    }
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(index, &row, &column, &rows, &columns);
        if (QWidget* left = column > 0 ? labelOf(grid->itemAtPosition(row, column - 1)) : nullptr)
            return left;
        return row > 0 ? labelOf(grid->itemAtPosition(row - 1, column)) : nullptr;
    }
    for (int i = index - 1; i >= 0; --i)
        if (!layout->itemAt(i)->spacerItem())
            return labelOf(layout->itemAt(i));
    return nullptr;
}

// The input's label in the layout, looking out of a row of its own (a field with its browse button) to the
// label before that row. *found tells whether the layout holds the input at all.
QWidget* labelIn(QLayout* layout, const QWidget* input, bool* found)
{
    for (int i = 0; layout && i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == input) {
            *found = true;
            return labelBefore(layout, i);
        }
        if (item->layout()) {
            QWidget* label = labelIn(item->layout(), input, found);
            if (*found) {
                const bool firstInRow = qobject_cast<QBoxLayout*>(item->layout()) &&
                                        item->layout()->indexOf(const_cast<QWidget*>(input)) == 0;
                return label || !firstInRow ? label : labelBefore(layout, i);
            }
        }
    }
    return nullptr;
}

QWidget* neighbourLabel(const QWidget* input)
{
    bool found = false;
    return input->parentWidget() ? labelIn(input->parentWidget()->layout(), input, &found) : nullptr;
}

QString nameOf(QWidget* input, const QList<QLabel*>& labels)
{
    for (QLabel* label : labels)
        if (label->buddy() == input && !asName(label->text()).isEmpty())
            return asName(label->text());
    if (QWidget* label = neighbourLabel(input); label && !asName(textOf(label)).isEmpty())
        return asName(textOf(label));
    if (auto* line = qobject_cast<QLineEdit*>(input); line && !line->placeholderText().isEmpty())
        return line->placeholderText();
    // The one field of a small dialog is what its title asks for.
    const auto inputs = input->window()->findChildren<QWidget*>();
    if (std::count_if(inputs.begin(), inputs.end(), [](const QWidget* w) { return IsInput(w); }) == 1)
        return asName(input->window()->windowTitle());
    return asName(input->toolTip());
}

} // namespace

bool IsInput(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    // The line edit inside a combo or spin box is part of it; the box is the input.
    if (parent && (qobject_cast<const QComboBox*>(parent) || qobject_cast<const QAbstractSpinBox*>(parent)))
        return false;
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QComboBox*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget);
}

void NameInputs(QWidget* window)
{
    const QList<QLabel*> labels = window->findChildren<QLabel*>();
    for (QWidget* input : window->findChildren<QWidget*>()) {
        if (!IsInput(input) || input->window() != window)
            continue;
        const bool given = input->property(kGivenName).toBool();
        if (!input->accessibleName().isEmpty() && !given)
            continue; // named by hand
        const QString name = nameOf(input, labels);
        input->setAccessibleName(name);
        input->setProperty(kGivenName, !name.isEmpty());
    }
}
