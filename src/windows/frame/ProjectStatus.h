#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

struct ApplicationState;
class QDateTime;
class QLabel;
class QWidget;

// The title of a main window of the project: the data file's name (or
// "senza nome"), an asterisk while the project holds changes that no file
// holds, a dash and the window's own caption, as in
// "Tubarex-dati-palazzina* – Perdite di carico acqua: dati per il calcolo".
QString ProjectWindowTitle(const ApplicationState& state, const QString& caption);

// What the hint box says after a save, until the next change:
// "Archiviato in «/percorso/Tubarex-dati-palazzina» alle 17:05".
QString SavedHint(const QString& path, const QDateTime& when);

// What a main window shows of the project's state, for as long as the
// window lives: the title; and, after a save from the window, the saved
// hint in its hint box until the project changes again, when the hint it
// stood in for comes back (unless the window has put another meanwhile).
class ProjectStatus : public QObject {
public:
    ProjectStatus(QWidget& window, ApplicationState& state, QString caption);
    ~ProjectStatus() override;

    // The project was just saved from this window, whose hint box is `hint`.
    void showSaved(QLabel* hint);

private:
    void showTitle();

    QWidget& m_window;
    ApplicationState& m_state;
    QString m_caption;
    QPointer<QLabel> m_hint;
    QString m_saved;    // the saved hint shown, empty when none
    QString m_previous; // the hint it stands in for
    int m_listener = 0;
};
