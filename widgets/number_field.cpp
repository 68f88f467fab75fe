#include "widgets/number_field.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

NumberField::NumberField(QWidget* parent)
    : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Only what a number is made of gets in; what the field cannot hold is said when it is read.
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\s*[-+]?[0-9\\s]*([.,][0-9]*)?\\s*")), this));
    setValue(0);
}

void NumberField::setPlaces(int places)
{
    m_places = places;
    // What was typed stays as typed; only an untouched value is shown anew.
    if (text() == m_shown)
        setValue(m_value);
}

void NumberField::setValue(double value)
{
    m_value = value;
    m_shown = TypedNumberText(value, m_places);
    setText(m_shown);
}

TypedNumber NumberField::read(double* value) const
{
    if (text() == m_shown) {
        *value = m_value;
        return TypedNumber::Ok;
    }
    return ParseTypedNumber(text(), m_places, m_negatives, value);
}

double NumberField::value() const
{
    double v = 0;
    return read(&v) == TypedNumber::Ok ? v : 0;
}
