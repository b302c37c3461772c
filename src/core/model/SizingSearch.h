#pragma once

#include <cstddef>
#include <limits>
#include <vector>

// The choice of a size for every segment of a tree-shaped network, from a
// catalogue of sizes, such that each segment keeps its own limit (a
// smallest size it may take) and each path from the source to a terminal
// segment keeps its loss within the path's limit, with the tolerance the
// verification grants (LimitTolerance); among such choices the one of
// least pipe (or cost: whatever `pipe` holds, summed over the segments).
//
// A dynamic programme over the tree, from the terminals up. The choices
// for the subtree hanging from a segment are summed up by their need (the
// most any path of the subtree goes over its limit, counting the losses
// from the segment down; a subtree without limits has none) and their
// pipe; of the choices of one need only the least pipe counts, and a
// choice of more need and no less pipe than another is dropped, so each
// subtree keeps the set of its pairs (need, pipe) that no other beats in
// both. The children of a segment are merged pair by pair (the larger
// need, the sum of the pipe), then each size of the segment adds its loss
// to the need and its pipe; a pair that no choice above could bring within
// the limits is dropped, and of those that every choice above keeps within
// them only the one of least pipe is kept. At the source the pair of least
// pipe whose need is not above zero is the answer, its sizes found again
// by going back down the merges. The choice is then checked as the
// verification checks it (the search sums paths from their ends up, the
// verification from the source down).
//
// Exact while no set grows past 4,000 pairs, as for branched trees of a
// few tens of segments; long single paths with many sizes sharing one
// limit make larger sets (a path of 30 segments with 25 sizes can reach
// 10,000). A larger set is thinned to a pair per span of need, keeping
// real choices only, so that the result still keeps every limit and may
// then take a little more pipe than the least.

struct SizingProblem {
    int segments = 0;
    int sizes = 0;
    // The segment each one is fed from, -1 for the source; always an
    // earlier segment.
    std::vector<int> parent;
    // By segment and size (segment * sizes + size): the segment's loss and
    // what it costs, the quantity the search makes least (length times
    // internal diameter, or length times price per metre).
    std::vector<double> loss;
    std::vector<double> pipe;
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
