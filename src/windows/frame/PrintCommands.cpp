#include "windows/frame/PrintCommands.h"

#include "core/session/ApplicationState.h"
#include "documents/PainterPageSink.h"
#include "documents/WordDocument.h"
#include "windows/frame/Form.h"
#include "windows/frame/Services.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPrinter>

bool PrintOnPrinter(AppContext& context, QWidget* parent,
                    const std::function<void(PrinterPage&)>& listing) {
    // The printer keeps its own default page; the dialog may also turn it
    // into a PDF file.
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(context.state.program.ProgramName.isEmpty()
                           ? QStringLiteral("Tubarex")
                           : context.state.program.ProgramName);
    // Printed to a file, the listing is proposed as the project's name with
    // ".pdf", in the folder the file dialogs open in. The printer chosen
    // stays the system's default (where there is one): the name is only the
    // dialog's proposal.
    const QString& project = context.state.session.CurrentFileName;
    const QString name = project.isEmpty() ? printer.docName() : QFileInfo(project).fileName();
    printer.setOutputFileName(QDir(DialogFolder(project, context.state.session.recent.lastFolder(),
                                                UserDocumentsFolder()))
                                  .filePath(name + QStringLiteral(".pdf")));
    printer.setOutputFormat(QPrinter::NativeFormat);
    if (!context.services.dialogs.ShowPrinter(printer, parent))
        return false;
    const QString title = context.state.program.ProgramName.isEmpty()
                              ? QStringLiteral("Tubarex")
                              : context.state.program.ProgramName;
    // A PDF file is made whole aside and replaces the file only when it is
    // complete, on the page chosen in the dialog.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        const Result<> printed =
            PrintToPdf(printer.outputFileName(), listing, printer.pageLayout(), printer.docName());
        if (printed)
            return true;
        context.services.messages.MsgBox(printed.error(), MsgButtons::Ok, NoticeIcon::Critical,
                                         title, parent);
        return false;
    }
    const QString device =
        printer.outputFileName().isEmpty()
            ? QStringLiteral("la stampante \"%1\"").arg(printer.printerName())
            : QStringLiteral("il file %1").arg(QDir::toNativeSeparators(printer.outputFileName()));
    PainterPageSink sink(printer, device);
    PrinterPage page(sink);
    listing(page);
    if (page.endDocument())
        return true;
    context.services.messages.MsgBox(
        QStringLiteral("La stampa non è riuscita: %1.").arg(page.error()), MsgButtons::Ok,
        NoticeIcon::Critical, title, parent);
    return false;
}

void ShowWordOutput(AppContext& context, QWidget* parent, QLabel* passo, const QString& baseName,
                    const QString& doneText, const std::function<void(WordDocument&)>& build) {
    passo->setText(QStringLiteral("sto caricando WORD"));
    WordDocument document;
    build(document);
    // The hint says what became of the document; the opener's failure may
    // come later, when the window may be gone.
    QPointer<QLabel> hint(passo);
    context.services.documents.ShowDocument(
        document, baseName, parent, [hint, doneText](const DocumentOutcome& outcome) {
            if (!hint)
                return;
            switch (outcome.kind) {
            case DocumentOutcome::Kind::Handed:
                if (!doneText.isEmpty())
                    hint->setText(doneText);
                break;
            case DocumentOutcome::Kind::NotOpened:
                hint->setText(QStringLiteral("il documento è nel file \u00ab%1\u00bb: nessun "
                                             "programma di videoscrittura l'ha aperto")
                                  .arg(QDir::toNativeSeparators(outcome.path)));
                break;
            case DocumentOutcome::Kind::NotWritten:
                hint->setText(QStringLiteral("il documento non è stato scritto: nulla da "
                                             "visualizzare"));
                break;
            }
        });
}
