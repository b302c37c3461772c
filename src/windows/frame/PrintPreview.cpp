#include "windows/frame/PrintPreview.h"

#include "core/session/ApplicationState.h"
#include "documents/PainterPageSink.h"
#include "windows/frame/Form.h"
#include "windows/frame/HelpKey.h"
#include "windows/frame/PrintCommands.h"
#include "windows/frame/WindowNames.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

PrintPreview::PrintPreview(AppContext& context, QWidget* parent,
                           std::function<void(PrinterPage&)> listing)
    : QDialog(parent)
    , m_ctx(context)
    , m_listing(std::move(listing)) {
    setObjectName(QStringLiteral("PrintPreview"));
    const QString program = context.state.program.ProgramName.isEmpty()
                                ? QStringLiteral("Tubarex")
                                : context.state.program.ProgramName;
    setWindowTitle(program + QStringLiteral(": anteprima di stampa"));
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);
    m_printer.setPageLayout(ListingPageLayout());
    m_printer.setDocName(program);

    const auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    stampa = button("stampa", QStringLiteral("&Stampa..."));
    stampa->setToolTip(QStringLiteral("cliccare per scegliere la stampante e stampare"));
    precedente = button("precedente", QStringLiteral("Pagina &precedente"));
    successiva = button("successiva", QStringLiteral("Pagina s&uccessiva"));
    chiudi = button("chiudi", QStringLiteral("&Chiudi"));
    chiudi->setToolTip(QStringLiteral("cliccare per tornare alla finestra senza stampare"));
    pagina = new QLabel(this);
    pagina->setObjectName(QStringLiteral("pagina"));

    m_view = new QPrintPreviewWidget(&m_printer, this);
    m_view->setObjectName(QStringLiteral("pagine"));
    m_view->setAccessibleName(QStringLiteral("pagine dell'anteprima"));
    m_view->setViewMode(QPrintPreviewWidget::SinglePageView);
    m_view->setZoomMode(QPrintPreviewWidget::FitInView);

    auto* commands = new QHBoxLayout;
    commands->addWidget(stampa);
    commands->addSpacing(12);
    commands->addWidget(precedente);
    commands->addWidget(pagina);
    commands->addWidget(successiva);
    commands->addStretch(1);
    commands->addWidget(chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(commands);
    layout->addWidget(m_view, 1);

    connect(m_view, &QPrintPreviewWidget::paintRequested, this, &PrintPreview::draw);
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &PrintPreview::showPageNumber);
    connect(stampa, &QPushButton::clicked, this, &PrintPreview::stampa_Click);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(precedente, &QPushButton::clicked, this, [this] { turnPage(-1); });
    connect(successiva, &QPushButton::clicked, this, [this] { turnPage(1); });
    // The pages stand one below the other: scrolling through them changes
    // the page shown as well.
    if (auto* pages = m_view->findChild<QAbstractScrollArea*>())
        connect(pages->verticalScrollBar(), &QScrollBar::valueChanged, this,
                &PrintPreview::showPageNumber);

    // A page of A4 whole, as tall as the screen allows.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 1000);
    const int height = area.height() * 9 / 10;
    resize(std::min(area.width() * 9 / 10, height * 3 / 4), height);
    m_view->updatePreview();
    AddHelpKey(*this, context.forms, WindowName::guidaanteprima);
}

void PrintPreview::draw(QPrinter* printer) {
    // Drawn as on paper: the listing's own page model on the device's
    // painter, at the device's resolution.
    PainterPageSink sink(*printer, QStringLiteral("l'anteprima"));
    PrinterPage page(sink);
    m_listing(page);
    page.endDocument();
}

void PrintPreview::turnPage(int by) {
    m_view->setCurrentPage(m_view->currentPage() + by);
    showPageNumber();
}

int PrintPreview::pageCount() const {
    return m_view->pageCount();
}

int PrintPreview::currentPage() const {
    return m_view->currentPage();
}

void PrintPreview::showPageNumber() {
    const int page = m_view->currentPage();
    const int pages = m_view->pageCount();
    pagina->setText(QStringLiteral("pagina %1 di %2").arg(page).arg(pages));
    precedente->setEnabled(page > 1);
    successiva->setEnabled(page < pages);
}

void PrintPreview::stampa_Click() {
    if (PrintOnPrinter(m_ctx, this, m_listing))
        accept();
}

PrintPreview* ShowPrintPreview(AppContext& context, QWidget* parent,
                               std::function<void(PrinterPage&)> listing) {
    auto* preview = new PrintPreview(context, parent, std::move(listing));
    preview->open();
    return preview;
}
