#pragma once

#include <QWidget>

struct ApplicationState;
struct Services;
class Forms;

// Everything a window reaches: the shared state, the window registry and
// the services.
struct AppContext {
    ApplicationState& state;
    Forms& forms;
    Services& services;
};

// Base of every window of the program. The registry creates a window on
// first reference, runs Form_Load once, shows it modeless when asked, and on
// unload runs Form_Unload and deletes it. Closing a window with its title-bar
// button only unloads that window.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(AppContext& context, QWidget* parent = nullptr);

    virtual void Form_Load() {}
    virtual void Form_Unload() {}

    // Twips (1440 per inch) to pixels at the screen's logical resolution.
    int twipsX(double twips) const;
    int twipsY(double twips) const;

protected:
    void closeEvent(QCloseEvent* event) override;

    AppContext& m_ctx;
};
