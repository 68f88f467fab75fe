#include "report/widget_prompter.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {
QString title()
{
    return QCoreApplication::translate("WidgetPrompter", "ДОКУМАР");
}
} // namespace

bool WidgetPrompter::ask(const QString& text)
{
    return QMessageBox::question(m_parent, title(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void WidgetPrompter::inform(const QString& text)
{
    QMessageBox::information(m_parent, title(), text);
}
void WidgetPrompter::warn(const QString& text)
{
    QMessageBox::warning(m_parent, title(), text);
}
void WidgetPrompter::error(const QString& text)
{
    QMessageBox::critical(m_parent, title(), text);
}

void WidgetPrompter::error(const QString& text, const QString& detail)
{
    QMessageBox box(QMessageBox::Critical, title(), text, QMessageBox::Ok, m_parent);
    box.setDetailedText(detail);
    box.exec();
}

int WidgetPrompter::choose(const QString& question, const QStringList& items, int defaultIndex,
                          const QString& windowTitle)
{
    bool ok = false;
    const QString item = QInputDialog::getItem(m_parent, windowTitle.isEmpty() ? title() : windowTitle,
                                               question, items, defaultIndex, false, &ok);
    return ok ? int(items.indexOf(item)) : -1;
}
