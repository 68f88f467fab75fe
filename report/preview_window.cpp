#include "report/preview_window.h"

#include "report/renderer.h"
#include "widgets/screen_fit.h"
#include "widgets/widget_prompter.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <climits>

PreviewWindow::PreviewWindow(const Page& page, Prompter* prompter, QWidget* parent)
    : PreviewWindow(Pages{page}, prompter, parent)
{
}

PreviewWindow::PreviewWindow(Pages pages, Prompter* prompter, QWidget* parent)
    : QDialog(parent)
    , m_pages(pages.empty() ? Pages{Page()} : std::move(pages))
    , m_area(new QScrollArea(this))
    , m_view(new QLabel)
    , m_status(new QLabel)
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
    , m_ownPrompter(prompter ? nullptr : std::make_unique<WidgetPrompter>(this))
    , m_prompter(prompter ? prompter : m_ownPrompter.get())
{
    setObjectName(QStringLiteral("PreviewWindow"));
    setWindowTitle(tr("Предварительный просмотр"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    m_printer->setPageSize(QPageSize(QPageSize::A4));
    m_printer->setFullPage(true);

    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    struct Tool {
        const char* name;
        const char* text; // with its access letter
        QStyle::StandardPixmap icon;
        QKeySequence key;
    };
    // Built here rather than in a .ui: the buttons are one table with the style's standard icons, which
    // Designer cannot name. The texts are in the interface's language, as every other word of it.
    const Tool tools[] = {
        {"ZoomFit", QT_TR_NOOP("Страница &целиком"), QStyle::SP_TitleBarNormalButton, {}},
        {"Zoom100", QT_TR_NOOP("&Масштаб 100%"), QStyle::SP_DesktopIcon, QKeySequence(Qt::CTRL | Qt::Key_0)},
        {"ZoomWidth", QT_TR_NOOP("По &ширине страницы"), QStyle::SP_TitleBarMaxButton, {}},
        {"ZoomIn", QT_TR_NOOP("&Крупнее"), QStyle::SP_ArrowUp, QKeySequence::ZoomIn},
        {"ZoomOut", QT_TR_NOOP("Мель&че"), QStyle::SP_ArrowDown, QKeySequence::ZoomOut},
        {"FirstPage", QT_TR_NOOP("П&ервая страница"), QStyle::SP_MediaSkipBackward,
         QKeySequence(Qt::Key_Home)},
        {"PrevPage", QT_TR_NOOP("П&редыдущая страница"), QStyle::SP_MediaSeekBackward,
         QKeySequence(Qt::Key_PageUp)},
        {"NextPage", QT_TR_NOOP("С&ледующая страница"), QStyle::SP_MediaSeekForward,
         QKeySequence(Qt::Key_PageDown)},
        {"LastPage", QT_TR_NOOP("Последн&яя страница"), QStyle::SP_MediaSkipForward,
         QKeySequence(Qt::Key_End)},
        {"PrinterSetup", QT_TR_NOOP("&Настройка принтера"), QStyle::SP_FileDialogDetailedView, {}},
        {"Print", QT_TR_NOOP("&Печать"), QStyle::SP_DialogApplyButton, QKeySequence::Print},
        {"Save", QT_TR_NOOP("&Сохранить"), QStyle::SP_DialogSaveButton, QKeySequence::Save},
        {"Load", QT_TR_NOOP("&Открыть"), QStyle::SP_DialogOpenButton, QKeySequence::Open},
    };
    for (const Tool& t : tools) {
        const QString text = tr(t.text);
        QAction* a = bar->addAction(style()->standardIcon(t.icon), text);
        a->setObjectName(QLatin1String(t.name));
        // The buttons show icons only, so the access letter is a shortcut of its own, told in the hint.
        QList<QKeySequence> keys = {QKeySequence::mnemonic(text)};
        if (!t.key.isEmpty())
            keys.prepend(t.key);
        a->setShortcuts(keys);
        QStringList said;
        for (const QKeySequence& key : std::as_const(keys))
            said << key.toString(QKeySequence::NativeText);
        a->setToolTip(
            QStringLiteral("%1 (%2)").arg(QString(text).remove(u'&'), said.join(QStringLiteral(", "))));
        if (qstrcmp(t.name, "PrinterSetup") == 0 || qstrcmp(t.name, "FirstPage") == 0)
            bar->insertSeparator(a);
    }
    auto* close = new QPushButton(tr("&Закрыть"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    bar->addSeparator();
    bar->addWidget(close);

    m_view->setObjectName(QStringLiteral("PageView"));
    m_view->setAlignment(Qt::AlignCenter);
    m_area->setWidget(m_view);
    m_area->setWidgetResizable(true);
    m_area->setAlignment(Qt::AlignCenter);
    m_area->setBackgroundRole(QPalette::Dark);
    auto* status = new QStatusBar(this);
    status->addWidget(m_status, 1);
    m_status->setObjectName(QStringLiteral("StatusLine"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_area, 1);
    layout->addWidget(status);

    connect(findChild<QAction*>(QStringLiteral("ZoomFit")), &QAction::triggered, this,
            [this] { setZoom(Zoom::Fit); });
    connect(findChild<QAction*>(QStringLiteral("Zoom100")), &QAction::triggered, this,
            [this] { setZoom(Zoom::Actual); });
    connect(findChild<QAction*>(QStringLiteral("ZoomWidth")), &QAction::triggered, this,
            [this] { setZoom(Zoom::PageWidth); });
    connect(findChild<QAction*>(QStringLiteral("ZoomIn")), &QAction::triggered, this,
            [this] { setFactor(m_factor * 1.25); });
    connect(findChild<QAction*>(QStringLiteral("ZoomOut")), &QAction::triggered, this,
            [this] { setFactor(m_factor / 1.25); });
    struct Move {
        const char* name;
        int step; // pages; the first and last page are as far as there are pages
        QAbstractSlider::SliderAction scroll;
    };
    const Move moves[] = {{"FirstPage", INT_MIN, QAbstractSlider::SliderToMinimum},
                          {"PrevPage", -1, QAbstractSlider::SliderPageStepSub},
                          {"NextPage", 1, QAbstractSlider::SliderPageStepAdd},
                          {"LastPage", INT_MAX, QAbstractSlider::SliderToMaximum}};
    for (const Move& m : moves)
        connect(findChild<QAction*>(QLatin1String(m.name)), &QAction::triggered, this,
                [this, m] { turn(m.step, m.scroll); });
    connect(findChild<QAction*>(QStringLiteral("PrinterSetup")), &QAction::triggered, this, [this] {
        QPageSetupDialog dialog(m_printer.get(), this);
        dialog.exec();
    });
    connect(findChild<QAction*>(QStringLiteral("Print")), &QAction::triggered, this, &PreviewWindow::print);
    connect(findChild<QAction*>(QStringLiteral("Save")), &QAction::triggered, this, &PreviewWindow::save);
    connect(findChild<QAction*>(QStringLiteral("Load")), &QAction::triggered, this, &PreviewWindow::load);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    m_area->viewport()->installEventFilter(this);
    resize(900, 1000);
    FitToScreen(this);
    render();
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::setCurrentPage(int index)
{
    const int page = std::clamp(index, 0, int(m_pages.size()) - 1);
    if (page == m_current)
        return;
    m_current = page;
    render();
    m_area->verticalScrollBar()->setValue(0);
}

void PreviewWindow::turn(int step, QAbstractSlider::SliderAction scroll)
{
    // One sheet: the keys move over it, a screen at a time or to its top and bottom.
    if (m_pages.size() == 1) {
        m_area->verticalScrollBar()->triggerAction(scroll);
        return;
    }
    const long long to = step == INT_MIN ? 0 : step == INT_MAX ? m_pages.size() - 1 : m_current + step;
    setCurrentPage(int(std::clamp<long long>(to, 0, m_pages.size() - 1)));
}

void PreviewWindow::setZoom(Zoom zoom)
{
    m_zoom = zoom;
    render();
}

void PreviewWindow::setFactor(double factor)
{
    m_zoom = Zoom::Free;
    m_factor = std::clamp(factor, 0.1, 8.0);
    render();
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The page follows the room it is given, except at 100 %.
    if (watched == m_area->viewport() && event->type() == QEvent::Resize && m_zoom != Zoom::Actual &&
        m_zoom != Zoom::Free)
        render();
    return QDialog::eventFilter(watched, event);
}

void PreviewWindow::render()
{
    m_status->setText(tr("Подготовка страницы ..."));
    m_status->repaint();
    const QSize room = m_area->viewport()->size() - QSize(24, 24);
    const double pageWidth = page().width() * page().pxPerUnit();
    const double pageHeight = page().height() * page().pxPerUnit();
    switch (m_zoom) {
    case Zoom::Actual:
        m_factor = 1.0;
        break;
    case Zoom::Free:
        break;
    case Zoom::PageWidth:
        m_factor = std::max(0.1, room.width() / pageWidth);
        break;
    case Zoom::Fit:
        m_factor = std::max(0.1, std::min(room.width() / pageWidth, room.height() / pageHeight));
        break;
    }
    const qreal ratio = devicePixelRatioF();
    QImage image = RenderToImage(page(), 96.0 * m_factor * ratio);
    image.setDevicePixelRatio(ratio);
    m_view->setPixmap(QPixmap::fromImage(image));
    m_status->setText(tr("Страница %1 из %2   Масштаб %3%")
                          .arg(m_current + 1)
                          .arg(m_pages.size())
                          .arg(qRound(m_factor * 100)));
}

PrintOutcome PrintPage(std::span<const Page> pages, QPrinter& printer, QWidget* parent)
{
    QProgressDialog progress(PreviewWindow::tr("Printing progress"), PreviewWindow::tr("Cancel"), 0,
                             int(pages.size()), parent);
    progress.setObjectName(QStringLiteral("PrintProgress"));
    progress.setWindowTitle(PreviewWindow::tr("Printing progress"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    progress.show();
    // The window shows, and a click on "Cancel" is seen, before and after the page is drawn.
    QCoreApplication::processEvents();
    if (progress.wasCanceled())
        return PrintOutcome::Cancelled;
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer))
        return PrintOutcome::Failed;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            return PrintOutcome::Failed;
        }
        RenderPage(pages[i], painter, printer.resolution());
        progress.setValue(int(i) + 1);
        QCoreApplication::processEvents();
        if (progress.wasCanceled()) {
            printer.abort();
            painter.end();
            return PrintOutcome::Cancelled;
        }
    }
    if (!painter.end())
        return PrintOutcome::Failed;
    return PrintOutcome::Printed;
}

QString PrintFailedText()
{
    return PreviewWindow::tr("Не удалось напечатать документ.");
}

QString WithChosenExtension(const QString& fileName, const QString& chosenFilter)
{
    static const QRegularExpression known(QStringLiteral("\\.(json|pdf|png)$"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (fileName.isEmpty() || known.match(fileName).hasMatch())
        return fileName;
    const QRegularExpressionMatch pattern =
        QRegularExpression(QStringLiteral("\\*(\\.\\w+)")).match(chosenFilter);
    return pattern.hasMatch() ? fileName + pattern.captured(1) : fileName;
}

PrintOutcome PreviewWindow::printTo(QPrinter& printer)
{
    const PrintOutcome outcome = PrintPage(m_pages, printer, this);
    if (outcome == PrintOutcome::Printed)
        emit printed();
    return outcome;
}

void PreviewWindow::print()
{
    QPrintDialog dialog(m_printer.get(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (printTo(*m_printer) == PrintOutcome::Failed)
        m_prompter->error(PrintFailedText());
}

bool PreviewWindow::saveTo(const QString& fileName, QString* error)
{
    if (fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return RenderToPdf(m_pages, fileName, error);
    if (fileName.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return RenderToPng(m_pages, fileName, 300, error);
    return SavePages(m_pages, fileName, error);
}

bool PreviewWindow::loadFrom(const QString& fileName, QString* error)
{
    std::optional<Pages> pages = LoadPages(fileName, error);
    if (!pages)
        return false;
    m_pages = std::move(*pages);
    m_current = 0;
    render();
    return true;
}

void PreviewWindow::save()
{
    QString chosen;
    const QString fileName = WithChosenExtension(
        QFileDialog::getSaveFileName(
            this, tr("Сохранить документ"), QString(),
            tr("Документ PDF (*.pdf);;Изображение PNG (*.png);;Страница DocMar (*.json)"), &chosen),
        chosen);
    if (fileName.isEmpty())
        return;
    QString error;
    if (!saveTo(fileName, &error))
        m_prompter->error(error);
    else
        m_status->setText(tr("Сохранено в файл %1").arg(QDir::toNativeSeparators(fileName)));
}

void PreviewWindow::load()
{
    const QString fileName =
        QFileDialog::getOpenFileName(this, tr("Открыть страницу"), QString(), tr("Страница DocMar (*.json)"));
    if (fileName.isEmpty())
        return;
    QString error;
    if (!loadFrom(fileName, &error))
        m_prompter->error(error);
}
