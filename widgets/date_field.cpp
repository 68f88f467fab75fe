#include "widgets/date_field.h"

#include "widgets/widget_prompter.h"

#include <QAction>
#include <QCalendarWidget>
#include <QEvent>
#include <QFocusEvent>
#include <QStyle>

namespace {
const QString kFormat = QStringLiteral("dd.MM.yyyy");
}

DateField::DateField(QWidget* parent)
    : QLineEdit(parent)
{
    // Every digit may stay blank, so an empty field is just its two dots.
    setInputMask(QStringLiteral("00.00.0000;_"));
    QAction* pick = addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    pick->setObjectName(QStringLiteral("CalendarButton"));
    pick->setToolTip(tr("Выбрать дату в календаре"));
    m_pick = pick;
    connect(pick, &QAction::triggered, this, &DateField::showCalendar);
    connect(this, &QLineEdit::returnPressed, this, &DateField::takeTyped);
    display(QDate());
}

QCalendarWidget* DateField::calendar()
{
    // Made when first opened: a window holds several date fields, and a calendar costs most of one.
    if (!m_calendar) {
        m_calendar = new QCalendarWidget(this);
        m_calendar->setWindowFlags(Qt::Popup);
        m_calendar->setObjectName(QStringLiteral("Calendar"));
        m_calendar->setGridVisible(true);
        connect(m_calendar, &QCalendarWidget::clicked, this, [this](QDate picked) {
            m_calendar->hide();
            if (picked != m_date) {
                display(picked);
                emit dateEdited(m_date);
            }
            setFocus();
        });
    }
    return m_calendar;
}

QDate DateField::parse(const QString& text, bool* ok)
{
    QString digits = text;
    digits.remove(u'.').remove(u'_').remove(u' ');
    if (digits.isEmpty()) {
        *ok = true;
        return {};
    }
    const QDate date = QDate::fromString(text, kFormat);
    *ok = date.isValid();
    return date;
}

void DateField::setDate(const QDate& date)
{
    display(date);
}

void DateField::display(const QDate& date)
{
    m_date = date.isValid() ? date : QDate();
    setText(m_date.isValid() ? m_date.toString(kFormat) : QString());
    setModified(false);
}

void DateField::showCalendar()
{
    takeTyped();
    QCalendarWidget* shown = calendar();
    // An empty field opens on today, not on the first date the calendar knows.
    shown->setSelectedDate(m_date.isValid() ? m_date : QDate::currentDate());
    shown->setLocale(locale());
    shown->adjustSize();
    shown->move(mapToGlobal(QPoint(0, height())));
    shown->show();
    shown->setFocus();
}

void DateField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        takeTyped();
}

void DateField::takeTyped()
{
    if (m_taking || !isModified())
        return;
    m_taking = true;
    bool ok = false;
    const QDate typed = parse(text(), &ok);
    if (!ok) {
        const QString shown = text();
        display(m_date);
        const QString message = tr("Неверная дата: %1. Дата вводится в виде ДД.ММ.ГГГГ.").arg(shown);
        if (m_prompter)
            m_prompter->error(message);
        else
            WidgetPrompter(this).error(message);
    } else {
        const bool changed = typed != m_date;
        display(typed);
        if (changed)
            emit dateEdited(m_date);
    }
    m_taking = false;
}

void DateField::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        m_pick->setToolTip(tr("Выбрать дату в календаре"));
    QLineEdit::changeEvent(event);
}
