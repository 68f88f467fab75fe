#include "widgets/screen_fit.h"

#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void FitToScreen(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // The frame (title bar and borders) is not known before the window is shown; leave room for it.
    const QSize frame = window->isVisible() ? window->frameGeometry().size() - window->size() : QSize(16, 40);
    const QSize room = (available.size() - frame).expandedTo(window->minimumSize());
    window->resize(window->size().boundedTo(room));
    const QRect outer(window->pos(), window->size() + frame);
    if (!available.contains(outer))
        window->move(available.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

void UseMostOfScreen(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize most = (available.size() * 0.85).boundedTo(QSize(1920, 1200));
    window->resize(most.expandedTo(window->size()));
    FitToScreen(window);
    window->move(available.center() - QPoint(window->width() / 2, window->height() / 2));
}

void ShowChars(QWidget* field, int chars)
{
    // Frame and text margins of a line edit, as the styles draw them.
    constexpr int kMargins = 14;
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QString(chars, u'0')) + kMargins);
}

namespace {

constexpr char kFullTitle[] = "docmarFullTitle";

void elide(QGroupBox* box)
{
    const QString full = box->property(kFullTitle).toString();
    // The frame's indent on either side of the title, and room for the style's own margins.
    const int room = std::max(box->width() - 4 * box->fontMetrics().averageCharWidth(), 0);
    const QString shown = box->fontMetrics().elidedText(full, Qt::ElideRight, room);
    if (box->title() != shown)
        box->setTitle(shown);
    box->setToolTip(shown == full ? QString() : full);
}

class TitleElider : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            elide(static_cast<QGroupBox*>(watched));
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QString FullTitle(const QGroupBox* box)
{
    const QVariant full = box->property(kFullTitle);
    return full.isValid() ? full.toString() : box->title();
}

void SetElidedTitle(QGroupBox* box, const QString& title)
{
    if (!box->property(kFullTitle).isValid())
        box->installEventFilter(new TitleElider(box));
    box->setProperty(kFullTitle, title);
    elide(box);
}
