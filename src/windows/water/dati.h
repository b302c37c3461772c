#pragma once
#include "core/model/Notice.h"
#include "windows/frame/Form.h"
#include "windows/frame/NetworkView.h"
#include "windows/project/ProjectFileCommands.h"

#include <QColor>
#include <array>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class BandEditing;
class PrinterPage;
class ProjectStatus;
class WindowFrame;

// The water data window: the 500-row water table seen through a band of ten
// lines that the scroll bar moves. Every cell edit is stored in the table at
// once and its row recomputed; the hint box says what to type next.
class dati : public Form, public ProjectView, public NetworkView {
    Q_OBJECT
public:
    explicit dati(AppContext& context, QWidget* parent = nullptr);

    void Form_Load() override;

    // Controls of the band, indexed by line 1..10.
    QLabel* num(int i) const { return m_num.at(at(i)); }
    QPushButton* delriga(int i) const { return m_delriga.at(at(i)); }
    QComboBox* tipoc(int i) const { return m_tipoc.at(at(i)); }
    QLabel* perd(int i) const { return m_perd.at(at(i)); }
    // The input box of a water column (lungh..valv, tipoc's editor excluded).
    QLineEdit* box(int column, int i) const;
    QLineEdit* lungh(int i) const { return box(1, i); }
    // The control that edits `column` on line i (the combo for tipoc).
    QWidget* control(int column, int i) const;

    QScrollBar* VScroll1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* totperd = nullptr;
    QLabel* passo = nullptr;
    // Output of the data-and-results print: (1) "Stampa con Word", chosen at
    // load, (2) "Stampa diretta".
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
    int SelectedLine = 0;

    // Shows the table rows of the band position.
    void RefreshBand();
    void UpdateStepHint();
    void RestoreRowColours();
    // The input check; true when it passed.
    bool CheckData();
    void Clear();
    void ChangeBackground();
    void aiuto_Click();
    // The table as it stands after a command of the editing: the band at
    // its position, with the count, the total and the hint.
    void showTable() override;
    // The data-and-results print (menu "&dati finestra", `stamp`, toolbar
    // button 6): the silent check, the band paged through the table to its
    // last page, then the printer or a document as `comestampo` says.
    void stampa_Click();
    // The blank data-acquisition form, always as a document.
    void acquisizionedati_Click();
    // "&Anteprima di stampa...": the printer listing of the table, after the
    // same check and paging as the print, shown page by page.
    void anteprima_Click();
    void delriga_Click(int i);
    void num_MouseMove(int i);
    QColor background() const { return m_background; }

    // ProjectView
    void projectOpened() override;
    void setBackgroundColour(const QColor& colour) override;

    // NetworkView
    void showCheckNotice(const Notice& notice) override { showNotice(notice); }
    void PageThroughTable() override;
    double shownTotal() const override;

    // Change handlers of the band, by line.
    void lungh_Change(int i);
    void cell_Change(int column, int i);
    void tipoc_Change(int i);
    void tipoc_Click(int i, int index);

private:
    static size_t at(int i) { return static_cast<size_t>(i - 1); }
    void buildBand();
    void buildHeads();
    void buildOthers();
    // Shows the loss of line `line` and the total, as the model computed
    // them.
    void showLoss(int line);
    void showCount();
    // The row number of line i and the tooltip of its delete button.
    void showRowNumber(int i);
    void showTotal();
    // Shows a notice of the input guidance and moves the band and focus to it.
    void showNotice(const Notice& notice);
    void paintLine(int i, const QColor& labels, const QColor& boxes);
    // Every line in the colours of a line not pointed at.
    void paintBand();
    bool precheck();
    // The silent check and the table paged through, before a listing.
    bool prepareListing();
    std::function<void(PrinterPage&)> listing();
    void printDocument();
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The band's editing: the lines and columns of its controls.
    void buildEditing();
    // Runs a change handler of line i, recorded as typing in its cell.
    void typed(int column, int i, const std::function<void()>& handler);

    WindowFrame* m_frame = nullptr;
    BandEditing* m_editing = nullptr;
    ProjectStatus* m_status = nullptr;
    ProjectFileCommands m_files;
    int m_highlighted = 0; // the band line shown in yellow, 0 for none
    QColor m_background;
    std::array<QLabel*, 10> m_num{};
    std::array<QPushButton*, 10> m_delriga{};
    std::array<QComboBox*, 10> m_tipoc{};
    std::array<QLabel*, 10> m_perd{};
    // Text boxes by water column (1..12; the tipoc slot stays empty).
    std::array<std::array<QLineEdit*, 10>, 13> m_boxes{};
};
