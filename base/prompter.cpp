#include "base/prompter.h"

#include <cstdio>

namespace {
void printLine(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fprintf(stderr, "%s\n", bytes.constData());
}
} // namespace

bool StderrPrompter::ask(const QString& text)
{
    // A question not answered says which option answers it.
    printLine(text + (m_answerYes ? QStringLiteral(" -> Да") : QStringLiteral(" (--yes)")));
    return m_answerYes;
}

void StderrPrompter::inform(const QString& text)
{
    printLine(text);
}
void StderrPrompter::warn(const QString& text)
{
    printLine(text);
}
void StderrPrompter::error(const QString& text)
{
    printLine(text);
}

int StderrPrompter::choose(const QString& question, const QStringList& items, int defaultIndex,
                           const QString& /*windowTitle*/)
{
    const int index = (m_choice >= 0 && m_choice < items.size()) ? m_choice : defaultIndex;
    printLine(question + QStringLiteral(" -> ") + items.value(index));
    return index;
}

bool ScriptedPrompter::ask(const QString& text)
{
    m_messages.push_back({Kind::Ask, text});
    return nextAnswer(0) != 0;
}

int ScriptedPrompter::choose(const QString& question, const QStringList& items, int defaultIndex,
                             const QString& windowTitle)
{
    Q_UNUSED(items);
    m_messages.push_back({Kind::Choose, question, windowTitle});
    return nextAnswer(defaultIndex);
}

QStringList ScriptedPrompter::texts() const
{
    QStringList result;
    for (const Message& m : m_messages)
        result << m.text;
    return result;
}

int ScriptedPrompter::nextAnswer(int fallback)
{
    if (m_answers.empty())
        return fallback;
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}
