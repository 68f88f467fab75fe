#include "widgets/db_navigator.h"

#include "widgets/db_grid.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QStyle>
#include <QToolButton>

namespace {

struct Button {
    const char* name;
    const char* text;
    const char* hint;
};
const Button kButtons[] = {
    {"first", "|◀", QT_TRANSLATE_NOOP("DBNavigator", "первая запись")},
    {"prior", "◀", QT_TRANSLATE_NOOP("DBNavigator", "предыдущая запись")},
    {"next", "▶", QT_TRANSLATE_NOOP("DBNavigator", "последующая запись")},
    {"last", "▶|", QT_TRANSLATE_NOOP("DBNavigator", "последняя запись")},
    {"insert", "+", QT_TRANSLATE_NOOP("DBNavigator", "вставить запись")},
    {"delete", "−", QT_TRANSLATE_NOOP("DBNavigator", "удалить запись")},
    {"edit", "▲", QT_TRANSLATE_NOOP("DBNavigator", "редактировать запись")},
    {"post", "✓", QT_TRANSLATE_NOOP("DBNavigator", "сохранить изменения")},
    {"cancel", "✗", QT_TRANSLATE_NOOP("DBNavigator", "отменить изменения")},
    {"refresh", "↻", QT_TRANSLATE_NOOP("DBNavigator", "обновить содержимое")},
};

} // namespace

DBNavigator::DBNavigator(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const Button& b : kButtons) {
        auto* button = new QToolButton(this);
        button->setObjectName(QLatin1String(b.name));
        button->setText(QString::fromUtf8(b.text));
        button->setAutoRaise(false);
        button->setFixedSize(26, 22);
        const QString name = QLatin1String(b.name);
        connect(button, &QToolButton::clicked, this, [this, name] { act(name); });
        button->installEventFilter(this);
        layout->addWidget(button);
        m_buttons << button;
    }
    layout->addStretch();
    showHints();
    setFullSet(false);
    makeTabStop(m_buttons.front());
}

void DBNavigator::makeTabStop(QToolButton* stop)
{
    // One Tab stop for the whole bar; the arrows move within it.
    for (QToolButton* b : std::as_const(m_buttons))
        b->setFocusPolicy(b == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

bool DBNavigator::eventFilter(QObject* watched, QEvent* event)
{
    auto* current = qobject_cast<QToolButton*>(watched);
    if (event->type() == QEvent::FocusIn && current)
        makeTabStop(current);
    if (event->type() != QEvent::KeyPress || !current)
        return QWidget::eventFilter(watched, event);
    QList<QToolButton*> shown;
    for (QToolButton* b : std::as_const(m_buttons))
        if (b->isVisibleTo(this))
            shown << b;
    const qsizetype at = shown.indexOf(current);
    qsizetype to = -1;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Left:
        to = std::max<qsizetype>(at - 1, 0);
        break;
    case Qt::Key_Right:
        to = std::min(at + 1, shown.size() - 1);
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = shown.size() - 1;
        break;
    default:
        return QWidget::eventFilter(watched, event);
    }
    if (at >= 0 && to >= 0)
        shown[to]->setFocus(Qt::TabFocusReason);
    return true;
}

void DBNavigator::showHints()
{
    for (const Button& b : kButtons) {
        QToolButton* button = this->button(QLatin1String(b.name));
        button->setToolTip(tr(b.hint));
        button->setAccessibleName(tr(b.hint)); // the symbols mean nothing read aloud
    }
}

void DBNavigator::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        showHints();
    QWidget::changeEvent(event);
}

void DBNavigator::setFullSet(bool full)
{
    button(QStringLiteral("insert"))->setVisible(full);
    button(QStringLiteral("refresh"))->setVisible(full);
}

QToolButton* DBNavigator::button(const QString& name) const
{
    return findChild<QToolButton*>(name);
}

void DBNavigator::act(const QString& name)
{
    if (!m_grid || !m_grid->model())
        return;
    const int rows = m_grid->model()->rowCount();
    const int row = m_grid->currentRow();
    if (name == QLatin1String("first"))
        m_grid->moveTo(0);
    else if (name == QLatin1String("prior"))
        m_grid->moveTo(std::max(row - 1, 0));
    else if (name == QLatin1String("next"))
        m_grid->moveTo(std::min(row + 1, rows - 1));
    else if (name == QLatin1String("last"))
        m_grid->moveTo(rows - 1);
    else if (name == QLatin1String("delete"))
        emit deleteRequested();
    else if (name == QLatin1String("insert"))
        emit insertRequested();
    else if (name == QLatin1String("refresh"))
        emit refreshRequested();
    else if (name == QLatin1String("edit") && m_grid->currentIndex().isValid())
        m_grid->edit(m_grid->currentIndex());
    else if (name == QLatin1String("post"))
        m_grid->post();
    else if (name == QLatin1String("cancel")) {
        m_grid->cancel();
        emit cancelled();
    }
}
