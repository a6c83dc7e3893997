// A stable sort for the many short runs of a long sorted list (the QSOs of one call sign that
// only the lines' texts can order): an insertion sort up to 16 items, which asks for no memory,
// std::stable_sort beyond.
#pragma once

#include <algorithm>
#include <iterator>

namespace orvel {

template <typename Iterator, typename Less>
void stableSortRun(Iterator first, Iterator last, Less less)
{
    if (last - first > 16) {
        std::stable_sort(first, last, less);
        return;
    }
    if (first == last)
        return;
    for (Iterator it = std::next(first); it != last; ++it) {
        auto item = *it;
        Iterator hole = it;
        for (; hole != first && less(item, *std::prev(hole)); --hole)
            *hole = *std::prev(hole);
        *hole = item;
    }
}

} // namespace orvel
