#include "widgets/access_keys.h"

#include <QAbstractButton>
#include <QAction>
#include <QHash>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QStackedWidget>
#include <QTabBar>

#include <algorithm>

namespace {

// The letter a text marks with "&" ("&&" is a plain ampersand); a null character when none.
QChar markedLetter(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

template <typename T> QList<T*> ownControls(QWidget* window)
{
    QList<T*> own;
    for (T* w : window->findChildren<T*>())
        if (w->window() == window)
            own << w;
    return own;
}

// The page of a tab or stacked widget the control stands on; null for one on no page. Controls on two pages
// are never seen at once, so their letters may repeat.
QWidget* pageOf(QWidget* control, QWidget* window)
{
    for (QWidget* w = control; w && w != window; w = w->parentWidget())
        if (qobject_cast<QStackedWidget*>(w->parentWidget()))
            return w;
    return nullptr;
}

} // namespace

void AssignAccessLetters(QWidget* window)
{
    QHash<QWidget*, QSet<QChar>> used; // by page; null for the controls every page sees
    const auto use = [&used](QWidget* page, const QString& text) {
        if (const QChar letter = markedLetter(text); !letter.isNull())
            used[page].insert(letter);
    };
    for (QAbstractButton* b : ownControls<QAbstractButton>(window))
        use(pageOf(b, window), b->text());
    for (QLabel* l : ownControls<QLabel>(window))
        use(pageOf(l, window), l->text());
    for (QMenuBar* bar : ownControls<QMenuBar>(window))
        for (QAction* a : bar->actions())
            use(nullptr, a->text());
    for (QTabBar* tabs : ownControls<QTabBar>(window))
        for (int i = 0; i < tabs->count(); ++i)
            use(pageOf(tabs, window), tabs->tabText(i));
    QList<QPushButton*> buttons = ownControls<QPushButton>(window);
    // Those every page sees first: a page's own then avoid their letters.
    std::stable_partition(buttons.begin(), buttons.end(),
                          [window](QPushButton* b) { return pageOf(b, window) == nullptr; });
    for (QPushButton* b : buttons) {
        const QString text = b->text();
        if (!markedLetter(text).isNull())
            continue;
        QWidget* page = pageOf(b, window);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar letter = text[i].toLower();
            const auto taken = [&](const QSet<QChar>& letters) { return letters.contains(letter); };
            // One every page sees must differ from the letters of every page.
            if (!text[i].isLetter() || taken(used[nullptr]) || taken(used[page]) ||
                (!page && std::any_of(used.cbegin(), used.cend(), taken)))
                continue;
            b->setText(text.left(i) + u'&' + text.mid(i));
            used[page].insert(letter);
            break;
        }
    }
}
