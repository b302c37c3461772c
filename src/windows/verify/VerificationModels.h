#pragma once

#include "core/model/Verification.h"

#include <QAbstractTableModel>

#include <functional>
#include <optional>
#include <vector>

// The tables of the verification window over a network's verification:
// the segments (with the upstream segment, the rise and the concentrated
// loss, editable) and the paths (with the least pressure of a water
// terminal, editable). A model keeps the verification it shows and writes
// its texts only when a view asks for them (the rows on screen); each
// update tells the views only the rows whose values changed, so that typing
// in a data window with the window open repaints what moved and formats
// nothing else.

// What a row holds of the cells typed in this window: whether it names its
// upstream segment, its rise (m), its concentrated loss (m, mbar) and, for
// water, the least pressure at its outlet (kPa); none where empty.
struct TypedRow {
    bool namedUpstream = false;
    std::optional<double> rise;
    std::optional<double> concentrated;
    std::optional<double> minimum;

    friend bool operator==(const TypedRow&, const TypedRow&) = default;
};

// A value typed in a table of the window: the row, the network's column
// (WaterColumn::disl, pconc, pmin; GasColumn::disl, pconc) and the text;
// false when refused (the caller has said why).
using ElevationEdit = std::function<bool(int row, int column, const QString& text)>;

class SegmentModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // What a column shows.
    enum Field {
        Number,
        Upstream,
        Velocity,     // water, m/s
        Loss,         // the segment's own (m, mbar)
        FromSource,   // the losses from the source
        Rise,         // typed, m
        Concentrated, // typed (m, mbar)
        Height,       // water: of the downstream end above the source, m
        Pressure,     // water with a source pressure: at the downstream end, kPa
        HeightLoss,   // gas: what the rise costs, mbar
    };

    // Columns: tronco, a monte, [v (water)], perdita, dall'origine,
    // dislivello, perdita concentrata, then water: quota, [pressione, with
    // a source pressure]; gas: dislivelli.
    explicit SegmentModel(NetworkKind kind, QObject* parent = nullptr);

    // Takes a new verification and the typed cells of rows 1..count
    // (`typed[r - 1]`).
    void update(const NetworkVerification& v, const std::vector<TypedRow>& typed);

    // The column showing `field`, -1 when none does.
    int column(Field field) const;
    // The field of every column, left to right.
    const std::vector<Field>& fields() const { return m_fields; }

    // Called with the text typed as the upstream segment of a row; false
    // when refused (the caller has said why).
    std::function<bool(int row, const QString& text)> editUpstream;
    // Called with a rise or a concentrated loss typed.
    ElevationEdit editElevation;

    static constexpr int UpstreamColumn = 1;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    std::vector<Field> fieldsFor(const NetworkVerification& v) const;
    QString text(Field field, int r) const;

    NetworkKind m_kind;
    NetworkVerification m_v;
    std::vector<TypedRow> m_typed;
    std::vector<char> m_critical; // by row r: on the critical path
    std::vector<Field> m_fields;
};

class PathModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Field {
        Terminal,
        Loss,     // friction only (m, mbar)
        Limit,    // the head (m) or the gas limit (mbar)
        Total,    // with the concentrated losses and the heights (m, mbar)
        Minimum,  // water with a source pressure: the least pressure, kPa (editable)
        Residual, // water with a source pressure: the pressure left, kPa
        Margin,   // what the limit leaves (kPa, m, mbar)
        Verdict,  // "rispettato", or "superato: " and the reason
        Path,     // "1-2-5-7", last as it takes the width left
    };

    // Columns: terminale, perdita, limite, perdita totale, [pressione
    // minima, pressione residua (water with a source pressure)], [margine,
    // where a limit gives one], esito, percorso.
    explicit PathModel(NetworkKind kind, QObject* parent = nullptr);

    // Takes a new verification and the typed cells of its rows.
    void update(const NetworkVerification& v, const std::vector<TypedRow>& typed);

    int column(Field field) const;
    const std::vector<Field>& fields() const { return m_fields; }

    // Called with the least pressure typed for a terminal (its row and
    // WaterColumn::pmin).
    ElevationEdit editElevation;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    std::vector<Field> fieldsFor(const NetworkVerification& v) const;
    QString text(Field field, const VerifiedPath& p) const;
    // Whether the terminal's row has its own least pressure.
    bool ownMinimum(int terminal) const;

    NetworkKind m_kind;
    NetworkVerification m_v;
    std::vector<TypedRow> m_typed;
    std::vector<Field> m_fields;
};
