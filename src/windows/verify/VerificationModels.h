#pragma once

#include "core/model/Verification.h"

#include <QAbstractTableModel>

#include <functional>
#include <vector>

// The tables of the verification window over a network's verification:
// the segments (with the upstream segment, editable) and the paths. A model
// keeps the verification it shows and writes its texts only when a view
// asks for them (the rows on screen); each update tells the views only the
// rows whose values changed, so that typing in a data window with the
// window open repaints what moved and formats nothing else.

class SegmentModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Columns: tronco, a monte, [v (water)], perdita, dall'origine.
    explicit SegmentModel(NetworkKind kind, QObject* parent = nullptr);

    // Takes a new verification; `explicitUpstream[r - 1]` tells whether row
    // r names its upstream segment itself (not the row before by default).
    void update(const NetworkVerification& v, const std::vector<char>& explicitUpstream);

    // Called with the text typed as the upstream segment of a row; false
    // when refused (the caller has said why).
    std::function<bool(int row, const QString& text)> editUpstream;

    static constexpr int UpstreamColumn = 1;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    NetworkKind m_kind;
    NetworkVerification m_v;
    std::vector<char> m_explicit;
    std::vector<char> m_critical; // by row r: on the critical path
};

class PathModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Columns: terminale, perdita, limite, esito, percorso (last, as it
    // takes the width left).
    explicit PathModel(NetworkKind kind, QObject* parent = nullptr);
    static constexpr int VerdictColumn = 3;
    static constexpr int PathColumn = 4;

    void update(const NetworkVerification& v);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    NetworkKind m_kind;
    NetworkVerification m_v;
};
