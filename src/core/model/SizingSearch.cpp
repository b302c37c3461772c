#include "core/model/SizingSearch.h"

#include "core/model/Verification.h"

#include <algorithm>
#include <cmath>

namespace {

using Sizes = std::vector<int>;

// Room left on a path: its limit, with the tolerance the verification
// grants a sum of rounded losses, less its loss.
double roomOf(double limit, double loss) {
    if (limit == NoLimit)
        return NoLimit;
    return limit + LimitTolerance(limit) - loss;
}

class Search {
public:
    explicit Search(const SizingProblem& p)
        : m_p(p)
        , m_n(p.segments)
        , m_terminal(static_cast<size_t>(p.segments), 1) {
        for (int i = 0; i < m_n; ++i) {
            if (m_p.parent[at(i)] >= 0)
                m_terminal[at(m_p.parent[at(i)])] = 0;
        }
    }

    SizingChoice run() {
        SizingChoice choice;
        for (int i = 0; i < m_n; ++i) {
            if (m_p.lowest[at(i)] >= m_p.sizes) {
                choice.segmentOverItsLimit = i;
                return choice;
            }
        }
        // With every segment at its largest size the paths must keep their
        // limits, or no choice does.
        Sizes size(static_cast<size_t>(m_n), m_p.sizes - 1);
        const std::vector<double> largest = PathLosses(m_p, size);
        double worst = 0;
        for (int i = 0; i < m_n; ++i) {
            const double room = roomOf(m_p.pathLimit[at(i)], largest[at(i)]);
            if (m_terminal[at(i)] && room < 0 && -room > worst) {
                worst = -room;
                choice.pathOverItsLimit = i;
                choice.pathLoss = largest[at(i)];
            }
        }
        if (choice.pathOverItsLimit >= 0)
            return choice;

        size = start();
        repair(size);
        descend(size);
        while (exchange(size))
            descend(size);
        choice.size = std::move(size);
        return choice;
    }

private:
    static size_t at(int i) { return static_cast<size_t>(i); }

    // The tightest of the values of the terminals below each segment
    // (itself included), carried up the tree.
    std::vector<double> leastBelow(std::vector<double> value) const {
        for (int i = m_n - 1; i >= 0; --i) {
            const int up = m_p.parent[at(i)];
            if (up >= 0)
                value[at(up)] = std::min(value[at(up)], value[at(i)]);
        }
        return value;
    }

    // Equal loss per metre of length along each path.
    Sizes start() const {
        std::vector<double> pathLength(static_cast<size_t>(m_n), 0);
        std::vector<double> perMetre(static_cast<size_t>(m_n), NoLimit);
        for (int i = 0; i < m_n; ++i) {
            const int up = m_p.parent[at(i)];
            pathLength[at(i)] = (up >= 0 ? pathLength[at(up)] : 0) + m_p.length[at(i)];
            if (m_terminal[at(i)] && m_p.pathLimit[at(i)] != NoLimit && pathLength[at(i)] > 0)
                perMetre[at(i)] = m_p.pathLimit[at(i)] / pathLength[at(i)];
        }
        const std::vector<double> budget = leastBelow(perMetre);
        Sizes size(static_cast<size_t>(m_n));
        for (int i = 0; i < m_n; ++i) {
            const double allowed = budget[at(i)] * m_p.length[at(i)];
            int k = m_p.lowest[at(i)];
            while (k < m_p.sizes - 1 && !(m_p.lossAt(i, k) <= allowed))
                ++k;
            size[at(i)] = k;
        }
        return size;
    }

    // Paths over their limits: the segment saving the most loss on them
    // per pipe added grows, until none is over.
    void repair(Sizes& size) const {
        for (;;) {
            const std::vector<double> loss = PathLosses(m_p, size);
            std::vector<double> over(static_cast<size_t>(m_n), 0);
            bool any = false;
            for (int i = 0; i < m_n; ++i) {
                const double room = roomOf(m_p.pathLimit[at(i)], loss[at(i)]);
                if (m_terminal[at(i)] && room < 0) {
                    over[at(i)] = -room / m_p.pathLimit[at(i)];
                    any = true;
                }
            }
            if (!any)
                return;
            // The excess of the paths through each segment.
            for (int i = m_n - 1; i >= 0; --i) {
                const int up = m_p.parent[at(i)];
                if (up >= 0)
                    over[at(up)] += over[at(i)];
            }
            int best = -1;
            double bestGain = 0;
            for (int i = 0; i < m_n; ++i) {
                const int k = size[at(i)];
                if (over[at(i)] <= 0 || k >= m_p.sizes - 1)
                    continue;
                const double saved = m_p.lossAt(i, k) - m_p.lossAt(i, k + 1);
                const double added = std::max(m_p.pipeAt(i, k + 1) - m_p.pipeAt(i, k), 1e-12);
                const double gain = over[at(i)] * saved / added;
                if (gain > bestGain) {
                    bestGain = gain;
                    best = i;
                }
            }
            if (best < 0)
                return; // nothing saves anything: cannot happen while the largest sizes pass
            ++size[at(best)];
        }
    }

    // While a segment can take its next smaller size within every limit,
    // the one saving the most pipe per loss added does.
    void descend(Sizes& size) const {
        for (;;) {
            const std::vector<double> room = roomBelow(size);
            int best = -1;
            double bestRatio = -1;
            for (int i = 0; i < m_n; ++i) {
                const int k = size[at(i)];
                if (k <= m_p.lowest[at(i)])
                    continue;
                const double added = m_p.lossAt(i, k - 1) - m_p.lossAt(i, k);
                if (!(added <= room[at(i)]))
                    continue;
                const double saved = m_p.pipeAt(i, k) - m_p.pipeAt(i, k - 1);
                const double ratio = saved / std::max(added, 1e-12);
                if (ratio > bestRatio) {
                    bestRatio = ratio;
                    best = i;
                }
            }
            if (best < 0)
                return;
            --size[at(best)];
        }
    }

    // The room on the paths below every segment, for the sizes chosen.
    std::vector<double> roomBelow(const Sizes& size) const {
        const std::vector<double> loss = PathLosses(m_p, size);
        std::vector<double> room(static_cast<size_t>(m_n), NoLimit);
        for (int i = 0; i < m_n; ++i) {
            if (m_terminal[at(i)])
                room[at(i)] = roomOf(m_p.pathLimit[at(i)], loss[at(i)]);
        }
        return leastBelow(room);
    }

    // A segment one size smaller and one of the segments that feed it one
    // size larger, where that takes less pipe and keeps every path within
    // its limit (the paths below the larger one gain what it saves, those
    // below the smaller one lose what it adds): the pair saving the most
    // pipe. A trunk one size up often lets a branch come down. False when
    // no pair saves anything.
    bool exchange(Sizes& size) const {
        const std::vector<double> room = roomBelow(size);
        int down = -1;
        int up = -1;
        double bestSaving = 1e-9;
        for (int i = 0; i < m_n; ++i) {
            const int k = size[at(i)];
            if (k <= m_p.lowest[at(i)])
                continue;
            const double added = m_p.lossAt(i, k - 1) - m_p.lossAt(i, k);
            const double freed = m_p.pipeAt(i, k) - m_p.pipeAt(i, k - 1);
            for (int j = m_p.parent[at(i)]; j >= 0; j = m_p.parent[at(j)]) {
                const int kj = size[at(j)];
                if (kj >= m_p.sizes - 1)
                    continue;
                const double saving = freed - (m_p.pipeAt(j, kj + 1) - m_p.pipeAt(j, kj));
                const double saved = m_p.lossAt(j, kj) - m_p.lossAt(j, kj + 1);
                if (saving > bestSaving && added - saved <= room[at(i)]) {
                    bestSaving = saving;
                    down = i;
                    up = j;
                }
            }
        }
        if (down < 0)
            return false;
        --size[at(down)];
        ++size[at(up)];
        return true;
    }

    const SizingProblem& m_p;
    int m_n;
    std::vector<char> m_terminal;
};

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
    return Search(problem).run();
}
