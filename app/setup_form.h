#pragma once

#include "base/settings.h"

#include <QDialog>

class QLineEdit;
#include <memory>

namespace Ui {
class TSetupForm;
}

// The settings dialog: takes the settings, hands back the edited copy on OK.
class TSetupForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetupForm(const Settings& settings, QWidget* parent = nullptr);
    ~TSetupForm() override;
    Settings settings() const;

private:
    // OK closes the dialog only when every number is one the settings can keep.
    void acceptChecked();
    void setChosenPath(QLineEdit* edit, const QString& path);

    std::unique_ptr<Ui::TSetupForm> ui;
    Settings m_settings;
};
