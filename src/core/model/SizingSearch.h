#pragma once

#include <cstddef>
#include <limits>
#include <vector>

// The choice of a size for every segment of a tree-shaped network, from a
// catalogue of sizes in ascending order, such that each segment keeps its
// own limit (a smallest size it may take) and each path from the source to
// a terminal segment keeps its loss within the path's limit; among such
// choices one of little pipe, and locally minimal: no single segment can
// take the next smaller size without breaking a limit.
//
// The search starts from an equal loss per metre of length along each
// path: every segment may lose its length times the tightest of the
// budgets per metre of the paths through it, and takes the smallest size
// that keeps within that (a choice that meets every path limit, as each
// path's budget adds up to its limit). Then, while a path is over its limit
// (a segment that no size keeps within its budget), the segment with the
// largest loss saved on the paths over their limits per unit of pipe added
// grows by one size. Last, while some segment can take its next smaller
// size within every limit, the one that saves the most pipe per unit of
// loss added does.

struct SizingProblem {
    int segments = 0;
    int sizes = 0;
    // The segment each one is fed from, -1 for the source; always an
    // earlier segment.
    std::vector<int> parent;
    // By segment and size (segment * sizes + size): the segment's loss and
    // its pipe (length times internal diameter).
    std::vector<double> loss;
    std::vector<double> pipe;
    // The segment's length, on which the loss per metre is shared out.
    std::vector<double> length;
    // By segment: the smallest size its own limit allows (`sizes` when
    // none does), and, for a terminal segment, the limit of its path (no
    // limit: infinity).
    std::vector<int> lowest;
    std::vector<double> pathLimit;

    double lossAt(int segment, int size) const {
        return loss[static_cast<size_t>(segment * sizes + size)];
    }
    double pipeAt(int segment, int size) const {
        return pipe[static_cast<size_t>(segment * sizes + size)];
    }
};

inline constexpr double NoLimit = std::numeric_limits<double>::infinity();

struct SizingChoice {
    // By segment, the size chosen; empty when no choice meets every limit.
    std::vector<int> size;
    // When there is none: the segment whose own limit no size meets, or
    // the terminal segment whose path stays over its limit with every
    // segment at its largest size (its loss then in `pathLoss`).
    int segmentOverItsLimit = -1;
    int pathOverItsLimit = -1;
    double pathLoss = 0;
};

SizingChoice SearchSizes(const SizingProblem& problem);

// The loss of the path to every segment (from the source through it) for a
// choice of sizes, summed from the source down as the verification sums it.
std::vector<double> PathLosses(const SizingProblem& problem, const std::vector<int>& size);
