#include "core/session/DocumentFolder.h"
#include "documents/DocxWriter.h"
#include "windows/frame/QtServices.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

QtDocumentService::QtDocumentService(MessageService& messages)
    : m_messages(messages) {}

void QtDocumentService::ShowDocument(const WordDocument& document, const QString& baseName,
                                     QWidget* parent, DocumentReport report) {
    const auto notWritten = [&] {
        if (report)
            report({DocumentOutcome::Kind::NotWritten, QString()});
    };
    // A fresh name each time (an earlier document may still be open), in a
    // folder only this user can enter.
    const DocumentFolder folder(DocumentFolder::defaultPath());
    const Result<QString> path = folder.newDocumentPath(baseName);
    if (!path) {
        m_messages.MsgBox(path.error(), MsgButtons::Ok, NoticeIcon::Critical, m_title, parent);
        notWritten();
        return;
    }
    const Result<> saved = SaveDocx(document, path.value());
    if (!saved) {
        m_messages.MsgBox(saved.error(), MsgButtons::Ok, NoticeIcon::Critical, m_title, parent);
        QFile::remove(path.value()); // the empty file reserved for it
        notWritten();
        return;
    }
    open(path.value(), parent, report);
}

bool QtDocumentService::SaveAndShowDocument(const WordDocument& document, const QString& path,
                                            QWidget* parent) {
    const Result<> saved = SaveDocx(document, path);
    if (!saved) {
        m_messages.MsgBox(saved.error(), MsgButtons::Ok, NoticeIcon::Critical, m_title, parent);
        return false;
    }
    open(path, parent);
    return true;
}

void QtDocumentService::open(const QString& path, QWidget* parent, const DocumentReport& report) {
    if (report)
        report({DocumentOutcome::Kind::Handed, path});
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // The desktop's opener reports only through its exit status whether some
    // program took the file, so it is run here and watched. The process is
    // left unparented: the word processor it starts must outlive us.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) {
        auto* process = new QProcess;
        process->setProgram(opener);
        process->setArguments({path});
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        QPointer<QWidget> owner(parent);
        QObject::connect(
            process, &QProcess::finished, process,
            [this, process, path, owner, report](int code, QProcess::ExitStatus status) {
                process->deleteLater();
                if (status != QProcess::NormalExit || code != 0)
                    notOpened(path, owner.data(), report);
            });
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [this, process, path, owner, report](QProcess::ProcessError error) {
                             if (error != QProcess::FailedToStart)
                                 return;
                             process->deleteLater();
                             notOpened(path, owner.data(), report);
                         });
        process->start();
        return;
    }
#endif
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        notOpened(path, parent, report);
}

void QtDocumentService::notOpened(const QString& path, QWidget* parent,
                                  const DocumentReport& report) {
    m_messages.MsgBox(QStringLiteral("Il documento è stato salvato nel file %1, ma non è stato "
                                     "possibile aprirlo: nessun programma di videoscrittura "
                                     "risulta associato ai file .docx.")
                          .arg(QDir::toNativeSeparators(path)),
                      MsgButtons::Ok, NoticeIcon::Information, m_title, parent);
    if (report)
        report({DocumentOutcome::Kind::NotOpened, path});
}
