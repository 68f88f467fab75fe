#include "clients/save_form.h"

#include "clients/client_export.h"

#include "ui_save_form.h"

#include <QDir>
#include <QFileDialog>

TSaveForm::TSaveForm(ClientExportChoice& choice, const QString& defaultFile,
                     std::function<void(const QString&)> save, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TSaveForm>())
    , m_choice(choice)
    , m_save(std::move(save))
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(sizeHint().expandedTo(QSize(437, 311)));
    ui->LenSE->setRange(0, kMaxExportWidth);
    ui->FilenameEdit1->setText(QDir::toNativeSeparators(defaultFile));
    m_choice.reset();

    const auto include = [this] {
        m_choice.include(ui->ListBox1->currentRow());
        showChoice();
    };
    const auto exclude = [this] {
        m_choice.exclude(ui->ListBox2->currentRow());
        showChoice();
    };
    connect(ui->Button1, &QPushButton::clicked, this, [this] {
        m_choice.includeAll();
        showChoice();
    });
    connect(ui->Button2, &QPushButton::clicked, this, include);
    connect(ui->ListBox1, &QListWidget::itemDoubleClicked, this, include);
    connect(ui->Button3, &QPushButton::clicked, this, exclude);
    connect(ui->ListBox2, &QListWidget::itemDoubleClicked, this, exclude);
    connect(ui->Button4, &QPushButton::clicked, this, [this] {
        m_choice.excludeAll();
        showChoice();
    });
    connect(ui->ListBox2, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0)
            return;
        ui->LenSE->setValue(m_choice.includedWidth(row));
        ui->BitBtn3->setEnabled(true);
    });
    connect(ui->BitBtn3, &QPushButton::clicked, this, [this] {
        const int row = ui->ListBox2->currentRow();
        if (row < 0)
            return;
        m_choice.setIncludedWidth(row, ui->LenSE->value());
        ui->ListBox2->item(row)->setText(m_choice.includedEntries().at(row));
    });
    connect(ui->BitBtn1, &QPushButton::clicked, this,
            [this] { m_save(QDir::fromNativeSeparators(ui->FilenameEdit1->text())); });
    connect(ui->BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    ui->Format->bind(ui->FilenameEdit1);
    connect(ui->FilenameEdit1Browse, &QToolButton::clicked, this, [this] {
        const QString chosen = ui->Format->fileFilter();
        QFileDialog dialog(this, windowTitle(), ui->FilenameEdit1->text(), tr("Все файлы (*.*);;") + chosen);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(ui->Format->spreadsheet() ? QStringLiteral("xlsx") : QStringLiteral("txt"));
        dialog.selectNameFilter(chosen);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            ui->FilenameEdit1->setText(QDir::toNativeSeparators(dialog.selectedFiles().first()));
    });
    showChoice();
}

TSaveForm::~TSaveForm() = default;

void TSaveForm::showChoice()
{
    ui->ListBox1->clear();
    ui->ListBox1->addItems(m_choice.availableEntries());
    ui->ListBox2->clear();
    ui->ListBox2->addItems(m_choice.includedEntries());
    const bool canInclude = m_choice.canInclude();
    const bool canExclude = m_choice.canExclude();
    ui->Button1->setEnabled(canInclude);
    ui->Button2->setEnabled(canInclude);
    for (QWidget* w : {static_cast<QWidget*>(ui->Button3), static_cast<QWidget*>(ui->Button4),
                       static_cast<QWidget*>(ui->BitBtn1), static_cast<QWidget*>(ui->BitBtn3)})
        w->setEnabled(canExclude);
}
