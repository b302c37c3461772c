#pragma once

#include "documents/WordDocument.h"
#include "windows/frame/Services.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

// Test doubles of the services: nothing is ever shown and nothing waits for
// the user. Every request is recorded; answers come from queues filled by
// the test.

struct RecordedMessage {
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
    NoticeIcon icon = NoticeIcon::None;
    QString title;
    bool defaultNo = false;
};

// Records every message; answers from `answers`. A message with nothing to
// decide (only Ok) takes Ok when the queue is empty; a question that finds it
// empty is counted in `unanswered` and gets the safe answer (No, or Cancel
// where offered), so a forgotten answer shows up instead of passing unnoticed.
class ScriptedMessages : public MessageService {
public:
    MsgAnswer MsgBox(const QString& text, MsgButtons buttons, NoticeIcon icon, const QString& title,
                     QWidget* parent = nullptr) override;
    MsgAnswer MsgBoxDefaultNo(const QString& text, NoticeIcon icon, const QString& title,
                              QWidget* parent = nullptr) override;

    void answer(MsgAnswer a) { answers.push_back(a); }

    std::vector<RecordedMessage> shown;
    std::deque<MsgAnswer> answers;
    int unanswered = 0;

private:
    MsgAnswer next(MsgButtons buttons);
};

// Returns queued results; an empty queue is a cancel.
class ScriptedDialogs : public CommonDialogService {
public:
    std::optional<QString> ShowOpen(const FileDialogRequest& request,
                                    QWidget* parent = nullptr) override;
    std::optional<QString> ShowSave(const FileDialogRequest& request,
                                    QWidget* parent = nullptr) override;
    std::optional<quint32> ShowColor(quint32 initial, QWidget* parent = nullptr) override;
    // Answers from printerResults (cancelled when none is queued).
    bool ShowPrinter(QPrinter& printer, QWidget* parent = nullptr) override;

    std::deque<std::optional<QString>> openResults;
    std::deque<std::optional<QString>> saveResults;
    std::deque<std::optional<quint32>> colourResults;
    std::deque<bool> printerResults;
    // When set, an accepted printer dialog prints into this PDF file, as a
    // user choosing "print to file" would; otherwise on the printer.
    QString printerOutputFile;
    int printerRequests = 0;
    // The PDF file each printer dialog proposed.
    std::vector<QString> printerProposals;

    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<quint32> colourRequests;
};

// Records the file name and every command sent.
class RecordedMusic : public MusicService {
public:
    void setFileName(const QString& path) override { fileName = path; }
    void command(const QString& verb) override { commands.append(verb); }

    QString fileName;
    QStringList commands;
};

// Keeps a copy of every document shown, with the name or path asked for;
// nothing is written and nothing is opened.
class RecordedDocuments : public DocumentService {
public:
    struct Shown {
        WordDocument document;
        QString baseName; // ShowDocument
        QString path;     // SaveAndShowDocument
    };
    void ShowDocument(const WordDocument& document, const QString& baseName, QWidget* = nullptr,
                      DocumentReport report = {}) override {
        shown.push_back({document, baseName, QString()});
        if (report)
            report({outcome, outcome == DocumentOutcome::Kind::NotWritten
                                 ? QString()
                                 : QStringLiteral("/documenti/%1.docx").arg(baseName)});
    }
    // What each document shown becomes.
    DocumentOutcome::Kind outcome = DocumentOutcome::Kind::Handed;
    bool SaveAndShowDocument(const WordDocument& document, const QString& path,
                             QWidget* = nullptr) override {
        shown.push_back({document, QString(), path});
        return true;
    }

    std::vector<Shown> shown;
};

// The doubles bundled.
struct ScriptedServices {
    ScriptedMessages messages;
    ScriptedDialogs dialogs;
    RecordedMusic music;
    RecordedDocuments documents;
    Services bundle{messages, dialogs, music, documents};
};
