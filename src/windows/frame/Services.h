#pragma once

#include "core/model/Notice.h"

#include <QString>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;
class WordDocument;

// Answers of a message box, numbered as the classic message boxes do.
enum class MsgAnswer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// Buttons of a message box.
enum class MsgButtons { Ok = 0, OkCancel = 1, YesNoCancel = 3, YesNo = 4 };

// Message boxes: modal, Italian buttons (Sì / No / Annulla), one of the four
// icons. Any answer but No counts as Yes for the program's questions.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MsgAnswer MsgBox(const QString& text, MsgButtons buttons, NoticeIcon icon,
                             const QString& title, QWidget* parent = nullptr) = 0;
    // The default button is No (the exit question).
    virtual MsgAnswer MsgBoxDefaultNo(const QString& text, NoticeIcon icon, const QString& title,
                                      QWidget* parent = nullptr) = 0;
};

// One request to the common file dialog. The filter is the classic
// "|"-separated list of description and pattern pairs; filterIndex is 1-based.
struct FileDialogRequest {
    QString title;
    QString fileName; // initial file name (may include a folder)
    QString filter;
    int filterIndex = 1;
    QString folder; // the folder it opens in, when given (over fileName's)
};

// The common dialog: open, save, colour and printer. A cancel is a result
// (nothing), not an error.
class CommonDialogService {
public:
    virtual ~CommonDialogService() = default;
    virtual std::optional<QString> ShowOpen(const FileDialogRequest& request,
                                            QWidget* parent = nullptr) = 0;
    virtual std::optional<QString> ShowSave(const FileDialogRequest& request,
                                            QWidget* parent = nullptr) = 0;
    // Colour as 0x00RRGGBB; starts from `initial`.
    virtual std::optional<quint32> ShowColor(quint32 initial, QWidget* parent = nullptr) = 0;
    // The printer dialog on `printer` (which it sets up: printer, copies,
    // pages, or a PDF file); false when cancelled.
    virtual bool ShowPrinter(QPrinter& printer, QWidget* parent = nullptr) = 0;
};

// The splash music: "open", "play", "pause", "close". Plays the program's
// own jingle where the machine can, silent otherwise; never an error.
class MusicService {
public:
    virtual ~MusicService() = default;
    virtual void setFileName(const QString& path) = 0;
    virtual void command(const QString& verb) = 0;
};

// Hands a finished word-processor document to the user: the document is
// written as a .docx file and the desktop is asked to open it in the user's
// word processor. When it cannot be written, or nothing can open it, a
// message in the program's style says so and names the file; the program
// goes on either way.
// What became of a document shown: handed to the desktop's opener (which
// may still fail later, and then tells NotOpened), written at `path` but
// opened by nothing, or not written at all (`path` empty).
struct DocumentOutcome {
    enum class Kind { Handed, NotOpened, NotWritten };
    Kind kind = Kind::Handed;
    QString path;
};
using DocumentReport = std::function<void(const DocumentOutcome&)>;

class DocumentService {
public:
    virtual ~DocumentService() = default;
    // Writes the document into the user's private folder of shown
    // documents, under a fresh name that begins with `baseName`, and opens it.
    // `report`, when given, is told of the outcome, after the message.
    virtual void ShowDocument(const WordDocument& document, const QString& baseName,
                              QWidget* parent = nullptr, DocumentReport report = {}) = 0;
    // Writes the document to `path`, replacing the file there, and opens it.
    // False (after the message) when it could not be written.
    virtual bool SaveAndShowDocument(const WordDocument& document, const QString& path,
                                     QWidget* parent = nullptr) = 0;
};

// The services a window reaches, bundled so that tests hand in doubles.
struct Services {
    MessageService& messages;
    CommonDialogService& dialogs;
    MusicService& music;
    DocumentService& documents;
};
