#pragma once

#include <QColor>
#include <QImage>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>
#include <vector>

// One printed blank: elements at absolute positions on an A4 sheet, drawn once in creation order.
// Positions are in the unit the blank was designed in: pixels at 96 dpi or millimetres.
enum class PageUnit { Px, Mm };

// A QR code keeps its modules as lines of '1' (dark) and '0', and the sign in its middle as its text.
enum class ElementKind { Label, Shape, Image, RichText, DataText, QrCode };
enum class ShapeKind { Rectangle, HorLine, VertLine };

struct PageElement {
    QString name;
    ElementKind kind = ElementKind::Label;
    double left = 0, top = 0, width = 0, height = 0;

    // Labels (and the data text, which is a label filled from a field).
    QString text;
    QString fontFamily = QStringLiteral("Arial");
    double fontSize = 10; // points
    bool bold = false;
    Qt::Alignment align = Qt::AlignLeft;
    bool autoSize = false; // the width follows the text
    bool wordWrap = true;
    bool transparent = false;
    QColor color = Qt::black;
    QString dataField;

    // Shapes.
    ShapeKind shape = ShapeKind::Rectangle;
    int penWidth = 1;

    // Pictures.
    QImage image;
    bool center = false;
    bool stretch = false;
    bool frame = false;

    // Rich text: fixed lines.
    QStringList lines;

    bool visible = true;
};

class Page {
public:
    explicit Page(PageUnit unit = PageUnit::Px);

    PageUnit unit() const { return m_unit; }
    // A4 in the page's unit.
    double width() const;
    double height() const;
    // Pixels at 96 dpi per unit of the page.
    double pxPerUnit() const;

    PageElement& add(PageElement element);
    PageElement* element(const QString& name);
    const PageElement* element(const QString& name) const;
    // Every element in creation order (the drawing order).
    std::vector<PageElement>& elements() { return m_elements; }
    const std::vector<PageElement>& elements() const { return m_elements; }

    // The page file: {"unit", "width", "height", "elements": [...]}, images embedded as PNG.
    QJsonObject toJson() const;
    static std::optional<Page> fromJson(const QJsonObject& json, QString* error = nullptr);
    bool save(const QString& fileName, QString* error = nullptr) const;
    static std::optional<Page> load(const QString& fileName, QString* error = nullptr);
    // A page from the bytes of a page file; nullopt with *error when they are not one.
    static std::optional<Page> fromBytes(const QByteArray& bytes, QString* error = nullptr);

private:
    PageUnit m_unit;
    std::vector<PageElement> m_elements;
};

// A blank whose lines run over one sheet: its pages in print order.
using Pages = std::vector<Page>;
// One page is written as its page file; several as {"pages": [...]} of page files. Either reads back.
bool SavePages(std::span<const Page> pages, const QString& fileName, QString* error = nullptr);
std::optional<Pages> LoadPages(const QString& fileName, QString* error = nullptr);

// Convenience for building blanks: a label or a shape with the usual properties.
PageElement makeLabel(const QString& name, double left, double top, double width, double height,
                      const QString& family, double size, bool bold, Qt::Alignment align, bool autoSize,
                      const QString& text);
PageElement makeShape(const QString& name, ShapeKind shape, double left, double top, double width,
                      double height, int penWidth = 1);
