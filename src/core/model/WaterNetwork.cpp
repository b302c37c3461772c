#include "core/model/WaterNetwork.h"

#include "core/model/NumberText.h"

void WaterNetwork::StoreWaterCell(int row, int column, const QString& text) {
    m_table.at(row, column) = Cell::text(text);
    if (column == WaterColumn::tipoc && text.isEmpty())
        m_table.at(row, WaterColumn::sca) = Cell::emptyText();
    if (column == WaterColumn::lungh)
        RecountRows();
    RecalculateRow(row);
    changed();
}

void WaterNetwork::PickWallType(int row, int index) {
    if (index < 1 || index > WallTypeCount) {
        StoreWaterCell(row, WaterColumn::tipoc, QString());
        return;
    }
    m_table.at(row, WaterColumn::tipoc) = Cell::text(WallTypeNames()[index]);
    m_table.at(row, WaterColumn::sca) = Cell::text(NumberToText(WallTypeCoefficients[index]));
    RecalculateRow(row);
    changed();
}

void WaterNetwork::PasteWaterValue(int row, int column, const QString& text) {
    if (column == WaterColumn::tipoc) {
        for (int k = 1; k <= WallTypeCount; ++k) {
            if (text.trimmed().compare(WallTypeNames()[k], Qt::CaseInsensitive) == 0) {
                PickWallType(row, k);
                return;
            }
        }
    }
    StoreWaterCell(row, column, text);
}

void WaterNetwork::RecountRows() {
    m_count = CountWaterRows(m_table);
}

void WaterNetwork::RecalculateRow(int row) {
    WaterTable::Row& cells = m_table.row(row);
    if (!WaterRowComplete(cells))
        return;
    if (const auto loss = WaterRowLoss(cells, cells[WaterColumn::diam].value()))
        cells[WaterColumn::perd].setNumber(*loss);
    else
        cells[WaterColumn::perd] = Cell::emptyText();
}

static_assert(WaterColumn::lungh == 1, "the networks' row operations read the length in column 1");

Notice WaterNetwork::DeleteWaterRow(int row) {
    return deleteRow(row, WaterStoredColumns, [this] { RecountRows(); });
}

void WaterNetwork::insertRow(int row) {
    insertEmptyRow(row, [this] { RecountRows(); });
}

void WaterNetwork::ClearWaterTable() {
    clearTable();
}

void WaterNetwork::replace(WaterTable table, std::optional<int> count) {
    replaceTable(std::move(table), count, [this](int r) { RecalculateRow(r); });
}

std::optional<Notice> WaterNetwork::RefuseWaterLength(int row, const QString& text) const {
    const bool previousEmpty = row > 1 && m_table.at(row - 1, WaterColumn::lungh).isEmpty();
    return RefuseLengthEntry(row, text, previousEmpty, rows(), WaterColumn::lungh);
}

void WaterNetwork::SetWaterOutlets(int row, const std::vector<WaterOutlet>& outlets) {
    m_table.at(row, WaterColumn::utenze) = Cell::text(WaterOutletsText(outlets));
    changed();
}

void WaterNetwork::ApplyDesignFlow(int row, double flowLs) {
    StoreWaterCell(row, WaterColumn::port, DesignFlowText(flowLs));
}
