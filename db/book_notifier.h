#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class TDM;

// Tells when another program on the same PostgreSQL book has stored, changed or deleted documents: the
// server's notification, gathered over a moment so that a burst of stores gives one signal. An SQLite book
// has no one to tell, and gives none.
class BookNotifier : public QObject {
    Q_OBJECT
public:
    explicit BookNotifier(QObject* parent = nullptr);
    // Listens on the data module's connection while it stays connected; watch() again after a reconnect.
    void watch(const TDM& dm);
    static constexpr int kGatherMs = 150;

signals:
    void documentsChanged();

private:
    QTimer m_gather;
};
