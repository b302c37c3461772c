#pragma once

#include "core/model/Notice.h"

// A network's data window (water or gas) as the technical report reaches it
// through the registry.
class NetworkView {
public:
    virtual ~NetworkView() = default;
    // Shows a notice of the window's input check as its own check does: the
    // message, then the band and the focus on the row it names.
    virtual void showCheckNotice(const Notice& notice) = 0;
    // The band paged through the table before printing, from row 11 in
    // steps of 10: it is left on the last page, and the window's total
    // label shows the total of all rows.
    virtual void PageThroughTable() = 0;
    // The total loss the window shows.
    virtual double shownTotal() const = 0;
    // The table changed elsewhere (a command of the verification window):
    // the band at its position, with the count, the total and the hint.
    virtual void showTable() = 0;
};
