#include "widgets/widget_prompter.h"

#include "widgets/access_keys.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

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
    // One button per answer under the question, which wraps: as narrow as the longest answer needs.
    QDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("ChoiceDialog"));
    dialog.setWindowTitle(windowTitle.isEmpty() ? title() : windowTitle);
    auto* column = new QVBoxLayout(&dialog);
    auto* text = new QLabel(question, &dialog);
    text->setWordWrap(true);
    column->addWidget(text);
    int chosen = -1;
    for (qsizetype i = 0; i < items.size(); ++i) {
        auto* button = new QPushButton(items[i], &dialog);
        button->setObjectName(QStringLiteral("Choice%1").arg(i));
        button->setDefault(i == defaultIndex);
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, &chosen, i] {
            chosen = int(i);
            dialog.accept();
        });
        column->addWidget(button);
    }
    auto* cancel = new QDialogButtonBox(QDialogButtonBox::Cancel, &dialog);
    QObject::connect(cancel, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    column->addWidget(cancel);
    text->setMinimumWidth(std::min(text->fontMetrics().averageCharWidth() * 60,
                                   text->fontMetrics().horizontalAdvance(question)));
    AssignAccessLetters(&dialog);
    column->setSizeConstraint(QLayout::SetFixedSize);
    return dialog.exec() == QDialog::Accepted ? chosen : -1;
}
