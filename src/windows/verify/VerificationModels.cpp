#include "windows/verify/VerificationModels.h"

#include "core/model/GasTable.h"
#include "core/model/WaterTable.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <algorithm>

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
           a.velocity == b.velocity && a.velocityPassed == b.velocityPassed &&
           a.height == b.height && a.concentrated == b.concentrated &&
           a.heightLoss == b.heightLoss && a.total == b.total && a.pressure == b.pressure;
}

// The values of a path, and what its reason is written from (its fastest
// segment and that segment's velocity), alike in both.
bool samePathValues(const NetworkVerification& va, const VerifiedPath& a,
                    const NetworkVerification& vb, const VerifiedPath& b) {
    return a.terminal == b.terminal && a.loss == b.loss && a.total == b.total &&
           a.limit == b.limit && a.residual == b.residual && a.minimum == b.minimum &&
           a.margin == b.margin && a.passed == b.passed && a.fastest == b.fastest &&
           a.tooFast == b.tooFast &&
           (a.fastest == 0 || va.row(a.fastest).velocity == vb.row(b.fastest).velocity);
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

// A typed value as its cell shows it: as typed, with a decimal comma.
QString typedText(const std::optional<double>& value) {
    return value ? VerdictNumber(*value, 0, 4) : QString();
}

const TypedRow& noneTyped() {
    static const TypedRow none;
    return none;
}

template <typename Field> int indexOf(const std::vector<Field>& fields, Field field) {
    const auto at = std::find(fields.begin(), fields.end(), field);
    return at == fields.end() ? -1 : static_cast<int>(at - fields.begin());
}

// The head of a column typed in the window, from its facts: its name and
// its unit, a name of two words over two lines ("perdita\nconcentrata
// (m)").
QString typedHead(const ColumnTable& columns, int column) {
    const ColumnFacts& facts = FactsOf(columns, column);
    QString head = facts.headText();
    const qsizetype blank = head.indexOf(u' ');
    if (blank > 0)
        head[blank] = u'\n';
    return head + QStringLiteral(" (%1)").arg(facts.windowUnitText());
}

} // namespace

SegmentModel::SegmentModel(NetworkKind kind, QObject* parent)
    : QAbstractTableModel(parent)
    , m_kind(kind)
    , m_fields(fieldsFor(m_v)) {}

std::vector<SegmentModel::Field> SegmentModel::fieldsFor(const NetworkVerification& v) const {
    if (m_kind == NetworkKind::Gas)
        return {Number, Upstream, Loss, FromSource, Rise, Concentrated, HeightLoss};
    std::vector<Field> fields{Number,     Upstream, Velocity,     Loss,
                              FromSource, Rise,     Concentrated, Height};
    if (v.waterLimits.sourceKPa)
        fields.push_back(Pressure);
    return fields;
}

int SegmentModel::column(Field field) const {
    return indexOf(m_fields, field);
}

void SegmentModel::update(const NetworkVerification& v, const std::vector<TypedRow>& typed) {
    std::vector<char> critical = criticalRows(v);
    std::vector<Field> fields = fieldsFor(v);
    if (v.count() != m_v.count() || v.dataPassed != m_v.dataPassed || fields != m_fields) {
        beginResetModel();
        m_v = v;
        m_typed = typed;
        m_critical = std::move(critical);
        m_fields = std::move(fields);
        endResetModel();
        return;
    }
    Changed changed;
    for (int r = 1; r <= v.count(); ++r) {
        const auto i = static_cast<size_t>(r);
        if (!sameRow(v.row(r), m_v.row(r)) || critical[i] != m_critical[i] ||
            typed[i - 1] != m_typed[i - 1])
            changed.add(r - 1);
    }
    m_v = v;
    m_typed = typed;
    m_critical = std::move(critical);
    tell(*this, changed);
}

int SegmentModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_v.count();
}

int SegmentModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_fields.size());
}

QString SegmentModel::text(Field field, int r) const {
    const VerifiedRow& row = m_v.row(r);
    const TypedRow& typed =
        r <= static_cast<int>(m_typed.size()) ? m_typed[static_cast<size_t>(r - 1)] : noneTyped();
    // What is reckoned from the source is a result of data that pass
    // their check only.
    const bool results = m_v.dataPassed;
    switch (field) {
    case Number:
        return QString::number(r);
    case Upstream:
        return QString::number(row.upstream);
    case Velocity:
        return row.velocity ? decimals(*row.velocity, 2) : QStringLiteral("n.c.");
    case Loss:
        return decimals(row.loss, lossDecimals(m_kind));
    case FromSource:
        return results ? decimals(row.pathLoss, lossDecimals(m_kind)) : QString();
    case Rise:
        return typedText(typed.rise);
    case Concentrated:
        return typedText(typed.concentrated);
    case Height:
        return results ? decimals(row.height, 2) : QString();
    case Pressure:
        return results && row.pressure ? PressureText(*row.pressure) : QString();
    case HeightLoss:
        return results ? decimals(row.heightLoss, 4) : QString();
    }
    return {};
}

QVariant SegmentModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const int r = index.row() + 1;
    const VerifiedRow& row = m_v.row(r);
    const Field field = m_fields[static_cast<size_t>(index.column())];
    const bool named =
        r <= static_cast<int>(m_typed.size()) && m_typed[static_cast<size_t>(r - 1)].namedUpstream;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(field, r);
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return m_critical[static_cast<size_t>(r)] ? QVariant(criticalBackground()) : QVariant();
    case Qt::ForegroundRole:
        if (field == Velocity && !row.velocityPassed)
            return broken();
        if (field == Upstream && !named)
            return byDefault();
        if (field == Pressure && row.pressure && *row.pressure < 0)
            return broken();
        return {};
    case Qt::FontRole:
        return field == Upstream && !named ? QVariant(italic()) : QVariant();
    case Qt::ToolTipRole:
        switch (field) {
        case Upstream:
            return named ? QStringLiteral("tronco a monte (0: l'origine della rete); "
                                          "cancellare per tornare al tronco precedente")
                         : QStringLiteral("tronco precedente, finché non se ne digita un altro "
                                          "(0: l'origine della rete)");
        case Velocity:
            return row.velocityPassed ? QVariant() : QStringLiteral("velocità oltre il limite");
        case Rise:
            return QStringLiteral("di quanto sale il tronco, in metri (negativo se scende); "
                                  "vuoto: in piano");
        case Concentrated:
            return QStringLiteral("perdita concentrata del tronco (contatore, filtro, "
                                  "riduttore), in %1; vuoto: nessuna")
                .arg(m_kind == NetworkKind::Water ? QStringLiteral("metri")
                                                  : QStringLiteral("mbar"));
        case Height:
            return QStringLiteral("quota dell'estremo a valle sopra l'origine della rete");
        case Pressure:
            return QStringLiteral("pressione all'estremo a valle del tronco");
        case HeightLoss:
            return QStringLiteral("effetto del dislivello sulla pressione del gas (negativo: "
                                  "un guadagno)");
        default:
            return {};
        }
    default:
        return {};
    }
}

QVariant SegmentModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const QString unit = LossUnit(m_kind);
    const bool water = m_kind == NetworkKind::Water;
    const ColumnTable columns = water ? WaterColumns() : GasColumns();
    switch (m_fields[static_cast<size_t>(section)]) {
    case Number:
        return FactsOf(columns, 0).headText();
    case Upstream:
        return FactsOf(columns, water ? int(WaterColumn::monte) : int(GasColumn::monte)).headText();
    case Velocity:
        return QStringLiteral("v (m/s)");
    case Loss:
        return QStringLiteral("perdita (%1)").arg(unit);
    case FromSource:
        return QStringLiteral("dall'origine\n(%1)").arg(unit);
    case Rise:
        return typedHead(columns, water ? int(WaterColumn::disl) : int(GasColumn::disl));
    case Concentrated:
        return typedHead(columns, water ? int(WaterColumn::pconc) : int(GasColumn::pconc));
    case Height:
        return QStringLiteral("quota (m)");
    case Pressure:
        return QStringLiteral("pressione\n(kPa)");
    case HeightLoss:
        return QStringLiteral("dislivelli\n(mbar)");
    }
    return {};
}

Qt::ItemFlags SegmentModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid() || index.column() >= columnCount())
        return f;
    const Field field = m_fields[static_cast<size_t>(index.column())];
    if (field == Upstream || field == Rise || field == Concentrated)
        f |= Qt::ItemIsEditable;
    return f;
}

bool SegmentModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() >= columnCount())
        return false;
    const int row = index.row() + 1;
    const bool water = m_kind == NetworkKind::Water;
    switch (m_fields[static_cast<size_t>(index.column())]) {
    case Upstream:
        return editUpstream && editUpstream(row, value.toString());
    case Rise:
        return editElevation &&
               editElevation(row, water ? int(WaterColumn::disl) : int(GasColumn::disl),
                             value.toString());
    case Concentrated:
        return editElevation &&
               editElevation(row, water ? int(WaterColumn::pconc) : int(GasColumn::pconc),
                             value.toString());
    default:
        return false;
    }
}

PathModel::PathModel(NetworkKind kind, QObject* parent)
    : QAbstractTableModel(parent)
    , m_kind(kind)
    , m_fields(fieldsFor(m_v)) {}

std::vector<PathModel::Field> PathModel::fieldsFor(const NetworkVerification& v) const {
    std::vector<Field> fields{Terminal, Loss, Limit, Total};
    if (m_kind == NetworkKind::Gas) {
        fields.push_back(Margin);
    } else if (v.waterLimits.sourceKPa) {
        fields.insert(fields.end(), {Minimum, Residual, Margin});
    } else if (v.waterLimits.head) {
        fields.push_back(Margin);
    }
    fields.insert(fields.end(), {Verdict, Path});
    return fields;
}

int PathModel::column(Field field) const {
    return indexOf(m_fields, field);
}

void PathModel::update(const NetworkVerification& v, const std::vector<TypedRow>& typed) {
    std::vector<Field> fields = fieldsFor(v);
    if (v.paths.size() != m_v.paths.size() || v.count() != m_v.count() || fields != m_fields) {
        beginResetModel();
        m_v = v;
        m_typed = typed;
        m_fields = std::move(fields);
        endResetModel();
        return;
    }
    Changed changed;
    for (size_t i = 0; i < v.paths.size(); ++i) {
        const VerifiedPath& a = v.paths[i];
        const VerifiedPath& b = m_v.paths[i];
        const auto own = [](const std::vector<TypedRow>& t, int r) {
            return r <= static_cast<int>(t.size()) && t[static_cast<size_t>(r - 1)].minimum;
        };
        const bool same = samePathValues(v, a, m_v, b) &&
                          (a.terminal == v.critical) == (b.terminal == m_v.critical) &&
                          own(typed, a.terminal) == own(m_typed, b.terminal) &&
                          samePath(v, m_v, a.terminal);
        if (!same)
            changed.add(static_cast<int>(i));
    }
    m_v = v;
    m_typed = typed;
    tell(*this, changed);
}

int PathModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_v.paths.size());
}

int PathModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_fields.size());
}

bool PathModel::ownMinimum(int terminal) const {
    return terminal >= 1 && terminal <= static_cast<int>(m_typed.size()) &&
           m_typed[static_cast<size_t>(terminal - 1)].minimum.has_value();
}

QString PathModel::text(Field field, const VerifiedPath& p) const {
    switch (field) {
    case Terminal:
        return QString::number(p.terminal);
    case Loss:
        return decimals(p.loss, lossDecimals(m_kind));
    case Limit:
        return p.limit ? VerdictNumber(*p.limit, 1) : QStringLiteral("nessuno");
    case Total:
        return decimals(p.total, lossDecimals(m_kind));
    case Minimum:
        return p.minimum ? PressureText(*p.minimum) : QString();
    case Residual:
        return p.residual ? PressureText(*p.residual) : QString();
    case Margin:
        if (!p.margin)
            return {};
        if (p.residual)
            return PressureText(*p.margin);
        return decimals(*p.margin, lossDecimals(m_kind));
    case Verdict:
        if (p.passed)
            return QStringLiteral("rispettato");
        return QStringLiteral("superato: ") + PathReason(m_v, p);
    case Path:
        return PathText(m_v, p.terminal);
    }
    return {};
}

QVariant PathModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const VerifiedPath& p = m_v.paths[static_cast<size_t>(index.row())];
    const Field field = m_fields[static_cast<size_t>(index.column())];
    const bool critical = p.terminal == m_v.critical;
    const bool byProject = field == Minimum && !ownMinimum(p.terminal);
    switch (role) {
    case Qt::DisplayRole:
        return text(field, p);
    case Qt::EditRole:
        // The least pressure is edited as the row holds it: empty for the
        // project's.
        if (field == Minimum) {
            const TypedRow& typed = p.terminal <= static_cast<int>(m_typed.size())
                                        ? m_typed[static_cast<size_t>(p.terminal - 1)]
                                        : noneTyped();
            return typedText(typed.minimum);
        }
        return text(field, p);
    case Qt::TextAlignmentRole:
        return field >= Verdict ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return critical ? QVariant(criticalBackground()) : QVariant();
    case Qt::ForegroundRole:
        if (!p.passed)
            return QVariant(broken());
        return byProject ? QVariant(byDefault()) : QVariant();
    case Qt::FontRole:
        return byProject ? QVariant(italic()) : QVariant();
    case Qt::ToolTipRole:
        if (field == Path || field == Verdict)
            return text(field, p);
        if (field == Minimum)
            return byProject ? QStringLiteral("la pressione minima del progetto, o degli "
                                              "apparecchi serviti se è maggiore; digitarne una "
                                              "per questo terminale")
                             : QStringLiteral("pressione minima di questo terminale; cancellare "
                                              "per tornare a quella del progetto");
        return critical ? QVariant(QStringLiteral("percorso critico: il margine minore, o senza "
                                                  "limite la perdita totale maggiore"))
                        : QVariant();
    default:
        return {};
    }
}

QVariant PathModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const QString unit = LossUnit(m_kind);
    switch (m_fields[static_cast<size_t>(section)]) {
    case Terminal:
        return QStringLiteral("terminale");
    case Loss:
        return QStringLiteral("perdita (%1)").arg(unit);
    case Limit:
        return QStringLiteral("limite");
    case Total:
        return QStringLiteral("perdita\ntotale (%1)").arg(unit);
    case Minimum:
        return typedHead(WaterColumns(), WaterColumn::pmin);
    case Residual:
        return QStringLiteral("pressione\nresidua (kPa)");
    case Margin:
        return QStringLiteral("margine (%1)")
            .arg(m_kind == NetworkKind::Water && m_v.waterLimits.sourceKPa ? QStringLiteral("kPa")
                                                                           : unit);
    case Verdict:
        return QStringLiteral("esito");
    case Path:
        return QStringLiteral("percorso");
    }
    return {};
}

Qt::ItemFlags PathModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() < columnCount() &&
        m_fields[static_cast<size_t>(index.column())] == Minimum)
        f |= Qt::ItemIsEditable;
    return f;
}

bool PathModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount() ||
        index.column() >= columnCount() ||
        m_fields[static_cast<size_t>(index.column())] != Minimum || !editElevation)
        return false;
    return editElevation(m_v.paths[static_cast<size_t>(index.row())].terminal, WaterColumn::pmin,
                         value.toString());
}
