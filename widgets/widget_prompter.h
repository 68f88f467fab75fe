#pragma once

#include "base/prompter.h"

class QWidget;

// Questions and messages as modal message boxes over a parent window.
class WidgetPrompter : public Prompter {
public:
    explicit WidgetPrompter(QWidget* parent)
        : m_parent(parent)
    {
    }
    bool ask(const QString& text) override;
    void inform(const QString& text) override;
    void warn(const QString& text) override;
    void error(const QString& text) override;
    // The detail stands behind the box's "Show Details..." button.
    void error(const QString& text, const QString& detail) override;
    int choose(const QString& question, const QStringList& items, int defaultIndex,
               const QString& windowTitle = {}) override;

private:
    QWidget* m_parent;
};
