#pragma once

#include "ScriptedServices.h"

#include "core/session/ApplicationState.h"
#include "windows/frame/Form.h"
#include "windows/frame/Forms.h"
#include "windows/start/ModTubarex.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStringList>

// A program without its main(): state, scripted services and the registry,
// with the program identity and message titles already built.
struct ShellFixture {
    ApplicationState state;
    ScriptedServices services;
    Forms forms;
    ModTubarex procedures;
    AppContext context{state, forms, services.bundle, procedures};

    ShellFixture() {
        forms.setContext(&context);
        InitApplicationState(state);
        InitMessageTitles(state);
    }
    ~ShellFixture() { flush(); }

    // Deletes the windows that were unloaded.
    static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

// Unload order shared by the probe windows of a test.
inline QStringList& unloadLog() {
    static QStringList log;
    return log;
}

// A window standing in for one of the program's windows, named by its class
// (inside a namespace, the registry uses the bare name). It counts its loads
// and writes its unloads into unloadLog().
class ProbeForm : public Form {
    Q_OBJECT
public:
    using Form::Form;
    void Form_Load() override { ++loads; }
    void Form_Unload() override { unloadLog().append(objectName()); }
    int loads = 0;
};
