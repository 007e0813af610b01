#include "keypad/reading_order.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <qnamespace.h>

namespace quill {
namespace {

using Rows = std::vector<std::vector<int>>;

Rows rowsOf(const std::vector<QRect>& rects) {
    std::vector<int> byTop(rects.size());
    std::iota(byTop.begin(), byTop.end(), 0);
    std::stable_sort(byTop.begin(), byTop.end(),
                     [&](int a, int b) { return rects[a].center().y() < rects[b].center().y(); });
    Rows rows;
    for (int i : byTop) {
        if (!rows.empty()) {
            const QRect& first = rects[rows.back().front()];
            if (std::abs(rects[i].center().y() - first.center().y()) <= first.height() / 2) {
                rows.back().push_back(i);
                continue;
            }
        }
        rows.push_back({i});
    }
    for (auto& row : rows)
        std::stable_sort(row.begin(), row.end(),
                         [&](int a, int b) { return rects[a].left() < rects[b].left(); });
    return rows;
}

int nearestInRow(const std::vector<QRect>& rects, const std::vector<int>& row, int from) {
    const int x = rects[from].center().x();
    return *std::min_element(row.begin(), row.end(), [&](int a, int b) {
        return std::abs(rects[a].center().x() - x) < std::abs(rects[b].center().x() - x);
    });
}

std::vector<int> rowByRow(const Rows& rows) {
    std::vector<int> order;
    for (const auto& row : rows) order.insert(order.end(), row.begin(), row.end());
    return order;
}

} // namespace

std::vector<int> readingOrder(const std::vector<QRect>& rects) {
    return rowByRow(rowsOf(rects));
}

int arrowTarget(const std::vector<QRect>& rects, int current, int key) {
    if (current < 0 || current >= int(rects.size())) return current;
    const Rows rows = rowsOf(rects);
    const std::vector<int> order = rowByRow(rows);
    const int n = int(order.size());
    const int at = int(std::find(order.begin(), order.end(), current) - order.begin());
    int row = 0;
    while (std::find(rows[row].begin(), rows[row].end(), current) == rows[row].end()) ++row;
    switch (key) {
    case Qt::Key_Left: return order[(at + n - 1) % n];
    case Qt::Key_Right: return order[(at + 1) % n];
    case Qt::Key_Home: return order.front();
    case Qt::Key_End: return order.back();
    case Qt::Key_Up: return row > 0 ? nearestInRow(rects, rows[row - 1], current) : current;
    case Qt::Key_Down:
        return row + 1 < int(rows.size()) ? nearestInRow(rects, rows[row + 1], current) : current;
    default: return current;
    }
}

} // namespace quill
