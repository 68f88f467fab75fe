#pragma once

#include <QString>

#include <stdexcept>

// A failure of the database: what failed in the program's language, and for a failure the engine
// reported, the engine's own words as the detail.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message, const QString& detail = {})
        : std::runtime_error(message.toStdString())
        , m_message(message)
        , m_detail(detail)
    {
    }
    const QString& message() const { return m_message; }
    const QString& detail() const { return m_detail; }
    // Both, one line each, for a terminal.
    QString fullText() const { return m_detail.isEmpty() ? m_message : m_message + u'\n' + m_detail; }

    // The engine's failure with code (an SQLite result code) and words, of a statement that wrote or read.
    static DbError fromEngine(int code, const QString& words, bool writing);
    // The same for PostgreSQL, by the five-character SQLSTATE of the failure.
    static DbError fromPostgres(const QString& sqlState, const QString& words, bool writing);
    // For an engine failure, what it means to a bookkeeper ("на диске нет места"); else empty.
    const QString& reason() const { return m_reason; }
    // The write met a row that another writer had just stored under the same key (a number taken twice),
    // or the server broke off the transaction to let another go first: the whole write may be tried again.
    bool isCollision() const { return m_collision; }
    // Another program held the book longer than a write waits for it.
    bool isBusy() const { return m_busy; }
    // A refused store said to the user: the caller's words when the book refused the data itself (a
    // number taken, a rule of the tables), with the whole error beneath; else what kept the book from
    // storing (busy, a full disk, a lost server), which no change to the data would mend.
    std::pair<QString, QString> refusal(const QString& forTheData) const
    {
        return m_dataFault ? std::pair(forTheData, fullText()) : std::pair(m_message, m_detail);
    }

private:
    // What an engine's failure means: the reason said within the statement's failure, the engine's words
    // beneath; a fault of the data, a collision or a busy book as the engine's code says.
    struct EngineFailure {
        QString reason;
        bool dataFault, collision, busy;
    };
    static DbError fromFailure(const EngineFailure& failure, const QString& words, bool writing);

    QString m_message;
    QString m_detail;
    QString m_reason;
    bool m_collision = false;
    bool m_busy = false;
    bool m_dataFault = true;
};
