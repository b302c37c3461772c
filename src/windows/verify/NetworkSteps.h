#pragma once

#include "core/editing/TableEditing.h"
#include "core/model/Verification.h"

#include <functional>
#include <memory>

struct AppContext;
class QWidget;

// The editing of both networks' tables by a window beside the data windows
// (the verification, the utenze): every change it makes is a step of the
// data window's own undo, Ctrl+Z and Ctrl+Y (or Ctrl+Maiusc+Z) undo and
// redo the network the window shows, and the data window shows each step.
class NetworkSteps {
public:
    explicit NetworkSteps(AppContext& context);

    TableEditing& editing(NetworkKind kind) const;
    // The data window of a network, told that its table changed.
    void showInDataWindow(NetworkKind kind) const;
    bool undo(NetworkKind kind);
    bool redo(NetworkKind kind);
    // The keys on `window`, for the network `shown` names.
    void addKeys(QWidget& window, std::function<NetworkKind()> shown);

private:
    AppContext& m_ctx;
    std::unique_ptr<TableEditing> m_water;
    std::unique_ptr<TableEditing> m_gas;
};
