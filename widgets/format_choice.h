#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class QRadioButton;

// "Текст (как прежде)" or "Таблица Excel (.xlsx)" for an output written from a dialog. The file field it is
// bound to follows the choice: the spreadsheet's name for the text name, and back to the text name it had.
class FormatChoice : public QWidget {
    Q_OBJECT
public:
    explicit FormatChoice(QWidget* parent = nullptr);
    void bind(QLineEdit* file);
    bool spreadsheet() const;
    // Text again, before the dialog is shown for another output.
    void reset();
    // The file dialog's filter for the form chosen, and the one for any file.
    QString fileFilter() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    QRadioButton* m_text;
    QRadioButton* m_sheet;
    QLineEdit* m_file = nullptr;
    QString m_textName;
};
