#include "windows/verify/VerificationModels.h"

#include "core/model/GasTable.h"
#include "core/model/WaterTable.h"

#include <QBrush>
#include <QColor>
#include <QFont>

namespace {

// The critical path stands out as the row under the pointer of the data
// windows does, in a paler yellow; what breaks a limit is written in red.
// Made once: a view asks for them for every cell it paints.
const QBrush& criticalBackground() {
    static const QBrush brush(QColor(255, 245, 157));
    return brush;
}
const QBrush& broken() {
    static const QBrush brush(QColor(200, 0, 0));
    return brush;
}
const QBrush& byDefault() {
    static const QBrush brush(QColor(110, 110, 110));
    return brush;
}
const QFont& italic() {
    static const QFont font = [] {
        QFont f;
        f.setItalic(true);
        return f;
    }();
    return font;
}

QString decimals(double value, int count) {
    return VerdictNumber(value, count, count);
}

int lossDecimals(NetworkKind kind) {
    return kind == NetworkKind::Water ? 2 : 4;
}

// Which rows lie on the critical path (index r).
std::vector<char> criticalRows(const NetworkVerification& v) {
    std::vector<char> on(static_cast<size_t>(v.count()) + 1, 0);
    for (int r = v.critical; r > 0; r = v.row(r).upstream)
        on[static_cast<size_t>(r)] = 1;
    return on;
}

bool sameRow(const VerifiedRow& a, const VerifiedRow& b) {
    return a.upstream == b.upstream && a.loss == b.loss && a.pathLoss == b.pathLoss &&
           a.velocity == b.velocity && a.velocityPassed == b.velocityPassed;
}

// Whether the path to `terminal` runs through the same rows in both.
bool samePath(const NetworkVerification& a, const NetworkVerification& b, int terminal) {
    for (int r = terminal; r > 0; r = a.row(r).upstream) {
        if (a.row(r).upstream != b.row(r).upstream)
            return false;
    }
    return true;
}

// The first and last of the rows that differ, told to the views; -1 for
// none.
struct Changed {
    int first = -1;
    int last = -1;
    void add(int row) {
        first = first < 0 ? row : first;
        last = row;
    }
};

void tell(QAbstractTableModel& model, const Changed& changed) {
    if (changed.first >= 0)
        emit model.dataChanged(model.index(changed.first, 0),
                               model.index(changed.last, model.columnCount() - 1));
}

} // namespace

SegmentModel::SegmentModel(NetworkKind kind, QObject* parent)
    : QAbstractTableModel(parent)
    , m_kind(kind) {}

void SegmentModel::update(const NetworkVerification& v, const std::vector<char>& explicitUpstream) {
    std::vector<char> critical = criticalRows(v);
    if (v.count() != m_v.count() || v.dataPassed != m_v.dataPassed) {
        beginResetModel();
        m_v = v;
        m_explicit = explicitUpstream;
        m_critical = std::move(critical);
        endResetModel();
        return;
    }
    Changed changed;
    for (int r = 1; r <= v.count(); ++r) {
        const auto i = static_cast<size_t>(r);
        if (!sameRow(v.row(r), m_v.row(r)) || critical[i] != m_critical[i] ||
            explicitUpstream[i - 1] != m_explicit[i - 1])
            changed.add(r - 1);
    }
    m_v = v;
    m_explicit = explicitUpstream;
    m_critical = std::move(critical);
    tell(*this, changed);
}

int SegmentModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_v.count();
}

int SegmentModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : (m_kind == NetworkKind::Water ? 5 : 4);
}

QVariant SegmentModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int r = index.row() + 1;
    const VerifiedRow& row = m_v.row(r);
    const bool water = m_kind == NetworkKind::Water;
    // The columns after the upstream segment, without the velocity for gas.
    const int column = water || index.column() < 2 ? index.column() : index.column() + 1;
    const bool named = m_explicit[static_cast<size_t>(r - 1)] != 0;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (column) {
        case 0:
            return QString::number(r);
        case UpstreamColumn:
            return QString::number(row.upstream);
        case 2:
            return row.velocity ? decimals(*row.velocity, 2) : QStringLiteral("n.c.");
        case 3:
            return decimals(row.loss, lossDecimals(m_kind));
        default:
            return m_v.dataPassed ? decimals(row.pathLoss, lossDecimals(m_kind)) : QString();
        }
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return m_critical[static_cast<size_t>(r)] ? QVariant(criticalBackground()) : QVariant();
    case Qt::ForegroundRole:
        if (column == 2 && !row.velocityPassed)
            return broken();
        if (column == UpstreamColumn && !named)
            return byDefault();
        return {};
    case Qt::FontRole:
        return column == UpstreamColumn && !named ? QVariant(italic()) : QVariant();
    case Qt::ToolTipRole:
        if (column == UpstreamColumn)
            return named ? QStringLiteral("tronco a monte (0: l'origine della rete); "
                                          "cancellare per tornare al tronco precedente")
                         : QStringLiteral("tronco precedente, finché non se ne digita un altro "
                                          "(0: l'origine della rete)");
        if (column == 2 && !row.velocityPassed)
            return QStringLiteral("velocità oltre il limite");
        return {};
    default:
        return {};
    }
}

QVariant SegmentModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const QString unit = LossUnit(m_kind);
    const ColumnTable columns = m_kind == NetworkKind::Water ? WaterColumns() : GasColumns();
    const int upstream =
        m_kind == NetworkKind::Water ? int(WaterColumn::monte) : int(GasColumn::monte);
    QStringList heads{FactsOf(columns, 0).headText(), FactsOf(columns, upstream).headText()};
    if (m_kind == NetworkKind::Water)
        heads << QStringLiteral("v (m/s)");
    heads << QStringLiteral("perdita (%1)").arg(unit)
          << QStringLiteral("dall'origine (%1)").arg(unit);
    return heads.value(section);
}

Qt::ItemFlags SegmentModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == UpstreamColumn)
        f |= Qt::ItemIsEditable;
    return f;
}

bool SegmentModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() != UpstreamColumn || !editUpstream)
        return false;
    return editUpstream(index.row() + 1, value.toString());
}

PathModel::PathModel(NetworkKind kind, QObject* parent)
    : QAbstractTableModel(parent)
    , m_kind(kind) {}

void PathModel::update(const NetworkVerification& v) {
    if (v.paths.size() != m_v.paths.size() || v.count() != m_v.count()) {
        beginResetModel();
        m_v = v;
        endResetModel();
        return;
    }
    Changed changed;
    for (size_t i = 0; i < v.paths.size(); ++i) {
        const VerifiedPath& a = v.paths[i];
        const VerifiedPath& b = m_v.paths[i];
        const bool same = a.terminal == b.terminal && a.loss == b.loss && a.limit == b.limit &&
                          a.passed == b.passed &&
                          (a.terminal == v.critical) == (b.terminal == m_v.critical) &&
                          samePath(v, m_v, a.terminal);
        if (!same)
            changed.add(static_cast<int>(i));
    }
    m_v = v;
    tell(*this, changed);
}

int PathModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_v.paths.size());
}

int PathModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 5;
}

QVariant PathModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const VerifiedPath& p = m_v.paths[static_cast<size_t>(index.row())];
    const bool critical = p.terminal == m_v.critical;
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case 0:
            return QString::number(p.terminal);
        case 1:
            return decimals(p.loss, lossDecimals(m_kind));
        case 2:
            return p.limit ? VerdictNumber(*p.limit, 1) : QStringLiteral("nessuno");
        case VerdictColumn:
            return p.passed ? QStringLiteral("rispettato") : QStringLiteral("superato");
        default:
            return PathText(m_v, p.terminal);
        }
    case Qt::TextAlignmentRole:
        return index.column() >= VerdictColumn ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                               : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return critical ? QVariant(criticalBackground()) : QVariant();
    case Qt::ForegroundRole:
        return p.passed ? QVariant() : QVariant(broken());
    case Qt::ToolTipRole:
        if (index.column() == PathColumn)
            return PathText(m_v, p.terminal);
        return critical ? QVariant(QStringLiteral("percorso critico: la perdita maggiore"))
                        : QVariant();
    default:
        return {};
    }
}

QVariant PathModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const QStringList heads{
        QStringLiteral("terminale"), QStringLiteral("perdita (%1)").arg(LossUnit(m_kind)),
        QStringLiteral("limite"), QStringLiteral("esito"), QStringLiteral("percorso")};
    return heads.value(section);
}
