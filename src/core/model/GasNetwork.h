#pragma once

#include "core/model/DesignFlows.h"
#include "core/model/GasTable.h"
#include "core/model/Network.h"
#include "core/model/Notice.h"
#include "core/model/RowGuide.h"

#include <QString>

#include <optional>

// The gas network of the project. Every operation stores what the user
// typed, picked or pasted with the rules of its column, counts the rows
// again when a length changed, and computes the rows it touched
// (CalculateGasRow): a row whose length, nominal diameter, flow, gas type
// and internal diameter are all given gets its virtual length, Reynolds
// number, friction factor, velocity and loss; any other row keeps what it
// had, except the gas properties, which follow the gas type at once.
class GasNetwork : public Network<GasSegmentTable::Columns> {
public:
    static constexpr NetworkKind Kind = NetworkKind::Gas;
    static constexpr int UtenzeColumn = GasColumn::utenze;
    // Typed in the verification window: the rise and the concentrated loss.
    static constexpr std::array<int, 2> ElevationColumns = {GasColumn::disl, GasColumn::pconc};

    // A text typed into a box (the band's or the fitting row's), stored
    // with the rules of its column: an emptied nominal diameter empties the
    // internal one; a gas type sets the gas properties; a typed internal
    // diameter names its pipe in the series ("ND" for none).
    void TypeGasCell(int row, int column, const QString& text);

    // A nominal diameter picked from the list (0..12): its name and its
    // internal diameter (empty for "ND").
    void ApplyNominalDiameter(int row, int index);
    // A gas type picked from the list: its name and its properties.
    void ChooseGasType(int row, const QString& name);

    // A value pasted into a box of the band, as if typed there in turn,
    // except that a name of the nominal diameters or of the gas types (in
    // any case) is that entry picked from the list, which gives a nominal
    // diameter its internal one.
    void PasteGasValue(int row, int column, const QString& text);

    // The appliances a segment itself feeds; none empties the cell.
    void SetGasAppliances(int row, const std::vector<GasAppliance>& appliances);
    // A design flow written into the flow column, as if typed (DesignFlowText).
    void ApplyDesignFlow(int row, double flowM3h);

    // Deletes a row; a row without length is kept (unless it is an empty
    // row left inside the table) and the warning returned.
    Notice DeleteGasRow(int row);
    // An empty row at `row`: the rows from there move down by one, and the
    // last row of the table is lost (the caller checks it holds nothing).
    void insertRow(int row);
    // GasRowCount := 0 and every cell of rows 1..500 emptied.
    void ClearGasTable();

    // The table and the count a data file holds, every row computed.
    void replace(GasSegmentTable table, std::optional<int> count);

    // The rows first..last come into the window's band. A row shown there
    // without a length keeps no nominal diameter: the band of the gas window
    // has always dropped it as it showed the row, and the table, the file
    // and the printouts hold what the band showed. Rows the band never
    // showed keep theirs.
    void ShowGasRows(int first, int last);

    // Sum of perd over rows 1..lastRow.
    double GasTotal(int lastRow) const { return m_table.sum(GasColumn::perd, lastRow); }
    // The hint line of the gas window.
    QString GasHint() const { return ::GasHint(m_table, rows()); }
    // The nominal name whose internal diameter equals the number read from
    // diam, "ND" when none does.
    QString MatchInternalDiameter(int row) const;
    // Refusal of a length typed on a row that would leave a blank row
    // before it.
    std::optional<Notice> RefuseGasLength(int row, const QString& text) const;

private:
    // Stores a text; the empty text empties the cell.
    void SetGasCell(int row, int column, const QString& text);
    // "metano" or "GPL" in tipoc sets visc, mas, pcs, pci; any other text
    // changes nothing.
    void ApplyGasType(int row);
    // GasRowCount := rows 1..500 whose length reads above 0.
    void CountGasRows();
    // A row that cannot be computed (flow, diameter or viscosity 0) keeps
    // its virtual length and gets empty results.
    void CalculateGasRow(int row);
};
