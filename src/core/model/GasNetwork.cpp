#include "core/model/GasNetwork.h"

#include "core/model/NumberText.h"

namespace {

void applyGasType(GasSegmentTable::Row& cells, const GasType* type) {
    if (!type)
        return;
    cells[GasColumn::visc].setNumber(type->visc);
    cells[GasColumn::mas].setNumber(type->mas);
    cells[GasColumn::pcs].setNumber(type->pcs);
    cells[GasColumn::pci].setNumber(type->pci);
}

} // namespace

void GasNetwork::SetGasCell(int row, int column, const QString& text) {
    m_table.at(row, column) = Cell::text(text);
}

void GasNetwork::ApplyGasType(int row) {
    GasSegmentTable::Row& cells = m_table.row(row);
    applyGasType(cells, GasTypeNamed(cells[GasColumn::tipoc]));
}

void GasNetwork::TypeGasCell(int row, int column, const QString& text) {
    SetGasCell(row, column, text);
    switch (column) {
    case GasColumn::lungh:
        CountGasRows();
        break;
    case GasColumn::tipofi:
        // Without a nominal diameter the internal one goes from the table.
        if (text.isEmpty())
            SetGasCell(row, GasColumn::diam, QString());
        break;
    case GasColumn::tipoc:
        if (!text.isEmpty())
            ApplyGasType(row);
        break;
    case GasColumn::diam:
        SetGasCell(row, GasColumn::tipofi, MatchInternalDiameter(row));
        break;
    default:
        break;
    }
    CalculateGasRow(row);
    changed();
}

void GasNetwork::ApplyNominalDiameter(int row, int index) {
    if (index < 0 || index >= NominalDiameterCount)
        return;
    m_table.at(row, GasColumn::tipofi) = Cell::text(NominalDiameters()[index]);
    m_table.at(row, GasColumn::diam) =
        index == 0 ? Cell::emptyText() : Cell::text(NumberToText(InternalDiameters[index]));
    CalculateGasRow(row);
    changed();
}

void GasNetwork::ChooseGasType(int row, const QString& name) {
    SetGasCell(row, GasColumn::tipoc, name);
    ApplyGasType(row);
    CalculateGasRow(row);
    changed();
}

void GasNetwork::PasteGasValue(int row, int column, const QString& text) {
    const QString name = text.trimmed();
    for (int k = 0; k < NominalDiameterCount && column == GasColumn::tipofi; ++k) {
        if (name.compare(NominalDiameters()[k], Qt::CaseInsensitive) == 0) {
            ApplyNominalDiameter(row, k);
            return;
        }
    }
    for (int k = 1; k <= 2 && column == GasColumn::tipoc; ++k) {
        if (name.compare(GasTypes()[k].name, Qt::CaseInsensitive) == 0) {
            TypeGasCell(row, column, GasTypes()[k].name);
            return;
        }
    }
    TypeGasCell(row, column, text);
}

QString GasNetwork::MatchInternalDiameter(int row) const {
    const double d = m_table.at(row, GasColumn::diam).value();
    QString name = NominalDiameters()[0];
    for (int i = 1; i < NominalDiameterCount; ++i) {
        if (d == InternalDiameters[i])
            name = NominalDiameters()[i];
    }
    return name;
}

void GasNetwork::CalculateGasRow(int row) {
    GasSegmentTable::Row& cells = m_table.row(row);
    if (!GasRowComplete(cells))
        return;
    const GasType* type = GasTypeNamed(cells[GasColumn::tipoc]);
    applyGasType(cells, type);
    const GasRowResults r = ComputeGasRow(cells, cells[GasColumn::diam].value(), type);
    if (r.virtualLength)
        cells[GasColumn::luvirt].setNumber(*r.virtualLength);
    else
        cells[GasColumn::luvirt] = Cell::emptyText();
    if (r.computable) {
        cells[GasColumn::rey].setNumber(r.rey);
        cells[GasColumn::attr].setNumber(r.attr);
        cells[GasColumn::vel].setNumber(r.vel);
        cells[GasColumn::perd].setNumber(r.perd);
    } else {
        for (const int c : {GasColumn::rey, GasColumn::attr, GasColumn::vel, GasColumn::perd})
            cells[c] = Cell::emptyText();
    }
}

void GasNetwork::CountGasRows() {
    m_count = ::CountGasRows(m_table);
}

static_assert(GasColumn::lungh == 1, "the networks' row operations read the length in column 1");

Notice GasNetwork::DeleteGasRow(int row) {
    return deleteRow(row, GasStoredColumns, [this] { CountGasRows(); });
}

void GasNetwork::insertRow(int row) {
    insertEmptyRow(row, [this] { CountGasRows(); });
}

void GasNetwork::ClearGasTable() {
    clearTable();
}

void GasNetwork::replace(GasSegmentTable table, std::optional<int> count) {
    replaceTable(std::move(table), count, [this](int r) { CalculateGasRow(r); });
}

void GasNetwork::ShowGasRows(int first, int last) {
    bool dropped = false;
    for (int r = std::max(first, 1); r <= last && r <= MaxRows; ++r) {
        Cell& nominal = m_table.at(r, GasColumn::tipofi);
        if (m_table.at(r, GasColumn::lungh).isEmpty() && !nominal.isNeverWritten() &&
            !(nominal == Cell::emptyText())) {
            nominal = Cell::emptyText();
            dropped = true;
        }
    }
    if (dropped)
        changed();
}

std::optional<Notice> GasNetwork::RefuseGasLength(int row, const QString& text) const {
    const bool previousEmpty = row > 1 && m_table.at(row - 1, GasColumn::lungh).isEmpty();
    return RefuseLengthEntry(row, text, previousEmpty, rows(), GasColumn::lungh);
}

void GasNetwork::SetGasAppliances(int row, const std::vector<GasAppliance>& appliances) {
    m_table.at(row, GasColumn::utenze) = Cell::text(GasAppliancesText(appliances));
    changed();
}

void GasNetwork::ApplyDesignFlow(int row, double flowM3h) {
    TypeGasCell(row, GasColumn::portgas, DesignFlowText(flowM3h));
}
