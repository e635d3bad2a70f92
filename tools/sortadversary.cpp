#include "tools/sortadversary.h"

#include <numeric>
#include <utility>

namespace varnok {

namespace {

class Adversary {
public:
    explicit Adversary(int n) : m_gas(n), m_values(static_cast<std::size_t>(n), n) {}

    // -1, 0 or +1 as item x is below, equal to or above item y.
    int Compare(int x, int y)
    {
        if (isGas(x) && isGas(y))
            freeze(x == m_candidate ? x : y);
        if (isGas(x))
            m_candidate = x;
        else if (isGas(y))
            m_candidate = y;
        const int a = value(x);
        const int b = value(y);
        return (a > b) - (a < b);
    }

    // Items still undecided once the sort ends take the values left, in place order.
    std::vector<int> Ranks()
    {
        for (int item = 0; item < m_gas; ++item) {
            if (isGas(item))
                freeze(item);
        }
        return m_values;
    }

private:
    [[nodiscard]] bool isGas(int item) const { return value(item) == m_gas; }
    [[nodiscard]] int value(int item) const { return m_values[static_cast<std::size_t>(item)]; }
    void freeze(int item) { m_values[static_cast<std::size_t>(item)] = m_solid++; }

    int m_gas;
    std::vector<int> m_values;
    int m_solid = 0;
    int m_candidate = 0;
};

// The list's quick sort, ascending, on item numbers: the same partition, the same pivot
// choice and the same comparisons in the same order.
class QuickSortRun {
public:
    QuickSortRun(std::vector<int>& items, Adversary& adversary)
        : m_items(items), m_adversary(adversary)
    {
    }

    // A negative `levelsLeft` partitions to the end.
    void Sort(int first, int last, int levelsLeft)
    {
        while (first < last && levelsLeft != 0) {
            --levelsLeft;
            const int pivot = item(first + (last - first) / 2);
            int i = first;
            int j = last;
            do {
                while (m_adversary.Compare(pivot, item(i)) == 1 && i < last)
                    ++i;
                while (m_adversary.Compare(item(j), pivot) == 1 && j > first)
                    --j;
                if (i <= j) {
                    if (i != j && m_adversary.Compare(item(i), item(j)) != 0)
                        std::swap(m_items[static_cast<std::size_t>(i)],
                                  m_items[static_cast<std::size_t>(j)]);
                    ++i;
                    --j;
                }
            } while (i <= j);
            if (j - first < last - i) {
                Sort(first, j, levelsLeft);
                first = i;
            } else {
                Sort(i, last, levelsLeft);
                last = j;
            }
        }
    }

private:
    [[nodiscard]] int item(int place) const { return m_items[static_cast<std::size_t>(place)]; }

    std::vector<int>& m_items;
    Adversary& m_adversary;
};

} // namespace

std::vector<int> QuickSortAdversaryRanks(int n, int levels)
{
    std::vector<int> items(static_cast<std::size_t>(n));
    std::iota(items.begin(), items.end(), 0);
    Adversary adversary(n);
    QuickSortRun(items, adversary).Sort(0, n - 1, levels);
    return adversary.Ranks();
}

} // namespace varnok
