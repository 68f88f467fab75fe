#pragma once

#include "report/page.h"

#include <QAbstractSlider>
#include <QDialog>

#include <memory>

class Prompter;
class QLabel;
class QPrinter;
class QScrollArea;

enum class PrintOutcome { Printed, Cancelled, Failed, NoPrinter };

// Draws the pages on the printer from the paper's edge, a sheet each, under the engine's small progress
// window whose "Cancel" stops the job before it is sent.
PrintOutcome PrintPage(std::span<const Page> pages, QPrinter& printer, QWidget* parent = nullptr);

// "Не удалось напечатать документ."
QString PrintFailedText();

// The page file name the preview's "Save" writes: the chosen type's extension is added to a name that has
// none of the three.
QString WithChosenExtension(const QString& fileName, const QString& chosenFilter);

// The preview of a blank: a page at a time at a chosen zoom, with printing, printer setup and the page
// file. The page keys move between the pages of a longer blank and over the sheet of a one-page one.
class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    enum class Zoom { Fit, Actual, PageWidth, Free };

    // Failures are told through the prompter (message boxes over the preview when there is none).
    explicit PreviewWindow(const Page& page, Prompter* prompter = nullptr, QWidget* parent = nullptr);
    explicit PreviewWindow(Pages pages, Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // The page shown.
    const Page& page() const { return m_pages[m_current]; }
    const Pages& pages() const { return m_pages; }
    int currentPage() const { return m_current; }
    void setCurrentPage(int index);
    void setZoom(Zoom zoom);
    double zoomFactor() const { return m_factor; }
    // A zoom of its own, as the zoom in and out keys make it.
    void setFactor(double factor);
    PrintOutcome printTo(QPrinter& printer);
    bool saveTo(const QString& fileName, QString* error);
    bool loadFrom(const QString& fileName, QString* error);

signals:
    void printed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void render();
    void print();
    void save();
    void load();

    void turn(int step, QAbstractSlider::SliderAction scroll);

    Pages m_pages;
    int m_current = 0;
    Zoom m_zoom = Zoom::PageWidth;
    double m_factor = 1.0;
    QScrollArea* m_area;
    QLabel* m_view;
    QLabel* m_status;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter* m_prompter;
    void failed(const QString& text);
};
