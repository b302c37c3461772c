#include "core/TableEditing.h"

#include "core/ApplicationState.h"
#include "core/Verification.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <vector>

namespace {

// What tells one network from the other.
template <int Columns> struct Network {
    SegmentTable<Columns>& table;
    std::optional<int>& count;
    int& bandTop;
    TableHistory<Columns>& history;
    std::span<const int> bandColumns;
    std::span<const int> copiedColumns;
    // Every column the user types (the band's and the others; the gas
    // virtual length too, whose box takes typing until the row is complete):
    // a change of computed columns alone is no step.
    std::vector<int> inputColumns;
    QString (*columnName)(int);
    void (*pasteValue)(ApplicationState&, int, int, const QString&);
    void (*recount)(ApplicationState&);
};

template <int Columns> class NetworkEditing final : public TableEditing {
public:
    NetworkEditing(ApplicationState& state, Network<Columns> network)
        : m_state(state)
        , m_net(std::move(network))
        , m_steppedColumns(m_net.inputColumns) {
        // The upstream segment, typed in the verification window, is a step
        // too; it is no input of the band's own (a row holding only it holds
        // nothing an inserted row would lose).
        m_steppedColumns.push_back(SegmentTable<Columns>::UpstreamColumn);
    }

    std::span<const int> bandColumns() const override { return m_net.bandColumns; }
    std::span<const int> copiedColumns() const override { return m_net.copiedColumns; }
    QString columnName(int column) const override { return m_net.columnName(column); }
    int bandTop() const override { return m_net.bandTop; }
    int rowCount() const override { return m_net.count.value_or(0); }

    bool record(int first, int last, std::optional<CellKey> key,
                const std::function<void()>& change) override {
        if (m_recording) {
            change();
            return false;
        }
        m_recording = true;
        m_net.history.begin(m_net.table, first, last, frame());
        change();
        m_recording = false;
        const bool recorded = m_net.history.commit(m_net.table, frame(), m_steppedColumns, key);
        if (recorded)
            NotifyProject(m_state, ProjectEvent::Changed);
        return recorded;
    }

    bool undo() override { return move(&TableHistory<Columns>::undo); }
    bool redo() override { return move(&TableHistory<Columns>::redo); }
    bool canUndo() const override { return m_net.history.canUndo(); }
    bool canRedo() const override { return m_net.history.canRedo(); }
    void seal() override { m_net.history.seal(); }

    PasteOutcome paste(int row, int column, const CellBlock& block,
                       const std::function<QString(int)>& head) override {
        PasteTarget target;
        target.columns = m_net.bandColumns;
        target.lengthColumn = m_net.bandColumns.front();
        target.head = head;
        target.cellAt = [this](int r, int c) -> const Cell& { return m_net.table.at(r, c); };
        target.count = m_net.count.value_or(0);
        target.type = [this](int r, int c, const QString& text) {
            m_net.pasteValue(m_state, r, c, text);
        };
        PasteOutcome outcome;
        record(row, PasteLastRow(row, block), std::nullopt, [&] {
            outcome = PasteBlock(target, row, column, block);
            if (outcome.lastRow > 0)
                showRow(outcome.lastRow);
        });
        return outcome;
    }

    Notice insertRow(int row) override {
        if (holdsInput(MaxRows)) {
            Notice notice;
            notice.text = QStringLiteral("Non è possibile inserire una riga: il tronco n. 500, "
                                         "l'ultimo della tabella, contiene dati che andrebbero "
                                         "persi.");
            notice.icon = NoticeIcon::Critical;
            notice.row = MaxRows;
            return notice;
        }
        bool dataBelow = false;
        for (int r = row; r < MaxRows && !dataBelow; ++r)
            dataBelow = holdsInput(r);
        if (!dataBelow)
            return {};
        record(row, MaxRows, std::nullopt, [&] {
            m_net.table.insertRow(row);
            m_net.recount(m_state);
        });
        return {};
    }

    Notice typeUpstream(int row, const QString& text) override {
        if (const auto refusal = RefuseUpstream(row, text, m_net.count.value_or(0)))
            return *refusal;
        const int source = UpstreamFromText(row, text);
        record(row, row, std::nullopt, [&] { m_net.table.setUpstream(row, source); });
        return {};
    }

    QString copyRows(std::span<const CopiedColumn> columns, const QLocale& locale) const override {
        return CopyRowsText(
            columns, m_net.count.value_or(0),
            [this](int r, int c) -> const Cell& { return m_net.table.at(r, c); }, locale);
    }

private:
    TableFrame frame() const { return {m_net.count, m_net.bandTop}; }

    bool move(bool (TableHistory<Columns>::*step)(SegmentTable<Columns>&, TableFrame&)) {
        TableFrame f = frame();
        if (!(m_net.history.*step)(m_net.table, f))
            return false;
        m_net.count = f.count;
        m_net.bandTop = f.bandTop;
        NotifyProject(m_state, ProjectEvent::Changed);
        return true;
    }

    // The band moves, if need be, so that `row` is on its last line.
    void showRow(int row) {
        if (row < m_net.bandTop)
            m_net.bandTop = BandTopShowing(row);
        else if (row > m_net.bandTop + BandLines - 1)
            m_net.bandTop = BandTopShowing(row - BandLines + 1);
    }

    bool holdsInput(int row) const {
        return std::any_of(m_net.inputColumns.begin(), m_net.inputColumns.end(),
                           [&](int c) { return !m_net.table.at(row, c).isEmpty(); });
    }

    ApplicationState& m_state;
    Network<Columns> m_net;
    // The columns whose change makes a step.
    std::vector<int> m_steppedColumns;
    bool m_recording = false;
};

constexpr std::array<int, 12> WaterBand = {
    WaterColumn::lungh, WaterColumn::diam, WaterColumn::port,  WaterColumn::tipoc,
    WaterColumn::sca,   WaterColumn::c45,  WaterColumn::c90,   WaterColumn::c91,
    WaterColumn::tes,   WaterColumn::croc, WaterColumn::sarac, WaterColumn::valv};
constexpr std::array<int, 13> WaterCopied = {
    WaterColumn::lungh, WaterColumn::diam, WaterColumn::port, WaterColumn::tipoc, WaterColumn::sca,
    WaterColumn::c45,   WaterColumn::c90,  WaterColumn::c91,  WaterColumn::tes,   WaterColumn::croc,
    WaterColumn::sarac, WaterColumn::valv, WaterColumn::perd};

constexpr std::array<int, 5> GasBand = {GasColumn::lungh, GasColumn::tipofi, GasColumn::portgas,
                                        GasColumn::tipoc, GasColumn::diam};
// As the window shows them: the band, then the fitting row.
constexpr std::array<int, 21> GasCopied = {
    GasColumn::lungh, GasColumn::tipofi, GasColumn::portgas, GasColumn::tipoc, GasColumn::diam,
    GasColumn::visc,  GasColumn::rey,    GasColumn::attr,    GasColumn::vel,   GasColumn::mas,
    GasColumn::pcs,   GasColumn::pci,    GasColumn::perd,    GasColumn::cu45,  GasColumn::cu90,
    GasColumn::cu91,  GasColumn::rt,     GasColumn::rx,      GasColumn::rs,    GasColumn::rv,
    GasColumn::luvirt};

} // namespace

std::unique_ptr<TableEditing> WaterEditing(ApplicationState& state) {
    return std::make_unique<NetworkEditing<WaterTable::Columns>>(
        state, Network<WaterTable::Columns>{state.water,
                                            state.WaterRowCount,
                                            state.WaterBandTop,
                                            state.waterHistory,
                                            WaterBand,
                                            WaterCopied,
                                            {WaterBand.begin(), WaterBand.end()},
                                            WaterColumnName,
                                            PasteWaterValue,
                                            RecountRows});
}

std::unique_ptr<TableEditing> GasEditing(ApplicationState& state) {
    return std::make_unique<NetworkEditing<GasSegmentTable::Columns>>(
        state, Network<GasSegmentTable::Columns>{
                   state.gas,
                   state.GasRowCount,
                   state.GasBandTop,
                   state.gasHistory,
                   GasBand,
                   GasCopied,
                   {GasColumn::lungh, GasColumn::tipofi, GasColumn::portgas, GasColumn::tipoc,
                    GasColumn::diam, GasColumn::cu45, GasColumn::cu90, GasColumn::cu91,
                    GasColumn::rt, GasColumn::rx, GasColumn::rs, GasColumn::rv, GasColumn::luvirt},
                   GasColumnName,
                   PasteGasValue,
                   CountGasRows});
}
