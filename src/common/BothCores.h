// Work on a long list shared between two threads: the laptops the program runs on have two
// cores at least, and a window waiting for a sort of a million QSOs leaves one of them idle.
// Short lists stay on the calling thread, where a thread would cost more than it saves.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>
#include <thread>

namespace orvel {

// Below this many items, the work stays on one thread.
inline constexpr std::ptrdiff_t kWorthASecondThread = 20000;

// work(begin, end) on the two halves of [0, count), the second from count / 2 on a thread of
// its own, when count is large enough; else work(0, count). The two calls must write to
// different items.
template <typename Work>
void onBothCores(std::ptrdiff_t count, Work work)
{
    if (count < kWorthASecondThread) {
        work(std::ptrdiff_t(0), count);
        return;
    }
    const std::ptrdiff_t half = count / 2;
    std::thread second([&work, half, count] { work(half, count); });
    work(std::ptrdiff_t(0), half);
    second.join();
}

// std::sort on two threads: the items are split around the median of a sample (less must be
// a strict total order, as when it breaks ties on a line number), then each side is sorted on
// a thread of its own. It needs no memory beyond the items.
template <typename Iterator, typename Less>
void sortOnBothCores(Iterator first, Iterator last, Less less)
{
    const std::ptrdiff_t count = last - first;
    if (count < kWorthASecondThread) {
        std::sort(first, last, less);
        return;
    }
    using Item = typename std::iterator_traits<Iterator>::value_type;
    std::array<Item, 63> sample;
    for (size_t i = 0; i < sample.size(); ++i)
        sample[i] = first[std::ptrdiff_t(i) * (count - 1) / std::ptrdiff_t(sample.size() - 1)];
    const auto median = sample.begin() + sample.size() / 2;
    std::nth_element(sample.begin(), median, sample.end(), less);
    const Item pivot = *median;
    const Iterator middle =
        std::partition(first, last, [&](const Item &item) { return less(item, pivot); });
    std::thread second([middle, last, &less] { std::sort(middle, last, less); });
    std::sort(first, middle, less);
    second.join();
}

} // namespace orvel
