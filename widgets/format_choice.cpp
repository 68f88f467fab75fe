#include "widgets/format_choice.h"

#include "base/whole_file.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

FormatChoice::FormatChoice(QWidget* parent)
    : QWidget(parent)
    , m_text(new QRadioButton(this))
    , m_sheet(new QRadioButton(this))
{
    m_text->setObjectName(QStringLiteral("FormatText"));
    m_sheet->setObjectName(QStringLiteral("FormatSheet"));
    m_text->setChecked(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    layout->addWidget(m_sheet);
    layout->addStretch(1);
    retranslate();
    connect(m_sheet, &QRadioButton::toggled, this, [this](bool sheet) {
        if (!m_file)
            return;
        const QString name = m_file->text();
        if (sheet) {
            m_textName = name;
            m_file->setText(SpreadsheetName(name));
        } else if (IsSpreadsheetName(name)) {
            m_file->setText(name == SpreadsheetName(m_textName) ? m_textName
                                                                : name.chopped(5) + QStringLiteral(".txt"));
        }
    });
}

void FormatChoice::bind(QLineEdit* file)
{
    m_file = file;
}

bool FormatChoice::spreadsheet() const
{
    return m_sheet->isChecked();
}

void FormatChoice::reset()
{
    m_text->setChecked(true);
}

QString FormatChoice::fileFilter() const
{
    return spreadsheet() ? tr("Таблицы Excel (*.xlsx)") : tr("Текстовые файлы (*.txt)");
}

void FormatChoice::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void FormatChoice::retranslate()
{
    m_text->setText(tr("&Текст (как прежде)"));
    m_sheet->setText(tr("Таблица &Excel (.xlsx)"));
}
