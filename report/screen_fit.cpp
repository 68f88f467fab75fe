#include "report/screen_fit.h"

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
