#pragma once

#include "base/number_format.h"

#include <QLineEdit>

// A number typed with "," or "." for the decimals. It shows a value with the field's decimals but hands back
// exactly the value it was given as long as its text is not changed, so a field the user did not touch
// never rounds a stored figure.
class NumberField : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberField(QWidget* parent = nullptr);

    void setPlaces(int places);
    int places() const { return m_places; }
    void setNegativesAllowed(bool allowed) { m_negatives = allowed; }
    bool negativesAllowed() const { return m_negatives; }

    void setValue(double value);
    // The value the field holds: the one given, untouched, or the text typed since.
    TypedNumber read(double* value) const;
    // The value when the text is a number the field can hold, else 0.
    double value() const;

private:
    int m_places = 2;
    bool m_negatives = false;
    double m_value = 0;
    QString m_shown;
};
