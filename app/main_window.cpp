#include "app/main_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>

TBuhForm::TBuhForm(const QString& programFolder, Prompter* prompter, QWidget* parent)
    : QMainWindow(parent)
    , m_programFolder(programFolder)
    , m_widgetPrompter(this)
    , m_prompter(prompter ? prompter : &m_widgetPrompter)
{
    setObjectName(QStringLiteral("TBuhForm"));
    setWindowTitle(tr("ДОКУМАР"));
    resize(706, 527);
    auto* placeholder = new QLabel(this);
    placeholder->setAlignment(Qt::AlignCenter);
    setCentralWidget(placeholder);

    const QString dataFolder = defaultDatabaseFolder(m_programFolder);
    if (!QDir(dataFolder).exists()) {
        m_prompter->error(tr("Не найдена директория базы данных!"));
        QDir().mkpath(dataFolder);
    }
    QDir::setCurrent(m_programFolder);
}

void TBuhForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_started) {
        m_started = true;
        startUp();
    }
}

void TBuhForm::startUp()
{
    resetToDefaults(m_settings, m_programFolder);
    QString error;
    if (!ReadSettings(m_settings, m_programFolder, &error))
        m_prompter->error(error);
    if (!OpenDatabase())
        return;
    try {
        m_dm.LoadOwnerRecord(m_owner, m_prompter);
    } catch (const DbError& e) {
        m_prompter->error(e.message());
    }
}

bool TBuhForm::OpenDatabase()
{
    try {
        m_dm.connect(m_settings.path);
    } catch (const DbError&) {
        m_prompter->error(tr("Ошибка при открытии базы данных!"));
        return false;
    }
    setWindowTitle(tr("ДОКУМАР (v.1.3). База данных : ") + QDir::toNativeSeparators(m_settings.path));
    return true;
}

void TBuhForm::closeEvent(QCloseEvent* event)
{
    if (!m_prompter->ask(tr("Закрыть программу?"))) {
        event->ignore();
        return;
    }
    m_dm.disconnect();
    QString error;
    if (!WriteSettings(m_settings, m_programFolder, &error))
        m_prompter->error(error);
    event->accept();
}
