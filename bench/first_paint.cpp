// Linked into a window program, ends it as soon as its main window has first been painted whole: the
// process's wall time is then its time to a painted window.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

class FirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<QMainWindow*>(watched)) {
            // The window's children are painted in the same pass; whatever the loop does next comes after.
            QTimer::singleShot(0, [] {
                std::fflush(stdout);
                std::_Exit(0);
            });
            qApp->removeEventFilter(this);
        }
        return false;
    }
};

void watchFirstPaint()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        qApp->installEventFilter(new FirstPaint(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchFirstPaint)
