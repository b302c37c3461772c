#pragma once

#include "core/Notice.h"

// A network's data window (water or gas) as the technical report reaches it
// through the registry.
class NetworkView {
public:
    virtual ~NetworkView() = default;
    // Shows a notice of the window's input check as its own check does: the
    // message, then the band and the focus on the row it names.
    virtual void showCheckNotice(const Notice& notice) = 0;
    // Brings every row up to date before printing: the band is redisplayed
    // where it stands, then paged through the table from row 11 in steps of
    // 10, which computes every row and leaves the total of all rows in the
    // window's total label.
    virtual void PageThroughTable() = 0;
    // The total loss the window shows.
    virtual double shownTotal() const = 0;
    // The table changed elsewhere (a command of the verification window):
    // the band at its position, recomputed, with the count, the total and
    // the hint.
    virtual void showTable() = 0;
};
