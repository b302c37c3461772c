#pragma once

#include "documents/PrinterPage.h"

#include <QDialog>
#include <QPrinter>

#include <functional>

struct AppContext;
class QLabel;
class QPrintPreviewWidget;
class QPushButton;

// "Anteprima di stampa": a "Stampa diretta" listing shown page by page on
// A4, drawn by the same page model and painter as on the printer. Its
// "Stampa..." runs the printer route of the window (the printer dialog, then
// the listing) and closes the preview once printed; "Chiudi" goes back to
// the window. Modal (nothing changes under it), it does not wait: the command
// returns at once and the preview deletes itself when closed.
class PrintPreview : public QDialog {
    Q_OBJECT
public:
    PrintPreview(AppContext& context, QWidget* parent, std::function<void(PrinterPage&)> listing);

    int pageCount() const;
    int currentPage() const;
    const QPrinter& printer() const { return m_printer; }

    QPushButton* stampa = nullptr;
    QPushButton* precedente = nullptr;
    QPushButton* successiva = nullptr;
    QPushButton* chiudi = nullptr;
    QLabel* pagina = nullptr;

    void stampa_Click();

private:
    void draw(QPrinter* printer);
    void turnPage(int by);
    void showPageNumber();

    AppContext& m_ctx;
    std::function<void(PrinterPage&)> m_listing;
    QPrinter m_printer{QPrinter::HighResolution};
    QPrintPreviewWidget* m_view = nullptr;
};

// Opens the preview of `listing` over `parent` and returns it.
PrintPreview* ShowPrintPreview(AppContext& context, QWidget* parent,
                               std::function<void(PrinterPage&)> listing);
