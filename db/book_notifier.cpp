#include "db/book_notifier.h"

#include "db/data_module.h"
#include "db/driver.h"
#include "db/postgres/pg_schema.h"

#include <QSqlDatabase>
#include <QSqlDriver>

BookNotifier::BookNotifier(QObject* parent)
    : QObject(parent)
{
    m_gather.setSingleShot(true);
    m_gather.setInterval(kGatherMs);
    connect(&m_gather, &QTimer::timeout, this, &BookNotifier::documentsChanged);
}

void BookNotifier::watch(const TDM& dm)
{
    m_gather.stop();
    if (!dm.isConnected() || !Driver::of(ConnectionOf(dm)).tellsOfChanges())
        return;
    QSqlDriver* driver = ConnectionOf(dm).driver();
    const QString channel = QLatin1String(PostgresSchema::kDocumentsChannel);
    if (!driver || driver->subscribedToNotifications().contains(channel))
        return;
    // The driver goes with the connection, and its connection to this object with it.
    connect(driver, &QSqlDriver::notification, this,
            [this](const QString& name, QSqlDriver::NotificationSource source, const QVariant&) {
                // This program's own stores are shown already.
                if (name == QLatin1String(PostgresSchema::kDocumentsChannel) &&
                    source != QSqlDriver::SelfSource)
                    m_gather.start();
            });
    driver->subscribeToNotification(channel);
}
