#include "core/editing/TableEditing.h"

#include "core/model/GasNetwork.h"
#include "core/model/NumberText.h"
#include "core/model/Verification.h"
#include "core/model/WaterNetwork.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <vector>

namespace {

// What tells one network's editing from the other's.
struct EditedColumns {
    std::span<const int> bandColumns;
    std::span<const int> copiedColumns;
    // Every column the user types (the band's and the others; the gas
    // virtual length too, whose box takes typing until the row is complete):
    // a change of computed columns alone is no step.
    std::vector<int> inputColumns;
    QString (*columnName)(int);
};

template <typename Net> class Editing final : public TableEditing {
public:
    static constexpr int Columns = Net::Columns;
    // Types a pasted value into the network as its own band would. A plain
    // function, not a pointer to member: GCC's undefined-behaviour sanitizer
    // takes the object of a call through one for a null pointer.
    using Paste = void (*)(Net& network, int row, int column, const QString& text);

    Editing(Net& network, TableHistory<Columns>& history, int& bandTop, TableChanged changed,
            EditedColumns columns, Paste paste)
        : m_network(network)
        , m_history(history)
        , m_bandTop(bandTop)
        , m_changed(std::move(changed))
        , m_net(std::move(columns))
        , m_paste(paste)
        , m_steppedColumns(m_net.inputColumns) {
        // The upstream segment, typed in the verification window, is a step
        // too; it is no input of the band's own (a row holding only it holds
        // nothing an inserted row would lose).
        m_steppedColumns.push_back(SegmentTable<Columns>::UpstreamColumn);
        // So are the utenze, edited in the window of the design flows.
        m_steppedColumns.push_back(Net::UtenzeColumn);
        // And the heights and pressures of the verification window.
        m_steppedColumns.insert(m_steppedColumns.end(), Net::ElevationColumns.begin(),
                                Net::ElevationColumns.end());
    }

    std::span<const int> bandColumns() const override { return m_net.bandColumns; }
    std::span<const int> copiedColumns() const override { return m_net.copiedColumns; }
    QString columnName(int column) const override { return m_net.columnName(column); }
    int bandTop() const override { return m_bandTop; }
    int rowCount() const override { return m_network.rows(); }

    bool record(int first, int last, std::optional<CellKey> key,
                const std::function<void()>& change) override {
        if (m_recording) {
            change();
            return false;
        }
        m_recording = true;
        m_history.begin(m_network.table(), first, last, frame());
        change();
        m_recording = false;
        const bool recorded = m_history.commit(m_network.table(), frame(), m_steppedColumns, key);
        if (recorded && m_changed)
            m_changed(TableChange::Recorded);
        return recorded;
    }

    bool undo() override { return move(&TableHistory<Columns>::undo); }
    bool redo() override { return move(&TableHistory<Columns>::redo); }
    bool canUndo() const override { return m_history.canUndo(); }
    bool canRedo() const override { return m_history.canRedo(); }
    void seal() override { m_history.seal(); }

    PasteOutcome paste(int row, int column, const CellBlock& block,
                       const std::function<QString(int)>& head) override {
        PasteTarget target;
        target.columns = m_net.bandColumns;
        target.lengthColumn = m_net.bandColumns.front();
        target.head = head;
        target.cellAt = [this](int r, int c) -> const Cell& { return m_network.at(r, c); };
        target.count = m_network.rows();
        target.type = [this](int r, int c, const QString& text) { m_paste(m_network, r, c, text); };
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
        record(row, MaxRows, std::nullopt, [&] { m_network.insertRow(row); });
        return {};
    }

    Notice typeUpstream(int row, const QString& text) override {
        if (const auto refusal = RefuseUpstream(row, text, m_network.rows()))
            return *refusal;
        const int source = UpstreamFromText(row, text);
        record(row, row, std::nullopt, [&] { m_network.setUpstream(row, source); });
        return {};
    }

    Notice typeElevation(int row, int column, const QString& text) override {
        if (const auto refusal =
                RefuseElevationText(row, column, text, m_network.rows(), Net::Kind))
            return *refusal;
        record(row, row, CellKey{row, column},
               [&] { m_network.setElevationValue(row, column, ReadTypedNumber(text)); });
        return {};
    }

    QString copyRows(std::span<const CopiedColumn> columns, const QLocale& locale) const override {
        return CopyRowsText(
            columns, m_network.rows(),
            [this](int r, int c) -> const Cell& { return m_network.at(r, c); }, locale);
    }

private:
    using Step = bool (TableHistory<Columns>::*)(const typename TableHistory<Columns>::RowPut&,
                                                 TableFrame&);

    TableFrame frame() const { return {m_network.count(), m_bandTop}; }

    bool move(Step step) {
        TableFrame f = frame();
        const auto put = [this](int row, const typename Net::Row& cells) {
            m_network.restoreRow(row, cells);
        };
        if (!(m_history.*step)(put, f))
            return false;
        m_network.restoreCount(f.count);
        m_bandTop = f.bandTop;
        if (m_changed)
            m_changed(TableChange::Stepped);
        return true;
    }

    // The band moves, if need be, so that `row` is on its last line.
    void showRow(int row) {
        if (row < m_bandTop)
            m_bandTop = BandTopShowing(row);
        else if (row > m_bandTop + BandLines - 1)
            m_bandTop = BandTopShowing(row - BandLines + 1);
    }

    bool holdsInput(int row) const {
        const auto has = [&](int c) { return !m_network.at(row, c).isEmpty(); };
        return has(Net::UtenzeColumn) ||
               std::any_of(Net::ElevationColumns.begin(), Net::ElevationColumns.end(), has) ||
               std::any_of(m_net.inputColumns.begin(), m_net.inputColumns.end(),
                           [&](int c) { return !m_network.at(row, c).isEmpty(); });
    }

    Net& m_network;
    TableHistory<Columns>& m_history;
    int& m_bandTop;
    TableChanged m_changed;
    EditedColumns m_net;
    Paste m_paste;
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

std::unique_ptr<TableEditing> NetworkEditing(WaterNetwork& network,
                                             TableHistory<WaterTable::Columns>& history,
                                             int& bandTop, TableChanged changed) {
    return std::make_unique<Editing<WaterNetwork>>(
        network, history, bandTop, std::move(changed),
        EditedColumns{
            WaterBand, WaterCopied, {WaterBand.begin(), WaterBand.end()}, WaterColumnName},
        [](WaterNetwork& water, int row, int column, const QString& text) {
            water.PasteWaterValue(row, column, text);
        });
}

std::unique_ptr<TableEditing> NetworkEditing(GasNetwork& network,
                                             TableHistory<GasSegmentTable::Columns>& history,
                                             int& bandTop, TableChanged changed) {
    return std::make_unique<Editing<GasNetwork>>(
        network, history, bandTop, std::move(changed),
        EditedColumns{GasBand,
                      GasCopied,
                      {GasColumn::lungh, GasColumn::tipofi, GasColumn::portgas, GasColumn::tipoc,
                       GasColumn::diam, GasColumn::cu45, GasColumn::cu90, GasColumn::cu91,
                       GasColumn::rt, GasColumn::rx, GasColumn::rs, GasColumn::rv,
                       GasColumn::luvirt},
                      GasColumnName},
        [](GasNetwork& gas, int row, int column, const QString& text) {
            gas.PasteGasValue(row, column, text);
        });
}
