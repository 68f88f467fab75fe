#pragma once

#include "app/settings.h"
#include "app/widget_prompter.h"
#include "db/data_module.h"
#include "db/rows.h"

#include <QMainWindow>

// The main window: owns the settings, the program folder and the data module for the whole run.
class TBuhForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TBuhForm(const QString& programFolder, Prompter* prompter = nullptr, QWidget* parent = nullptr);

    // Connects the data module to the PATH folder; false (after the error box) when that fails.
    bool OpenDatabase();

    const Settings& programSettings() const { return m_settings; }
    TDM& dataModule() { return m_dm; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void startUp();

    QString m_programFolder;
    WidgetPrompter m_widgetPrompter;
    Prompter* m_prompter;
    Settings m_settings;
    OwnerRecord m_owner;
    TDM m_dm;
    bool m_started = false;
};
