#include "print/invoice_form.h"
#include "report/page.h"
#include "report/preview_window.h"
#include "report/renderer.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// How many pixels of the rectangle are darker than light grey.
int ink(const QImage& image, const QRect& area)
{
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 160)
                ++dark;
    return dark;
}

Page smallPage()
{
    Page page(PageUnit::Px);
    page.add(makeShape(QStringLiteral("Box"), ShapeKind::Rectangle, 100, 100, 200, 50));
    page.add(makeLabel(QStringLiteral("Title"), 110, 110, 150, 20, QStringLiteral("Arial"), 12, true,
                       Qt::AlignLeft, true, QStringLiteral("РАХУНОК")));
    page.add(makeLabel(QStringLiteral("Empty"), 100, 300, 100, 20, QStringLiteral("Arial"), 10, false,
                       Qt::AlignLeft, true, QString()));
    PageElement hidden = makeLabel(QStringLiteral("White"), 400, 100, 100, 20, QStringLiteral("Arial"), 12,
                                   true, Qt::AlignLeft, false, QStringLiteral("НЕВИДИМО"));
    hidden.color = Qt::white;
    page.add(hidden);
    page.add(makeLabel(QStringLiteral("Right"), 400, 200, 100, 20, QStringLiteral("Arial"), 10, true,
                       Qt::AlignRight, false, QStringLiteral("1,00")));
    page.add(makeLabel(QStringLiteral("Wrapped"), 100, 400, 60, 17, QStringLiteral("Arial"), 10, false,
                       Qt::AlignLeft, false, QStringLiteral("довгий текст що не вміщується")));
    page.add(makeShape(QStringLiteral("Line"), ShapeKind::VertLine, 350, 500, 4, 100));
    return page;
}

} // namespace

TEST(Renderer, InkWhereTheElementsStand)
{
    const QImage image = RenderToImage(smallPage(), 96);
    ASSERT_EQ(image.size(), QSize(794, 1123));
    EXPECT_GT(ink(image, QRect(110, 110, 90, 18)), 30);  // the title
    EXPECT_GT(ink(image, QRect(100, 100, 200, 1)), 150); // the rectangle's top edge
    EXPECT_EQ(ink(image, QRect(400, 100, 100, 20)), 0);  // white text on white
    EXPECT_EQ(ink(image, QRect(100, 300, 100, 20)), 0);  // an empty auto-size label
    EXPECT_GT(ink(image, QRect(470, 200, 30, 18)), 5);   // right-aligned text at the right end
    EXPECT_EQ(ink(image, QRect(400, 200, 40, 18)), 0);
    // Text longer than its box is drawn smaller, inside it: nothing runs on below to be covered.
    EXPECT_GT(ink(image, QRect(100, 400, 60, 17)), 10);
    EXPECT_EQ(ink(image, QRect(100, 418, 60, 40)), 0);
    EXPECT_GE(ink(image, QRect(351, 500, 2, 100)), 95); // the vertical line in the middle of its box
    EXPECT_EQ(ink(image, QRect(600, 800, 100, 100)), 0);

    const QImage sharp = RenderToImage(smallPage(), 192);
    EXPECT_EQ(sharp.size(), QSize(1588, 2246));
    EXPECT_GT(ink(sharp, QRect(220, 220, 180, 36)), 100);
}

TEST(Renderer, PdfCarriesTheTextsAsText)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("invoice.pdf"));
    Page page = CreateInvoiceBlank();
    page.element(QStringLiteral("QRNameOwn"))->text = QStringLiteral("ТОВ \"Ґрунт-Сервіс\"");
    // What cannot be seen on paper is not in the text layer either.
    page.element(QStringLiteral("ItogPo2"))->text = QStringLiteral("777,77");
    page.element(QStringLiteral("ItogPo2"))->color = Qt::white;
    page.element(QStringLiteral("QRLabel4"))->text = QStringLiteral("888,88");
    page.element(QStringLiteral("QRLabel4"))->visible = false;
    QString error;
    ASSERT_TRUE(RenderToPdf(page, pdf, &error)) << error.toStdString();
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("РАХУНОК-ФАКТУРА"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Ґрунт-Сервіс")));
    EXPECT_TRUE(text.contains(QStringLiteral("Найменування")));
    EXPECT_FALSE(text.contains(QStringLiteral("777,77")));
    EXPECT_FALSE(text.contains(QStringLiteral("888,88")));
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QStringLiteral("A4")));

    EXPECT_FALSE(RenderToPdf(page, dir.filePath(QStringLiteral("no/such/folder/x.pdf")), &error));
    EXPECT_FALSE(RenderToPng(page, dir.filePath(QStringLiteral("no/such/folder/x.png")), 96, &error));
}

TEST(PageFile, RoundTripKeepsEveryElement)
{
    Page page = CreateInvoiceBlank();
    QImage logo(8, 4, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    page.element(QStringLiteral("QRImage2"))->image = logo;
    page.element(QStringLiteral("QRLabel3"))->color = Qt::white;
    PageElement lines;
    lines.name = QStringLiteral("Rich");
    lines.kind = ElementKind::RichText;
    lines.lines = QStringList{"перший", "другий"};
    page.add(lines);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("page.json"));
    ASSERT_TRUE(page.save(file));
    QString error;
    const std::optional<Page> back = Page::load(file, &error);
    ASSERT_TRUE(back) << error.toStdString();
    EXPECT_EQ(QJsonDocument(back->toJson()).toJson(), QJsonDocument(page.toJson()).toJson());
    EXPECT_EQ(back->element(QStringLiteral("QRImage2"))->image.pixel(0, 0), logo.pixel(0, 0));
    EXPECT_EQ(back->element(QStringLiteral("Rich"))->lines, lines.lines);
    const QJsonObject json = page.toJson();
    EXPECT_EQ(json.value("unit").toString(), QStringLiteral("px"));
    EXPECT_EQ(json.value("width").toDouble(), 794);
    EXPECT_EQ(json.value("elements")
                  .toArray()
                  .first()
                  .toObject()
                  .value("font")
                  .toObject()
                  .value("family")
                  .toString(),
              QStringLiteral("Arial"));

    QFile bad(dir.filePath(QStringLiteral("bad.json")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("{\"unit\": \"inch\", \"elements\": []}");
    bad.close();
    EXPECT_FALSE(Page::load(bad.fileName(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("inch")));
    EXPECT_FALSE(Page::load(dir.filePath(QStringLiteral("missing.json")), &error));
}

TEST(PreviewWindow, ZoomsSavesLoadsAndPrints)
{
    PreviewWindow preview(smallPage());
    preview.resize(800, 900);
    preview.setZoom(PreviewWindow::Zoom::Actual);
    EXPECT_DOUBLE_EQ(preview.zoomFactor(), 1.0);
    preview.setZoom(PreviewWindow::Zoom::Fit);
    EXPECT_LT(preview.zoomFactor(), 1.0);
    for (const char* hint : {"Страница целиком", "Масштаб 100%", "По ширине страницы", "Первая страница",
                             "Предыдущая страница", "Следующая страница", "Последняя страница",
                             "Настройка принтера", "Печать", "Сохранить", "Открыть"}) {
        bool found = false;
        for (QAction* a : preview.findChildren<QAction*>())
            found = found || a->toolTip().startsWith(QString::fromUtf8(hint) + " (");
        EXPECT_TRUE(found) << hint;
    }
    // Every command by keyboard: the usual keys, and an access letter each.
    preview.show();
    QApplication::setActiveWindow(&preview);
    const auto action = [&](const char* name) { return preview.findChild<QAction*>(QLatin1String(name)); };
    EXPECT_EQ(action("Print")->shortcuts().front(), QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_EQ(action("Save")->shortcuts().front(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QSet<QKeySequence> letters;
    for (QAction* a : preview.findChildren<QAction*>())
        if (!a->shortcuts().isEmpty())
            letters << a->shortcuts().back();
    EXPECT_EQ(letters.size(), 13);
    const double fit = preview.zoomFactor();
    QTest::keyClick(&preview, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(preview.zoomFactor(), fit * 1.25);
    QTest::keyClick(&preview, Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(&preview, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(preview.zoomFactor(), fit / 1.25);
    preview.setFactor(8.0);
    QApplication::processEvents();
    QScrollBar* down = preview.findChild<QScrollArea*>()->verticalScrollBar();
    ASSERT_GT(down->maximum(), 0);
    for (const auto& [key, top] :
         {std::pair{Qt::Key_End, false}, {Qt::Key_PageUp, false}, {Qt::Key_Home, true}}) {
        QTest::keyClick(&preview, key);
        EXPECT_EQ(down->value() == down->minimum(), top) << key;
    }
    preview.setZoom(PreviewWindow::Zoom::Fit);
    EXPECT_EQ(preview.findChild<QPushButton*>(QStringLiteral("CloseButton"))->text(),
              QStringLiteral("&Закрыть"));
    // Save offers a PDF first.
    QStringList offered;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            poll.stop();
            offered = files->nameFilters();
            files->reject();
        }
    });
    poll.start(10);
    preview.findChild<QAction*>(QStringLiteral("Save"))->trigger();
    ASSERT_FALSE(offered.isEmpty());
    EXPECT_EQ(offered.first(), QStringLiteral("Документ PDF (*.pdf)"));

    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(preview.saveTo(dir.filePath(QStringLiteral("p.json")), &error));
    ASSERT_TRUE(preview.saveTo(dir.filePath(QStringLiteral("p.pdf")), &error));
    Page other(PageUnit::Mm);
    PreviewWindow second(other);
    ASSERT_TRUE(second.loadFrom(dir.filePath(QStringLiteral("p.json")), &error));
    EXPECT_EQ(second.page().elements().size(), smallPage().elements().size());
    EXPECT_FALSE(second.loadFrom(dir.filePath(QStringLiteral("none.json")), &error));

    QSignalSpy printed(&preview, &PreviewWindow::printed);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
    ASSERT_EQ(preview.printTo(printer), PrintOutcome::Printed);
    EXPECT_EQ(printed.count(), 1);
    EXPECT_GT(QFileInfo(dir.filePath(QStringLiteral("printed.pdf"))).size(), 0);

    // "Cancel" in the progress window stops the job: nothing is printed, no after-print.
    printer.setOutputFileName(dir.filePath(QStringLiteral("cancelled.pdf")));
    bool progressShown = false;
    QTimer::singleShot(0, [&progressShown] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(w); progress && progress->isVisible()) {
                progressShown = progress->windowTitle() == QLatin1String("Printing progress");
                progress->cancel();
            }
    });
    EXPECT_EQ(preview.printTo(printer), PrintOutcome::Cancelled);
    EXPECT_TRUE(progressShown);
    EXPECT_EQ(printed.count(), 1);
}

// A blank of several sheets: the page keys turn them, the status says which, the page file and the print
// hold them all.
TEST(PreviewWindow, TheSheetsOfALongerBlankAreTurnedSavedAndPrinted)
{
    Pages pages(3, smallPage());
    pages[2].elements().front().text = QStringLiteral("третья");
    PreviewWindow preview(pages);
    preview.show();
    QApplication::setActiveWindow(&preview);
    const auto status = [&] { return preview.findChild<QLabel*>(QStringLiteral("StatusLine"))->text(); };
    for (const auto& [key, sheet] : {std::pair{Qt::Key_PageDown, 1},
                                     {Qt::Key_PageDown, 2},
                                     {Qt::Key_PageDown, 2},
                                     {Qt::Key_Home, 0},
                                     {Qt::Key_PageUp, 0},
                                     {Qt::Key_End, 2}}) {
        QTest::keyClick(&preview, key);
        EXPECT_EQ(preview.currentPage(), sheet) << key;
    }
    EXPECT_TRUE(status().startsWith(QStringLiteral("Страница 3 из 3"))) << status().toStdString();
    EXPECT_EQ(preview.page().elements().front().text, QStringLiteral("третья"));

    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(preview.saveTo(dir.filePath(QStringLiteral("p.json")), &error));
    PreviewWindow second(smallPage());
    ASSERT_TRUE(second.loadFrom(dir.filePath(QStringLiteral("p.json")), &error)) << error.toStdString();
    EXPECT_EQ(second.pages().size(), 3u);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
    ASSERT_EQ(preview.printTo(printer), PrintOutcome::Printed);
    QFile pdf(dir.filePath(QStringLiteral("printed.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(
        QString::fromLatin1(pdf.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))), 3);
}

TEST(PreviewWindow, SaveTakesTheChosenTypesExtension)
{
    const QString types =
        QStringLiteral("Страница DocMar (*.json);;Документ PDF (*.pdf);;Изображение PNG (*.png)");
    EXPECT_EQ(WithChosenExtension(QStringLiteral("/tmp/рахунок"), QStringLiteral("Документ PDF (*.pdf)")),
              QStringLiteral("/tmp/рахунок.pdf"));
    EXPECT_EQ(WithChosenExtension(QStringLiteral("/tmp/a.b/r"), QStringLiteral("Изображение PNG (*.png)")),
              QStringLiteral("/tmp/a.b/r.png"));
    EXPECT_EQ(WithChosenExtension(QStringLiteral("/tmp/r.PDF"), QStringLiteral("Страница DocMar (*.json)")),
              QStringLiteral("/tmp/r.PDF"));
    EXPECT_EQ(WithChosenExtension(QStringLiteral("/tmp/r"), QString()), QStringLiteral("/tmp/r"));
    EXPECT_EQ(WithChosenExtension(QString(), types), QString());
}
