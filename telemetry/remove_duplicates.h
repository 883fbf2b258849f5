#pragma once

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <vector>

namespace orvex {

// Leaves each distinct item once, the first occurrence, in the order the
// items had. O(n) on a sorted list, O(n log n) otherwise.
template <class T>
void RemoveDuplicateItems(std::vector<T>& items) {
    if (std::is_sorted(items.begin(), items.end())) {
        items.erase(std::unique(items.begin(), items.end()), items.end());
        return;
    }
    std::vector<std::size_t> order(items.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&items](std::size_t a, std::size_t b) { return items[a] < items[b]; });
    std::vector<bool> keep(items.size(), false);
    for (std::size_t i = 0; i < order.size(); ++i) {
        keep[order[i]] = i == 0 || items[order[i - 1]] < items[order[i]];
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (keep[i]) {
            if (kept != i) {  // a self-move would empty the item
                items[kept] = std::move(items[i]);
            }
            ++kept;
        }
    }
    items.resize(kept);
}

}  // namespace orvex
