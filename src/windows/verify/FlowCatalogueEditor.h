#pragma once

#include "core/session/UserFlowCatalogue.h"

#include <QDialog>

#include <functional>

struct AppContext;
class QLineEdit;
class QListWidget;
class QPushButton;

// The user's own fixture types and curves of simultaneity, kept in his
// settings and offered to every project: a list of each, and for the one
// chosen its boxes. "Salva" checks it and writes the file at once;
// "Elimina" takes it away; "Usa nel progetto" makes the curve chosen the
// project's method.
class FlowCatalogueEditor : public QDialog {
    Q_OBJECT
public:
    FlowCatalogueEditor(AppContext& context, QString file, QWidget* parent = nullptr);

    void tipi_Select(int row);
    void curve_Select(int row);
    void nuovoTipo_Click();
    void nuovaCurva_Click();
    // False (after the message) when refused or not written.
    bool salvaTipo_Click();
    bool salvaCurva_Click();
    bool eliminaTipo_Click();
    bool eliminaCurva_Click();

    const UserFlowCatalogue& catalogue() const { return m_user; }
    // Called with the curve chosen by "Usa nel progetto".
    std::function<void(const FlowCurve&)> curveUsed;

    QListWidget* tipi = nullptr;
    QLineEdit* nome = nullptr;
    QLineEdit* portata = nullptr;
    QLineEdit* unita = nullptr;
    QLineEdit* pressione = nullptr;
    QListWidget* curve = nullptr;
    QLineEdit* nomeCurva = nullptr;
    QLineEdit* punti = nullptr;
    QPushButton* usa = nullptr;

private:
    bool write(const UserFlowCatalogue& catalogue);
    // An entry read from the boxes saved in place of the one chosen in
    // `shown`, or after the others; the one chosen taken away.
    template <typename T>
    bool store(std::vector<T> UserFlowCatalogue::*list, QListWidget* shown, const Result<T>& read);
    template <typename T> bool drop(std::vector<T> UserFlowCatalogue::*list, QListWidget* shown);
    void fill();
    void refuse(const QString& why);

    AppContext& m_ctx;
    QString m_file;
    UserFlowCatalogue m_user;
};
