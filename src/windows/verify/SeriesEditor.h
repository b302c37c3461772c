#pragma once

#include "core/model/PipeSeries.h"

#include <QDialog>

#include <vector>

struct AppContext;
class QLineEdit;
class QListWidget;
class QPushButton;

// The user's own series of water pipes: a list of every series (those that
// ship with the program shown, not editable), and for the one chosen its
// name, its internal diameters and, optionally, the sizes it is sold by
// and their prices per metre.
// "Salva" checks the series and writes the user's series file at once;
// "Elimina" takes a series of the user's away.
class SeriesEditor : public QDialog {
    Q_OBJECT
public:
    SeriesEditor(AppContext& context, QString file, QWidget* parent = nullptr);

    // Shows the series of a row of the list in the boxes.
    void elenco_Select(int row);
    // Empties the boxes for a new series.
    void nuova_Click();
    // Saves the series in the boxes; false (after the message) when it is
    // refused or the file cannot be written.
    bool salva_Click();
    // Takes the chosen series of the user's away, after a question.
    bool elimina_Click();

    const std::vector<PipeSeries>& userSeries() const { return m_user; }

    QListWidget* elenco = nullptr;
    QLineEdit* nome = nullptr;
    QLineEdit* diametri = nullptr;
    QLineEdit* misure = nullptr;
    QLineEdit* prezzi = nullptr;
    QPushButton* nuova = nullptr;
    QPushButton* salva = nullptr;
    QPushButton* elimina = nullptr;
    QPushButton* chiudi = nullptr;

private:
    void fillList(const QString& selected);
    // The series shown at a row: shipped first, then the user's.
    const PipeSeries* seriesAt(int row) const;
    int userIndex(int row) const;
    bool write(const std::vector<PipeSeries>& series);

    AppContext& m_ctx;
    QString m_file;
    std::vector<PipeSeries> m_user;
};
