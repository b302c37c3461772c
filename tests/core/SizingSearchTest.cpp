#include "core/model/SizingSearch.h"
#include "core/model/Verification.h"

#include <gtest/gtest.h>

#include <random>

namespace {

size_t at(int i) {
    return static_cast<size_t>(i);
}

std::vector<char> terminals(const SizingProblem& p) {
    std::vector<char> leaf(at(p.segments), 1);
    for (int i = 0; i < p.segments; ++i) {
        if (p.parent[at(i)] >= 0)
            leaf[at(p.parent[at(i)])] = 0;
    }
    return leaf;
}

bool complies(const SizingProblem& p, const std::vector<int>& size) {
    const std::vector<char> leaf = terminals(p);
    const std::vector<double> loss = PathLosses(p, size);
    for (int i = 0; i < p.segments; ++i) {
        if (size[at(i)] < p.lowest[at(i)] || size[at(i)] >= p.sizes)
            return false;
        if (leaf[at(i)] && !WithinLimit(loss[at(i)], p.pathLimit[at(i)]))
            return false;
    }
    return true;
}

double pipeOf(const SizingProblem& p, const std::vector<int>& size) {
    double pipe = 0;
    for (int i = 0; i < p.segments; ++i)
        pipe += p.pipeAt(i, size[at(i)]);
    return pipe;
}

// The least pipe over every choice that keeps the limits; negative when
// none does.
double exhaustiveLeast(const SizingProblem& p) {
    std::vector<int> size(p.lowest);
    for (int s : size) {
        if (s >= p.sizes)
            return -1;
    }
    double best = -1;
    for (;;) {
        if (complies(p, size)) {
            const double pipe = pipeOf(p, size);
            if (best < 0 || pipe < best)
                best = pipe;
        }
        int i = 0;
        while (i < p.segments && ++size[at(i)] == p.sizes) {
            size[at(i)] = p.lowest[at(i)];
            ++i;
        }
        if (i == p.segments)
            return best;
    }
}

// A random tree of 3 to 7 segments and 3 to 6 sizes, the loss falling and
// the pipe growing with the size. The path limits are drawn between the
// least and the most loss of each path, or none; in a third of the trees
// every path's limit is the loss of one random choice, summed as the
// verification sums it, so that the optimum may meet a limit exactly.
SizingProblem randomProblem(std::mt19937& rng) {
    const auto uniform = [&](double from, double to) {
        return std::uniform_real_distribution<double>(from, to)(rng);
    };
    const auto pick = [&](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(rng);
    };
    SizingProblem p;
    p.segments = pick(3, 7);
    p.sizes = pick(3, 6);
    for (int i = 0; i < p.segments; ++i) {
        p.parent.push_back(i == 0 ? -1 : pick(-1, i - 1));
        double loss = uniform(0.5, 5);
        double pipe = uniform(0.5, 2);
        for (int k = 0; k < p.sizes; ++k) {
            p.loss.push_back(loss);
            p.pipe.push_back(pipe);
            loss *= uniform(0.2, 0.95);
            pipe += uniform(0.1, 2);
        }
        p.lowest.push_back(pick(0, 7) < 6 ? 0 : pick(0, p.sizes - 1));
    }
    if (pick(0, 40) == 0)
        p.lowest[at(pick(0, p.segments - 1))] = p.sizes;
    p.pathLimit.assign(at(p.segments), NoLimit);
    const std::vector<char> leaf = terminals(p);
    if (pick(0, 2) == 0) {
        std::vector<int> size;
        for (int i = 0; i < p.segments; ++i)
            size.push_back(pick(std::min(p.lowest[at(i)], p.sizes - 1), p.sizes - 1));
        const std::vector<double> loss = PathLosses(p, size);
        for (int i = 0; i < p.segments; ++i) {
            if (leaf[at(i)])
                p.pathLimit[at(i)] = loss[at(i)];
        }
        return p;
    }
    const std::vector<double> least = PathLosses(p, std::vector<int>(at(p.segments), p.sizes - 1));
    const std::vector<double> most = PathLosses(p, std::vector<int>(at(p.segments), 0));
    for (int i = 0; i < p.segments; ++i) {
        if (leaf[at(i)] && pick(0, 4) > 0)
            p.pathLimit[at(i)] = uniform(0.9 * least[at(i)], most[at(i)]);
    }
    return p;
}

} // namespace

TEST(SizingSearch, TheLeastPipeOfEveryRandomTreeAsAnExhaustiveSearchFindsIt) {
    std::mt19937 rng(1988);
    int feasible = 0;
    int infeasible = 0;
    for (int t = 0; t < 4000; ++t) {
        SCOPED_TRACE(t);
        const SizingProblem p = randomProblem(rng);
        const double least = exhaustiveLeast(p);
        const SizingChoice choice = SearchSizes(p);
        if (least < 0) {
            ++infeasible;
            ASSERT_TRUE(choice.size.empty());
            int segment = -1;
            for (int i = 0; i < p.segments && segment < 0; ++i) {
                if (p.lowest[at(i)] == p.sizes)
                    segment = i;
            }
            EXPECT_EQ(choice.segmentOverItsLimit, segment);
            if (segment >= 0)
                continue;
            // The path furthest over its limit with the largest sizes.
            const std::vector<int> largest(at(p.segments), p.sizes - 1);
            const std::vector<double> loss = PathLosses(p, largest);
            const std::vector<char> leaf = terminals(p);
            int worst = -1;
            for (int i = 0; i < p.segments; ++i) {
                if (leaf[at(i)] && p.pathLimit[at(i)] != NoLimit &&
                    (worst < 0 ||
                     loss[at(i)] - p.pathLimit[at(i)] > loss[at(worst)] - p.pathLimit[at(worst)]))
                    worst = i;
            }
            EXPECT_EQ(choice.pathOverItsLimit, worst);
            EXPECT_EQ(choice.pathLoss, loss[at(worst)]);
            continue;
        }
        ++feasible;
        ASSERT_FALSE(choice.size.empty());
        EXPECT_TRUE(complies(p, choice.size));
        EXPECT_LE(pipeOf(p, choice.size), least * 1.001);
    }
    // Both kinds of tree come up often enough to count.
    EXPECT_GT(feasible, 2000);
    EXPECT_GT(infeasible, 200);
}
