#pragma once

#include "shell/ApplicationState.h"
#include "shell/Form.h"
#include "shell/Forms.h"
#include "shell/Services.h"

#include <QStringList>

// Doubles of the services for window tests: nothing is ever shown modally.
// Messages are recorded and answered Ok; dialogs are cancelled; the music
// control records its commands.
class RecordingMessages : public MessageService {
public:
    MsgAnswer MsgBox(const QString& text, MsgButtons, NoticeIcon, const QString&,
                     QWidget*) override {
        shown.append(text);
        return MsgAnswer::Ok;
    }
    MsgAnswer MsgBoxDefaultNo(const QString& text, NoticeIcon, const QString&, QWidget*) override {
        shown.append(text);
        return MsgAnswer::No;
    }
    QStringList shown;
};

class CancellingDialogs : public CommonDialogService {
public:
    std::optional<QString> ShowOpen(const FileDialogRequest&, QWidget*) override { return {}; }
    std::optional<QString> ShowSave(const FileDialogRequest&, QWidget*) override { return {}; }
    std::optional<quint32> ShowColor(quint32, QWidget*) override { return {}; }
    bool ShowPrinter(QPrinter&, QWidget*) override { return false; }
};

class RecordingMusic : public MusicService {
public:
    void setFileName(const QString& path) override { fileName = path; }
    void command(const QString& verb) override { commands.append(verb); }
    QString fileName;
    QStringList commands;
};

// A whole context: state with the program identity set, a registry and the
// doubles, wired together as the application wires them.
struct TestContext {
    TestContext() {
        InitApplicationState(state);
        InitMessageTitles(state);
        forms.setContext(&context);
    }
    ApplicationState state;
    RecordingMessages messages;
    CancellingDialogs dialogs;
    RecordingMusic music;
    Services services{messages, dialogs, music};
    Forms forms;
    AppContext context{state, forms, services};
};
