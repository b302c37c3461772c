#include "shell/DocxWriter.h"
#include "shell/QtServices.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

QtDocumentService::QtDocumentService(MessageService& messages)
    : m_messages(messages) {}

void QtDocumentService::ShowDocument(const WordDocument& document, const QString& baseName,
                                     QWidget* parent) {
    QDir folder(QStandardPaths::writableLocation(QStandardPaths::TempLocation));
    folder.mkpath(QStringLiteral("Tubarex"));
    folder.cd(QStringLiteral("Tubarex"));
    // A name any file system takes: no separators, wildcards or controls.
    QString base = baseName;
    for (QChar& c : base)
        if (c.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(c))
            c = QLatin1Char('-');
    if (base.isEmpty())
        base = QStringLiteral("Tubarex");
    // A fresh name each time: an earlier document may still be open.
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = folder.filePath(QStringLiteral("%1-%2.docx").arg(base, stamp));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(QStringLiteral("%1-%2-%3.docx").arg(base, stamp).arg(n));
    SaveAndShowDocument(document, path, parent);
}

bool QtDocumentService::SaveAndShowDocument(const WordDocument& document, const QString& path,
                                            QWidget* parent) {
    QString error;
    if (!SaveDocx(document, path, &error)) {
        m_messages.MsgBox(error, MsgButtons::Ok, NoticeIcon::Critical, m_title, parent);
        return false;
    }
    open(path, parent);
    return true;
}

void QtDocumentService::open(const QString& path, QWidget* parent) {
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
        QObject::connect(process, &QProcess::finished, process,
                         [this, process, path, owner](int code, QProcess::ExitStatus status) {
                             process->deleteLater();
                             if (status != QProcess::NormalExit || code != 0)
                                 notOpened(path, owner.data());
                         });
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [this, process, path, owner](QProcess::ProcessError error) {
                             if (error != QProcess::FailedToStart)
                                 return;
                             process->deleteLater();
                             notOpened(path, owner.data());
                         });
        process->start();
        return;
    }
#endif
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        notOpened(path, parent);
}

void QtDocumentService::notOpened(const QString& path, QWidget* parent) {
    m_messages.MsgBox(QStringLiteral("Il documento è stato salvato nel file %1, ma non è stato "
                                     "possibile aprirlo: nessun programma di videoscrittura "
                                     "risulta associato ai file .docx.")
                          .arg(QDir::toNativeSeparators(path)),
                      MsgButtons::Ok, NoticeIcon::Information, m_title, parent);
}
