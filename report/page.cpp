#include "report/page.h"

#include "base/whole_file.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

constexpr double kA4WidthMm = 210.0;
constexpr double kA4HeightMm = 297.0;
constexpr double kPxPerMm = 96.0 / 25.4;

// The names the page file uses, both ways.
const std::pair<ElementKind, const char*> kKindNames[] = {
    {ElementKind::Label, "label"},       {ElementKind::Shape, "shape"},
    {ElementKind::Image, "image"},       {ElementKind::RichText, "richtext"},
    {ElementKind::DataText, "datatext"}, {ElementKind::QrCode, "qrcode"}};
const std::pair<ShapeKind, const char*> kShapeNames[] = {
    {ShapeKind::Rectangle, "rectangle"}, {ShapeKind::HorLine, "horline"}, {ShapeKind::VertLine, "vertline"}};

template <typename E, std::size_t N> const char* nameOf(const std::pair<E, const char*> (&names)[N], E value)
{
    for (const auto& [v, name] : names)
        if (v == value)
            return name;
    return names[0].second;
}

template <typename E, std::size_t N>
std::optional<E> valueOf(const std::pair<E, const char*> (&names)[N], const QString& name)
{
    for (const auto& [v, n] : names)
        if (name == QLatin1String(n))
            return v;
    return std::nullopt;
}

QString alignName(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return QStringLiteral("right");
    if (a & Qt::AlignHCenter)
        return QStringLiteral("center");
    return QStringLiteral("left");
}

Qt::Alignment alignFromName(const QString& s)
{
    if (s == QLatin1String("right"))
        return Qt::AlignRight;
    if (s == QLatin1String("center"))
        return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

bool isLabel(const PageElement& e)
{
    return e.kind == ElementKind::Label || e.kind == ElementKind::DataText;
}

} // namespace

Page::Page(PageUnit unit)
    : m_unit(unit)
{
}

double Page::pxPerUnit() const
{
    return m_unit == PageUnit::Px ? 1.0 : kPxPerMm;
}
double Page::width() const
{
    return m_unit == PageUnit::Px ? 794 : kA4WidthMm;
}
double Page::height() const
{
    return m_unit == PageUnit::Px ? 1123 : kA4HeightMm;
}

PageElement& Page::add(PageElement element)
{
    m_elements.push_back(std::move(element));
    return m_elements.back();
}

PageElement* Page::element(const QString& name)
{
    for (PageElement& e : m_elements)
        if (e.name == name)
            return &e;
    return nullptr;
}

const PageElement* Page::element(const QString& name) const
{
    return const_cast<Page*>(this)->element(name);
}

QJsonObject Page::toJson() const
{
    QJsonArray elements;
    for (const PageElement& e : m_elements) {
        QJsonObject o{{"name", e.name},   {"kind", nameOf(kKindNames, e.kind)},
                      {"left", e.left},   {"top", e.top},
                      {"width", e.width}, {"height", e.height}};
        if (!e.visible)
            o["visible"] = false;
        if (isLabel(e)) {
            o["text"] = e.text;
            o["font"] = QJsonObject{{"family", e.fontFamily}, {"size", e.fontSize}, {"bold", e.bold}};
            o["align"] = alignName(e.align);
            o["autosize"] = e.autoSize;
            o["wordwrap"] = e.wordWrap;
            o["transparent"] = e.transparent;
            o["color"] = e.color == Qt::white ? QStringLiteral("white") : QStringLiteral("black");
            if (e.kind == ElementKind::DataText)
                o["field"] = e.dataField;
        } else if (e.kind == ElementKind::Shape) {
            o["shape"] = nameOf(kShapeNames, e.shape);
            o["pen"] = e.penWidth;
        } else if (e.kind == ElementKind::Image) {
            o["center"] = e.center;
            o["stretch"] = e.stretch;
            o["frame"] = e.frame;
            if (!e.image.isNull()) {
                QByteArray png;
                QBuffer buffer(&png);
                buffer.open(QIODevice::WriteOnly);
                e.image.save(&buffer, "PNG");
                o["png"] = QString::fromLatin1(png.toBase64());
            }
        } else if (e.kind == ElementKind::QrCode) {
            o["lines"] = QJsonArray::fromStringList(e.lines);
            o["text"] = e.text;
        } else if (e.kind == ElementKind::RichText) {
            o["lines"] = QJsonArray::fromStringList(e.lines);
            o["font"] = QJsonObject{{"family", e.fontFamily}, {"size", e.fontSize}, {"bold", e.bold}};
        }
        elements.append(o);
    }
    return QJsonObject{{"unit", m_unit == PageUnit::Px ? "px" : "mm"},
                       {"width", width()},
                       {"height", height()},
                       {"elements", elements}};
}

std::optional<Page> Page::fromJson(const QJsonObject& json, QString* error)
{
    auto fail = [error](const QString& why) -> std::optional<Page> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const QString unit = json.value("unit").toString();
    if (unit != QLatin1String("px") && unit != QLatin1String("mm"))
        return fail(QStringLiteral("unknown unit \"%1\"").arg(unit));
    if (!json.value("elements").isArray())
        return fail(QStringLiteral("no elements"));
    Page page(unit == QLatin1String("px") ? PageUnit::Px : PageUnit::Mm);
    for (const QJsonValue& v : json.value("elements").toArray()) {
        const QJsonObject o = v.toObject();
        const auto kind = valueOf(kKindNames, o.value("kind").toString());
        if (!kind)
            return fail(QStringLiteral("unknown element kind \"%1\"").arg(o.value("kind").toString()));
        PageElement e;
        e.name = o.value("name").toString();
        e.kind = *kind;
        e.left = o.value("left").toDouble();
        e.top = o.value("top").toDouble();
        e.width = o.value("width").toDouble();
        e.height = o.value("height").toDouble();
        e.visible = o.value("visible").toBool(true);
        const QJsonObject font = o.value("font").toObject();
        e.fontFamily = font.value("family").toString(e.fontFamily);
        e.fontSize = font.value("size").toDouble(e.fontSize);
        e.bold = font.value("bold").toBool(false);
        e.text = o.value("text").toString();
        e.align = alignFromName(o.value("align").toString());
        e.autoSize = o.value("autosize").toBool(false);
        e.wordWrap = o.value("wordwrap").toBool(true);
        e.transparent = o.value("transparent").toBool(false);
        e.color =
            o.value("color").toString() == QLatin1String("white") ? QColor(Qt::white) : QColor(Qt::black);
        e.dataField = o.value("field").toString();
        e.shape = valueOf(kShapeNames, o.value("shape").toString()).value_or(ShapeKind::Rectangle);
        e.penWidth = o.value("pen").toInt(1);
        e.center = o.value("center").toBool(false);
        e.stretch = o.value("stretch").toBool(false);
        e.frame = o.value("frame").toBool(false);
        if (o.contains("png"))
            e.image = QImage::fromData(QByteArray::fromBase64(o.value("png").toString().toLatin1()), "PNG");
        for (const QJsonValue& line : o.value("lines").toArray())
            e.lines << line.toString();
        page.add(std::move(e));
    }
    return page;
}

namespace {

bool writeJson(const QJsonObject& json, const QString& fileName, QString* error)
{
    const QByteArray bytes = QJsonDocument(json).toJson(QJsonDocument::Indented);
    return WriteOutputFile(
        fileName, [&bytes](QIODevice& file) { return file.write(bytes) == bytes.size(); }, error);
}

std::optional<QByteArray> readWhole(const QString& fileName, QString* error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QCoreApplication::translate("Page", "Не удалось прочитать файл %1").arg(fileName);
        return std::nullopt;
    }
    return file.readAll();
}

} // namespace

bool Page::save(const QString& fileName, QString* error) const
{
    return writeJson(toJson(), fileName, error);
}

std::optional<Page> Page::load(const QString& fileName, QString* error)
{
    const std::optional<QByteArray> bytes = readWhole(fileName, error);
    if (!bytes)
        return std::nullopt;
    std::optional<Page> page = fromBytes(*bytes, error);
    if (!page && error)
        *error = fileName + QStringLiteral(": ") + *error;
    return page;
}

bool SavePages(std::span<const Page> pages, const QString& fileName, QString* error)
{
    if (pages.size() == 1)
        return pages.front().save(fileName, error);
    QJsonArray list;
    for (const Page& page : pages)
        list.append(page.toJson());
    return writeJson(QJsonObject{{QStringLiteral("pages"), list}}, fileName, error);
}

std::optional<Pages> LoadPages(const QString& fileName, QString* error)
{
    const std::optional<QByteArray> bytes = readWhole(fileName, error);
    if (!bytes)
        return std::nullopt;
    const auto refuse = [&](const QString& why) -> std::optional<Pages> {
        if (error)
            *error = fileName + QStringLiteral(": ") + why;
        return std::nullopt;
    };
    const QJsonDocument doc = QJsonDocument::fromJson(*bytes);
    if (!doc.isObject() || !doc.object().contains(QStringLiteral("pages"))) {
        QString why;
        std::optional<Page> page = Page::fromBytes(*bytes, &why);
        if (!page)
            return refuse(why);
        return Pages{std::move(*page)};
    }
    Pages pages;
    const QJsonArray list = doc.object().value(QStringLiteral("pages")).toArray();
    for (const QJsonValue& one : list) {
        QString why;
        std::optional<Page> page = Page::fromJson(one.toObject(), &why);
        if (!page)
            return refuse(QStringLiteral("page %1: %2").arg(pages.size() + 1).arg(why));
        pages.push_back(std::move(*page));
    }
    if (pages.empty())
        return refuse(QStringLiteral("not a page file (no pages)"));
    return pages;
}

std::optional<Page> Page::fromBytes(const QByteArray& bytes, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (!doc.isObject()) {
        if (error)
            *error = QStringLiteral("not a page file (%1)").arg(parseError.errorString());
        return std::nullopt;
    }
    return fromJson(doc.object(), error);
}

PageElement makeLabel(const QString& name, double left, double top, double width, double height,
                      const QString& family, double size, bool bold, Qt::Alignment align, bool autoSize,
                      const QString& text)
{
    PageElement e;
    e.name = name;
    e.kind = ElementKind::Label;
    e.left = left;
    e.top = top;
    e.width = width;
    e.height = height;
    e.fontFamily = family;
    e.fontSize = size;
    e.bold = bold;
    e.align = align;
    e.autoSize = autoSize;
    e.text = text;
    return e;
}

PageElement makeShape(const QString& name, ShapeKind shape, double left, double top, double width,
                      double height, int penWidth)
{
    PageElement e;
    e.name = name;
    e.kind = ElementKind::Shape;
    e.shape = shape;
    e.left = left;
    e.top = top;
    e.width = width;
    e.height = height;
    e.penWidth = penWidth;
    return e;
}
