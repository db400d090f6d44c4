// Links the table of contents items into index entries (see toc_links.h).

#include "mobi/toc_links.h"

#include <algorithm>
#include <deque>

namespace quillery::mobi {

std::vector<TocEntry> LinkTocEntries(const std::vector<TocItem>& items, std::uint32_t textLength) {
    const std::size_t count = items.size();
    std::vector<int> levels(count, 0);
    std::vector<int> parents(count, -1);
    std::vector<std::vector<std::size_t>> children(count);
    std::vector<std::size_t> topLevel;
    std::vector<std::size_t> open;  // the chain of items the current one may be nested in
    for (std::size_t i = 0; i < count; ++i) {
        const int deepest = open.empty() ? 0 : levels[open.back()] + 1;
        levels[i] = std::max(0, std::min(items[i].level, deepest));
        while (!open.empty() && levels[open.back()] >= levels[i]) open.pop_back();
        if (open.empty()) {
            topLevel.push_back(i);
        } else {
            parents[i] = static_cast<int>(open.back());
            children[open.back()].push_back(i);
        }
        open.push_back(i);
    }

    // Level by level: a queue visit lists every entry's children next to one another.
    std::vector<std::size_t> order;
    std::vector<int> position(count, -1);
    std::deque<std::size_t> queue(topLevel.begin(), topLevel.end());
    while (!queue.empty()) {
        const std::size_t item = queue.front();
        queue.pop_front();
        position[item] = static_cast<int>(order.size());
        order.push_back(item);
        queue.insert(queue.end(), children[item].begin(), children[item].end());
    }

    std::vector<TocEntry> entries;
    entries.reserve(count);
    for (const std::size_t item : order) {
        TocEntry entry;
        entry.label = items[item].label;
        entry.offset = items[item].offset;
        entry.level = levels[item];
        std::uint32_t end = textLength;
        for (std::size_t next = item + 1; next < count; ++next) {
            if (levels[next] <= levels[item]) {
                end = items[next].offset;
                break;
            }
        }
        entry.length = end > entry.offset ? end - entry.offset : 0;
        if (parents[item] >= 0) entry.parent = position[static_cast<std::size_t>(parents[item])];
        if (!children[item].empty()) {
            entry.firstChild = position[children[item].front()];
            entry.lastChild = position[children[item].back()];
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace quillery::mobi
