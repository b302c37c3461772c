#pragma once
#include "windows/frame/Form.h"
#include "windows/frame/datistudio.h"
#include "windows/project/ProjectFileCommands.h"

#include <QColor>
#include <QString>
#include <array>
#include <functional>

struct ReportTotals;
class PrinterPage;

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class Line;
class ProjectStatus;
class WindowFrame;

// The cover page window: the seven boxes of the project identification
// (each edit stored in ApplicationState::cover at once), the owner's name
// and address shown but not editable, the print options of the report, and
// the file commands on the same data file as the water and gas windows
// (Apri and Elimina are the water window's own).
//
// Without an owner in the installation settings, the hint box points to
// "Dati dello studio" (File menu), which sets them.
class frontespizio : public Form, public ProjectView, public OwnerView {
    Q_OBJECT
public:
    explicit frontespizio(AppContext& context, QWidget* parent = nullptr);

    void Form_Load() override;

    // The box of field i (0..6) in the order of the record.
    QLineEdit* field(int i) const { return m_fields.at(static_cast<size_t>(i)); }
    QLineEdit* progetto() const { return field(0); }
    QLineEdit* localita() const { return field(1); }
    QLineEdit* tipostudio() const { return field(2); }
    QLineEdit* committente() const { return field(3); }
    QLineEdit* luogo() const { return field(4); }
    QLineEdit* data() const { return field(5); }
    QLineEdit* allegati() const { return field(6); }

    QLabel* Label1 = nullptr;
    QLabel* passo = nullptr;
    QLabel* Labelstudio = nullptr;
    QLabel* labelindirizzo = nullptr;
    Line* Line2 = nullptr;
    std::array<QRadioButton*, 2> comestampo{};
    QPushButton* stampa = nullptr;
    QPushButton* guidainlinea = nullptr;
    QPushButton* aiuto = nullptr;
    QPushButton* cmdesci = nullptr;
    WindowFrame* frame() const { return m_frame; }
    ProjectFileCommands& files() override { return m_files; }

    // The font of the report body and tables, and its size in points.
    QString ReportFontName;
    qint16 ReportFontSize = 0;

    // The input check; it only reports.
    void controllodat_Click();
    void cancella_Click();
    void colorare_Click();
    void aiuto_Click();
    // The technical report (`stampa`, "&intera elaborazione", toolbar button
    // 6): refused without rows, stopped on a network that fails its check
    // (whose window is then shown), a question when both networks have rows;
    // then each network is brought up to date through its window and the
    // report goes to the printer or to a document as `comestampo` says.
    void stampa_Click();
    // "&Anteprima di stampa...": the report as the printer route prints it,
    // after the same start, shown page by page.
    void anteprima_Click();
    // The data sheet of the window ("&solo dati finestra"), always as a
    // document; the hint keeps saying that the word processor is loading.
    void solodati_Click();
    // The owner's data cannot be changed here.
    void ownerLabel_Click();
    // The cover's own first step of a save: some network must have rows.
    bool HasNetworkRows();
    // The file commands of the water window, which Apri and Elimina run.
    ProjectFileCommands* waterFiles();
    QColor background() const { return m_background; }

    // ProjectView
    void projectOpened() override;
    void setBackgroundColour(const QColor& colour) override;

    // OwnerView: the owner rows show the new data; the hint that asked for
    // them gives way to the classic one.
    void ownerChanged() override;

private:
    // Pages the bands of the networks that have rows through their windows
    // (loaded if need be, not shown) and returns the totals they show.
    ReportTotals reportTotals();
    // The start of the report (refusal, checks, the question when both
    // networks have rows); true when it goes on.
    bool startReport();
    std::function<void(PrinterPage&)> reportListing();
    void buildFields();
    void buildOthers();
    void setTabOrder();
    bool eventFilter(QObject* watched, QEvent* event) override;

    WindowFrame* m_frame = nullptr;
    ProjectFileCommands m_files;
    ProjectStatus* m_status = nullptr;
    QColor m_background;
    std::array<QLineEdit*, 7> m_fields{};
};
