#pragma once
#include "core/model/Notice.h"
#include "windows/frame/Form.h"
#include "windows/frame/NetworkView.h"
#include "windows/project/ProjectFileCommands.h"

#include <QColor>
#include <QStringList>
#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class BandEditing;
class PrinterPage;
class ProjectStatus;
class WindowFrame;

// The gas data window: the 500-row gas table seen through a band of ten lines
// that the scroll bar moves, and one row of boxes for the fittings and the
// virtual length of the segment last pointed at. Every edit is stored in the
// table at once and its row recomputed; the hint box says what to type next.
class datigas : public Form, public ProjectView, public NetworkView {
    Q_OBJECT
public:
    explicit datigas(AppContext& context, QWidget* parent = nullptr);

    void Form_Load() override;

    // Controls of the band, indexed by line 1..10.
    QLabel* num(int i) const { return m_num.at(at(i)); }
    QPushButton* delriga(int i) const { return m_delriga.at(at(i)); }
    QComboBox* tipofi(int i) const { return m_tipofi.at(at(i)); }
    QComboBox* tipoc(int i) const { return m_tipoc.at(at(i)); }
    QLabel* perd(int i) const { return m_perd.at(at(i)); }
    // The text box of a gas column on line i: lungh, portgas, diam, visc,
    // rey, attr, vel, mas, pcs, pci.
    QLineEdit* box(int column, int i) const;
    QLineEdit* lungh(int i) const;
    QLineEdit* portgas(int i) const;
    QLineEdit* diam(int i) const;
    // The control that edits `column` on line i (the combos for tipofi, tipoc).
    QWidget* control(int column, int i) const;
    // The fitting row: cu45 .. rv and luvirt, by gas column.
    QLineEdit* fitting(int column) const;

    QScrollBar* VScroll1 = nullptr;
    QLabel* eventuale = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* totperd = nullptr;
    QLabel* passo = nullptr;
    std::array<QRadioButton*, 2> comestampo{};
    QPushButton* aiuto = nullptr;
    QPushButton* stamp = nullptr;
    QPushButton* guidainlinea = nullptr;
    QPushButton* esco = nullptr;
    WindowFrame* frame() const { return m_frame; }
    ProjectFileCommands& files() override { return m_files; }
    // Undo and redo, the block paste, the copy and the inserted row.
    BandEditing& editing() const { return *m_editing; }

    int CurrentRow = 0;

    // Shows the rows of the band position and recomputes them.
    void RefreshGasBand();
    void ResetGasLineColours();
    void HighlightGasLine(int i);
    // The input check, quiet or not as GasCheckQuiet says; true when it passed.
    bool CheckData();
    void Clear();
    void ChooseGasBackground();
    void aiuto_Click();
    // The table as it stands after a command of the editing: the band at
    // its position, recomputed, the fitting row of CurrentRow, the count,
    // the total and the hint.
    void showTable() override;
    void delriga_Click(int i);
    // The table of data and results, on the printer or as a document, as
    // the print option says; and the blank data-acquisition form.
    void stampa_Click();
    void acquisizionedati_Click();
    // "&Anteprima di stampa...": the printer listing, after the same check
    // and paging as the print, shown page by page.
    void anteprima_Click();
    QColor background() const { return m_background; }

    // ProjectView
    void projectOpened() override;
    void setBackgroundColour(const QColor& colour) override;

    // NetworkView
    void showCheckNotice(const Notice& notice) override { showNotice(notice); }
    void PageThroughTable() override;
    double shownTotal() const override;

    // Change handlers, by line.
    void lungh_Change(int i);
    void tipofi_Change(int i);
    void tipofi_Click(int i, int index);
    void portgas_Change(int i);
    void tipoc_Change(int i);
    void tipoc_Click(int i, int index);
    void diam_Change(int i);
    // A fitting box or luvirt: stored into CurrentRow.
    void fitting_Change(int column);

private:
    static size_t at(int i) { return static_cast<size_t>(i - 1); }
    void buildHeads();
    void buildFittings();
    void buildBand();
    void buildOthers();
    // The tab order: row by row through the inputs of the band.
    void setTabChain();
    // Writes the rows of the band into the line controls (signals blocked).
    void showBand();
    // Shows the computed cells of line i and, for CurrentRow, the virtual
    // length.
    void showResults(int i);
    int rowOf(int i) const;
    // The row number of line i and the hints of its number and delete button.
    void showRowNumber(int i);
    // Shows the results of `row` as the model computed them; a complete row
    // refreshes the total.
    void showRowResults(int row);
    void showVirtualLength();
    // The fitting boxes named after the row they edit.
    void nameFittings();
    // CurrentRow := row; the fitting row (its caption, its boxes and the
    // virtual length) follows, so that it always describes the row a
    // fitting typed goes to.
    void setCurrentRow(int row);
    void showFittingRow();
    void showCount();
    void showHint();
    // Shows a notice of the input guidance and moves the band and focus to it.
    void showNotice(const Notice& notice);
    void paintLine(int i, const QColor& labels, const QColor& inputs, const QColor& diameter,
                   const QColor& results);
    // Every line in the colours of a line not pointed at.
    void paintBand();
    bool precheck();
    // The silent check and the table paged through, before a listing.
    bool prepareListing();
    std::function<void(PrinterPage&)> listing();
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The band's editing: the lines and columns of its controls.
    void buildEditing();
    // Runs a change handler, recorded as typing in the cell (row, column).
    void typed(int row, int column, const std::function<void()>& handler);

    WindowFrame* m_frame = nullptr;
    BandEditing* m_editing = nullptr;
    ProjectStatus* m_status = nullptr;
    ProjectFileCommands m_files;
    QColor m_background;
    int m_highlighted = 0; // the band line shown in yellow, 0 for none
    std::array<QLabel*, 10> m_num{};
    std::array<QPushButton*, 10> m_delriga{};
    std::array<QComboBox*, 10> m_tipofi{};
    std::array<QComboBox*, 10> m_tipoc{};
    std::array<QLabel*, 10> m_perd{};
    // Text boxes by gas column (1..12; the combo columns stay empty).
    std::array<std::array<QLineEdit*, 10>, 13> m_boxes{};
    // Fitting boxes by gas column (cu45 = 14 .. luvirt = 21).
    std::array<QLineEdit*, 22> m_fittings{};
};
