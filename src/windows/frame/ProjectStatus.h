#pragma once

#include <QObject>
#include <QString>

struct ApplicationState;
class QWidget;

// The title of a main window of the project: the data file's name (or
// "senza nome"), an asterisk while the project holds changes that no file
// holds, a dash and the window's own caption, as in
// "Tubarex-dati-palazzina* – Perdite di carico acqua: dati per il calcolo".
QString ProjectWindowTitle(const ApplicationState& state, const QString& caption);

// What a main window shows of the project's state, for as long as the
// window lives: the title.
class ProjectStatus : public QObject {
public:
    ProjectStatus(QWidget& window, ApplicationState& state, QString caption);
    ~ProjectStatus() override;

private:
    void showTitle();

    QWidget& m_window;
    ApplicationState& m_state;
    QString m_caption;
    int m_listener = 0;
};
