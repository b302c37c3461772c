#include "core/model/SizingSearch.h"

#include "core/model/Verification.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Unlimited = -std::numeric_limits<double>::infinity();

size_t at(int i) {
    return static_cast<size_t>(i);
}

// A choice for a subtree: its need (the most any of its paths is over its
// room, counted from the top of the subtree; Unlimited when no path below
// has a limit) and its pipe, with the two indices it was made from: for a
// subtree's own set, the size of its top segment and the point of its
// children's merge; for a merge, the point of the merge before and the
// point of the child merged in.
struct Point {
    double need;
    double pipe;
    int from;
    int with;
};

using Points = std::vector<Point>;

// Adds a point to a set kept in ascending need and strictly descending
// pipe, where it comes in need order: a point with no less pipe than the
// last is dominated, one of the same need replaces it.
void keep(Points& set, const Point& p) {
    if (!set.empty()) {
        if (p.pipe >= set.back().pipe)
            return;
        if (p.need == set.back().need) {
            set.back() = p;
            return;
        }
    }
    set.push_back(p);
}

// Every pair of a point of `a` and one of `b`: the need of the pair is the
// larger one, the pipe the sum. Each point goes with the point of the
// other set of least pipe whose need is no larger; the other pairs are
// dominated.
Points merge(const Points& a, const Points& b) {
    Points out;
    out.reserve(a.size() + b.size());
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() || j < b.size()) {
        if (j == b.size() || (i < a.size() && a[i].need <= b[j].need)) {
            if (j > 0)
                keep(out, {a[i].need, a[i].pipe + b[j - 1].pipe, static_cast<int>(i),
                           static_cast<int>(j - 1)});
            ++i;
        } else {
            if (i > 0)
                keep(out, {b[j].need, a[i - 1].pipe + b[j].pipe, static_cast<int>(i - 1),
                           static_cast<int>(j)});
            ++j;
        }
    }
    return out;
}

// The union of two sets, the dominated points left out.
Points unite(const Points& a, const Points& b) {
    Points out;
    out.reserve(a.size() + b.size());
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() || j < b.size()) {
        const bool fromA =
            j == b.size() || (i < a.size() && (a[i].need < b[j].need ||
                                               (a[i].need == b[j].need && a[i].pipe <= b[j].pipe)));
        keep(out, fromA ? a[i++] : b[j++]);
    }
    return out;
}

class Search {
public:
    Search(const SizingProblem& p, double margin)
        : m_p(p)
        , m_n(p.segments)
        , m_children(at(p.segments))
        , m_sets(at(p.segments))
        , m_merges(at(p.segments) + 1) {
        for (int i = 0; i < m_n; ++i) {
            const int up = m_p.parent[at(i)];
            (up >= 0 ? m_children[at(up)] : m_roots).push_back(i);
        }
        // The least and the most loss of the path above each segment, each
        // segment above at the size of least, or most, loss it may take.
        m_leastAbove.assign(at(m_n), 0);
        m_mostAbove.assign(at(m_n), 0);
        for (int i = 0; i < m_n; ++i) {
            const int up = m_p.parent[at(i)];
            if (up < 0)
                continue;
            double least = NoLimit;
            double most = -NoLimit;
            for (int k = m_p.lowest[at(up)]; k < m_p.sizes; ++k) {
                least = std::min(least, m_p.lossAt(up, k));
                most = std::max(most, m_p.lossAt(up, k));
            }
            m_leastAbove[at(i)] = m_leastAbove[at(up)] + least;
            m_mostAbove[at(i)] = m_mostAbove[at(up)] + most;
        }
        m_room.assign(at(m_n), NoLimit);
        for (int i = 0; i < m_n; ++i) {
            const double limit = m_p.pathLimit[at(i)];
            if (m_children[at(i)].empty() && limit != NoLimit)
                m_room[at(i)] = limit + margin * LimitTolerance(limit);
        }
    }

    // The sizes of least pipe whose every path keeps its room; empty when
    // none does.
    std::vector<int> run() {
        for (int i = m_n - 1; i >= 0; --i)
            m_sets[at(i)] = setOf(i);
        const Points& source = mergeAll(m_merges.back(), m_roots);
        int best = -1;
        for (size_t q = 0; q < source.size() && source[q].need <= 0; ++q)
            best = static_cast<int>(q);
        if (best < 0)
            return {};
        std::vector<int> size(at(m_n), 0);
        unwind(m_merges.back(), m_roots, best, size);
        return size;
    }

private:
    // Sets larger than this are thinned (see thin()): the search is exact
    // while none grows past it (SizingSearch.h). Work grows with it: a path
    // of 500 segments sharing one limit takes about 0.2 s at 4,000.
    static constexpr size_t Cap = 4000;

    // The children of a node merged in turn into the set of the node
    // alone (one point: no pipe, and the need of the node's own path);
    // each merge kept for the way back. The last merge.
    const Points& mergeAll(std::vector<Points>& merges, const std::vector<int>& children,
                           double ownNeed = Unlimited) {
        merges.clear();
        merges.push_back({{ownNeed, 0, -1, -1}});
        for (int c : children)
            merges.push_back(merge(merges.back(), m_sets[at(c)]));
        return merges.back();
    }

    // The set of the subtree from segment i: its children's merge with
    // each size of its own, the points no choice above could make keep
    // their rooms left out, and of those that every choice above lets
    // keep them only the one of least pipe.
    Points setOf(int i) {
        const std::vector<int>& children = m_children[at(i)];
        const double own = children.empty() ? -m_room[at(i)] : Unlimited;
        // One child needs no merge: its set is the merge.
        const Points& below = children.size() == 1 ? m_sets[at(children.front())]
                                                   : mergeAll(m_merges[at(i)], children, own);
        const double highest = -m_leastAbove[at(i)];
        const double lowest = -m_mostAbove[at(i)];
        Points set;
        for (int k = m_p.lowest[at(i)]; k < m_p.sizes; ++k) {
            const double loss = m_p.lossAt(i, k);
            const double pipe = m_p.pipeAt(i, k);
            Points shifted;
            shifted.reserve(below.size());
            for (size_t q = 0; q < below.size(); ++q) {
                const double need = below[q].need + loss;
                if (need > highest)
                    break;
                shifted.push_back({need, below[q].pipe + pipe, k, static_cast<int>(q)});
            }
            set = unite(set, shifted);
        }
        size_t first = 0;
        while (first + 1 < set.size() && set[first + 1].need <= lowest)
            ++first;
        set.erase(set.begin(), set.begin() + static_cast<std::ptrdiff_t>(first));
        thin(set);
        return set;
    }

    // A set past the cap keeps its point of least need (so a subtree that
    // can keep its rooms still can) and, of the points in each of Cap
    // equal spans of need, the one of least pipe: every point kept is a
    // real choice, and only the least pipe may be missed.
    static void thin(Points& set) {
        if (set.size() <= Cap || set.front().need == Unlimited)
            return;
        const double from = set.front().need;
        const double span = (set.back().need - from) / static_cast<double>(Cap);
        Points kept{set.front()};
        for (size_t q = 1; q < set.size(); ++q) {
            const bool lastOfSpan =
                q + 1 == set.size() || std::floor((set[q + 1].need - from) / span) !=
                                           std::floor((set[q].need - from) / span);
            if (lastOfSpan)
                kept.push_back(set[q]);
        }
        set = std::move(kept);
    }

    // From point q of a node's last merge back to the size of every
    // segment below it.
    void unwind(const std::vector<Points>& merges, const std::vector<int>& children, int q,
                std::vector<int>& size) {
        if (merges.empty() && children.size() == 1) {
            const int child = children.front();
            const Point& own = m_sets[at(child)][at(q)];
            size[at(child)] = own.from;
            unwind(m_merges[at(child)], m_children[at(child)], own.with, size);
            return;
        }
        for (size_t c = children.size(); c > 0; --c) {
            const Point& p = merges[c][at(q)];
            const int child = children[c - 1];
            const Point& own = m_sets[at(child)][at(p.with)];
            size[at(child)] = own.from;
            unwind(m_merges[at(child)], m_children[at(child)], own.with, size);
            q = p.from;
        }
    }

    const SizingProblem& m_p;
    int m_n;
    std::vector<std::vector<int>> m_children;
    std::vector<int> m_roots;
    std::vector<double> m_leastAbove;
    std::vector<double> m_mostAbove;
    std::vector<double> m_room;
    std::vector<Points> m_sets;
    // By node (the source last), the merges of its children.
    std::vector<std::vector<Points>> m_merges;
};

// Whether every path of a choice keeps its limit as the verification
// checks it.
bool keepsLimits(const SizingProblem& p, const std::vector<char>& leaf,
                 const std::vector<int>& size) {
    const std::vector<double> loss = PathLosses(p, size);
    for (int i = 0; i < p.segments; ++i) {
        if (leaf[at(i)] && !WithinLimit(loss[at(i)], p.pathLimit[at(i)]))
            return false;
    }
    return true;
}

} // namespace

std::vector<double> PathLosses(const SizingProblem& problem, const std::vector<int>& size) {
    std::vector<double> loss(static_cast<size_t>(problem.segments), 0);
    for (int i = 0; i < problem.segments; ++i) {
        const int up = problem.parent[static_cast<size_t>(i)];
        loss[static_cast<size_t>(i)] = (up >= 0 ? loss[static_cast<size_t>(up)] : 0) +
                                       problem.lossAt(i, size[static_cast<size_t>(i)]);
    }
    return loss;
}

SizingChoice SearchSizes(const SizingProblem& problem) {
    SizingChoice choice;
    const int n = problem.segments;
    for (int i = 0; i < n; ++i) {
        if (problem.lowest[at(i)] >= problem.sizes) {
            choice.segmentOverItsLimit = i;
            return choice;
        }
    }
    std::vector<char> leaf(at(n), 1);
    for (int i = 0; i < n; ++i) {
        if (problem.parent[at(i)] >= 0)
            leaf[at(problem.parent[at(i)])] = 0;
    }
    // The search sums each path from its end up, the verification from the
    // source down: the two sums may differ in their last bits. A choice
    // found within the whole tolerance is checked as the verification
    // checks it; should it fail by those bits, the search is run again
    // within half the tolerance, which no such difference crosses.
    for (double margin : {1.0, 0.5}) {
        std::vector<int> size = Search(problem, margin).run();
        if (size.empty())
            break;
        if (keepsLimits(problem, leaf, size)) {
            choice.size = std::move(size);
            return choice;
        }
    }
    // No choice found: the path furthest over its limit with every segment
    // at its largest size; should none be, that choice keeps every limit.
    std::vector<int> largest(at(n), problem.sizes - 1);
    const std::vector<double> loss = PathLosses(problem, largest);
    double worst = 0;
    for (int i = 0; i < n; ++i) {
        const double limit = problem.pathLimit[at(i)];
        if (!leaf[at(i)] || limit == NoLimit)
            continue;
        const double over = loss[at(i)] - limit - LimitTolerance(limit);
        if (over > worst) {
            worst = over;
            choice.pathOverItsLimit = i;
            choice.pathLoss = loss[at(i)];
        }
    }
    if (choice.pathOverItsLimit < 0)
        choice.size = std::move(largest);
    return choice;
}
