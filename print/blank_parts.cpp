#include "print/blank_parts.h"

#include <QCoreApplication>

#include "db/data_module.h"

#include "base/month_names.h"
#include "db/tables.h"

QString MissingDocumentText(int number)
{
    return number < 0 ? QCoreApplication::translate("WaybillIssue", "Не найдена исходное поступление!")
                      : QCoreApplication::translate("WaybillIssue", "Не найдена исходная счет-фактура №") +
                            QString::number(number);
}

void AddLabels(Page& page, std::span<const LabelDef> labels)
{
    for (const LabelDef& d : labels) {
        const Qt::Alignment align = d.align == 'r'   ? Qt::AlignRight
                                    : d.align == 'c' ? Qt::AlignHCenter
                                                     : Qt::AlignLeft;
        PageElement label =
            makeLabel(QLatin1String(d.name), d.left, d.top, d.width, d.height,
                      d.font == 'T' ? QStringLiteral("Times New Roman") : QStringLiteral("Arial"), d.size,
                      d.bold, align, d.autoSize, QString::fromUtf8(d.text));
        label.transparent = d.transparent;
        page.add(std::move(label));
    }
}

void AddShapes(Page& page, std::span<const ShapeDef> shapes)
{
    for (const ShapeDef& d : shapes)
        page.add(makeShape(QLatin1String(d.name), d.shape, d.left, d.top, d.width, d.height));
}

namespace Blank {

void set(Page& page, const char* name, const QString& text)
{
    if (PageElement* e = page.element(QLatin1String(name)))
        e->text = text;
}

void setColor(Page& page, const char* name, const QColor& color)
{
    if (PageElement* e = page.element(QLatin1String(name)))
        e->color = color;
}

void setTop(Page& page, const char* name, double top)
{
    if (PageElement* e = page.element(QLatin1String(name)))
        e->top = top;
}

void setHeight(Page& page, const char* name, double height)
{
    if (PageElement* e = page.element(QLatin1String(name)))
        e->height = height;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

bool isEmptyDate(const QDate& date)
{
    return !date.isValid() || date == kDateZero;
}

void setDate(Page& page, const char* day, const char* month, const char* year, const QDate& date,
             int monthBlock)
{
    const bool empty = isEmptyDate(date);
    set(page, day, empty ? QStringLiteral(" ") : twoDigits(date.day()));
    set(page, month, empty ? QStringLiteral(" ") : MonthName(monthBlock + date.month()));
    set(page, year, empty ? QStringLiteral(" ") : QString::number(date.year()));
}

bool isLumpSum(const QString& unit)
{
    return unit.trimmed().isEmpty();
}

} // namespace Blank

QStringList SampleOwnerDetails(const OwnerRecord& owner, std::span<QString OwnerRecord::*const> printed)
{
    static const OwnerRecord samples;
    static const std::pair<QString OwnerRecord::*, const char*> names[] = {
        {&OwnerRecord::FIRMNAME, QT_TRANSLATE_NOOP("Blank", "название фирмы")},
        {&OwnerRecord::TELFAX, QT_TRANSLATE_NOOP("Blank", "телефон")},
        {&OwnerRecord::OKPOCODE, QT_TRANSLATE_NOOP("Blank", "код ЕДРПОУ")},
        {&OwnerRecord::TAXCODE, QT_TRANSLATE_NOOP("Blank", "ІПН")},
        {&OwnerRecord::REGNUMBER, QT_TRANSLATE_NOOP("Blank", "№ свидетельства")},
        {&OwnerRecord::CHETNUMBER, QT_TRANSLATE_NOOP("Blank", "расчётный счёт")},
        {&OwnerRecord::MFOCODE, QT_TRANSLATE_NOOP("Blank", "МФО")},
        {&OwnerRecord::BANKNAME, QT_TRANSLATE_NOOP("Blank", "название банка")},
        {&OwnerRecord::BUHALTER, QT_TRANSLATE_NOOP("Blank", "Ф.И.О. бухгалтера")},
    };
    QStringList found;
    for (const auto& [member, name] : names)
        if (std::find(printed.begin(), printed.end(), member) != printed.end() &&
            owner.*member == samples.*member)
            found << QCoreApplication::translate("Blank", name);
    return found;
}

WaybillDocuments ReadWaybillDocuments(const TDM& dm, int first, int second, int third)
{
    return {dm.ReadDocument(first), dm.ReadDocument(second), dm.ReadDocument(third)};
}
