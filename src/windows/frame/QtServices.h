#pragma once

#include "windows/frame/Services.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

class QProcess;

// Message boxes as QMessageBox with the Italian captions "&Sì", "&No",
// "&Annulla": the letters S, N and A answer from the keyboard. The carriage
// return that separates the lines of a message becomes a line break on
// screen.
class QtMessageService : public MessageService {
public:
    MsgAnswer MsgBox(const QString& text, MsgButtons buttons, NoticeIcon icon, const QString& title,
                     QWidget* parent = nullptr) override;
    MsgAnswer MsgBoxDefaultNo(const QString& text, NoticeIcon icon, const QString& title,
                              QWidget* parent = nullptr) override;

    // The text as shown on screen: CR LF and lone CR become line breaks.
    static QString displayText(const QString& text);
};

// The common dialog on QFileDialog and QColorDialog.
class QtCommonDialogService : public CommonDialogService {
public:
    std::optional<QString> ShowOpen(const FileDialogRequest& request,
                                    QWidget* parent = nullptr) override;
    std::optional<QString> ShowSave(const FileDialogRequest& request,
                                    QWidget* parent = nullptr) override;
    std::optional<quint32> ShowColor(quint32 initial, QWidget* parent = nullptr) override;
    bool ShowPrinter(QPrinter& printer, QWidget* parent = nullptr) override;
};

// The splash music through an external MIDI player found on the PATH
// (timidity, or fluidsynth with a General MIDI sound font). The player runs
// as a child process: "play" starts it, "pause" and "close" stop it. Without
// a player, a sound font or the file, every command is silently ignored;
// nothing waits for the player, so start-up is never delayed.
class QtMusicService : public QObject, public MusicService {
    Q_OBJECT
public:
    // A program and its arguments; "%1" in an argument stands for the file.
    struct Player {
        QString program;
        QStringList arguments;
    };

    // Looks for a player on the PATH.
    QtMusicService();
    // Uses the given player (an empty program means silence).
    explicit QtMusicService(Player player);
    ~QtMusicService() override;

    void setFileName(const QString& path) override;
    void command(const QString& verb) override;

    bool isPlaying() const;
    static Player findPlayer();

private:
    void stop();

    Player m_player;
    QString m_fileName;
    bool m_open = false;
    QPointer<QProcess> m_process;
};

// Documents written as .docx files and opened by the desktop's word
// processor. Shown documents go to the user's private folder of shown
// documents (DocumentFolder), each under a fresh name, so that a document
// still open in the word processor is never overwritten.
class QtDocumentService : public DocumentService {
public:
    explicit QtDocumentService(MessageService& messages);
    void ShowDocument(const WordDocument& document, const QString& baseName,
                      QWidget* parent = nullptr, DocumentReport report = {}) override;
    bool SaveAndShowDocument(const WordDocument& document, const QString& path,
                             QWidget* parent = nullptr) override;
    // Title of the service's messages (the program's name).
    void setTitle(const QString& title) { m_title = title; }

private:
    void open(const QString& path, QWidget* parent, const DocumentReport& report = {});
    void notOpened(const QString& path, QWidget* parent, const DocumentReport& report);

    MessageService& m_messages;
    QString m_title = QStringLiteral("Tubarex");
};

// The services of the running program, bundled.
class QtServices {
public:
    QtMessageService messages;
    QtCommonDialogService dialogs;
    QtMusicService music;
    QtDocumentService documents{messages};
    Services bundle{messages, dialogs, music, documents};
};
