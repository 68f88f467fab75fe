#pragma once

#include <QString>
#include <QStringList>

#include <deque>

// Every question or message the program puts to the user goes through this interface, so the core can ask
// without knowing whether a message box, the terminal or a test answers.
class Prompter {
public:
    virtual ~Prompter() = default;

    // Yes/No question with the confirmation icon; true only on Yes.
    virtual bool ask(const QString& text) = 0;
    virtual void inform(const QString& text) = 0;
    virtual void warn(const QString& text) = 0;
    virtual void error(const QString& text) = 0;
    // An error with the words behind it (the engine's, say) to show on request.
    virtual void error(const QString& text, const QString& detail)
    {
        error(detail.isEmpty() ? text : text + u'\n' + detail);
    }
    // Index of the chosen item, or -1 when the choice was cancelled. The window carries its own title
    // where it has one, else the program's.
    virtual int choose(const QString& question, const QStringList& items, int defaultIndex,
                       const QString& windowTitle = {}) = 0;
};

// Command line: messages go to stderr in the program's words; answers come from flags.
class StderrPrompter : public Prompter {
public:
    explicit StderrPrompter(bool answerYes = false, int choice = 0)
        : m_answerYes(answerYes)
        , m_choice(choice)
    {
    }
    bool ask(const QString& text) override;
    void inform(const QString& text) override;
    void warn(const QString& text) override;
    void error(const QString& text) override;
    using Prompter::error;
    int choose(const QString& question, const QStringList& items, int defaultIndex,
                       const QString& windowTitle = {}) override;

private:
    bool m_answerYes;
    int m_choice;
};

// Records what was shown and answers questions from a script; for tests and for callers that must stay
// silent.
class ScriptedPrompter : public Prompter {
public:
    enum class Kind { Ask, Inform, Warn, Error, Choose };
    struct Message {
        Kind kind;
        QString text;
        QString detail = {}; // for a choice, the title of its window
    };

    void queueAnswer(bool yes) { m_answers.push_back(yes ? 1 : 0); }
    void queueChoice(int index) { m_answers.push_back(index); }

    bool ask(const QString& text) override;
    void inform(const QString& text) override { m_messages.push_back({Kind::Inform, text}); }
    void warn(const QString& text) override { m_messages.push_back({Kind::Warn, text}); }
    void error(const QString& text) override { m_messages.push_back({Kind::Error, text}); }
    void error(const QString& text, const QString& detail) override
    {
        m_messages.push_back({Kind::Error, text, detail});
    }
    int choose(const QString& question, const QStringList& items, int defaultIndex,
                       const QString& windowTitle = {}) override;

    const std::vector<Message>& messages() const { return m_messages; }
    QStringList texts() const;
    void clear() { m_messages.clear(); }

private:
    int nextAnswer(int fallback);

    std::deque<int> m_answers;
    std::vector<Message> m_messages;
};
