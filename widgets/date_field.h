#pragma once

#include <QDate>
#include <QLineEdit>

class Prompter;
class QAction;
class QCalendarWidget;

// A date typed as ДД.ММ.ГГГГ (the dots may be typed or skipped) or picked from a calendar, or no date at
// all. A date that does not exist is refused with a message and the field goes back to its last date: it
// never becomes some other date.
class DateField : public QLineEdit {
    Q_OBJECT
public:
    explicit DateField(QWidget* parent = nullptr);

    // A null date when the field is empty. What was typed counts, whether or not the field has lost the
    // focus since (a button pressed from the keyboard takes none).
    QDate date()
    {
        takeTyped();
        return m_date;
    }
    void setDate(const QDate& date);
    // Messages go here; without one, to a message box over the field.
    void setPrompter(Prompter* prompter) { m_prompter = prompter; }
    // The calendar the button opens, made when first asked for.
    QCalendarWidget* calendar();

    // The field's text as a date: *ok false when it is neither empty nor a date that exists.
    static QDate parse(const QString& text, bool* ok);

signals:
    // The user changed the date, by typing or with the calendar.
    void dateEdited(const QDate& date);

public slots:
    void showCalendar();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void takeTyped();
    void display(const QDate& date);

    QDate m_date;
    QCalendarWidget* m_calendar = nullptr;
    QAction* m_pick = nullptr;
    Prompter* m_prompter = nullptr;
    bool m_taking = false;
};
