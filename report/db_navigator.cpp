#include "report/db_navigator.h"

#include "report/db_grid.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

DBNavigator::DBNavigator(QWidget* parent)
    : QWidget(parent)
{
    struct Button {
        const char* name;
        const char* text;
        const char* hint;
    };
    static const Button buttons[] = {
        {"first", "|◀", QT_TR_NOOP("первая запись")},
        {"prior", "◀", QT_TR_NOOP("предыдущая запись")},
        {"next", "▶", QT_TR_NOOP("последующая запись")},
        {"last", "▶|", QT_TR_NOOP("последняя запись")},
        {"insert", "+", QT_TR_NOOP("вставить запись")},
        {"delete", "−", QT_TR_NOOP("удалить запись")},
        {"edit", "▲", QT_TR_NOOP("редактировать запись")},
        {"post", "✓", QT_TR_NOOP("сохранить изменения")},
        {"cancel", "✗", QT_TR_NOOP("отменить изменения")},
        {"refresh", "↻", QT_TR_NOOP("обновить содержимое")},
    };
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const Button& b : buttons) {
        auto* button = new QToolButton(this);
        button->setObjectName(QLatin1String(b.name));
        button->setText(QString::fromUtf8(b.text));
        button->setToolTip(tr(b.hint));
        button->setAutoRaise(false);
        button->setFixedSize(26, 22);
        const QString name = QLatin1String(b.name);
        connect(button, &QToolButton::clicked, this, [this, name] { act(name); });
        layout->addWidget(button);
    }
    layout->addStretch();
    setFullSet(false);
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
