#include "layout_table.h"

#include <algorithm>
#include <cmath>

namespace layout {

QPoint centredPosition(const QRect& screen, const QSize& outer) {
    const float left = static_cast<float>(screen.width() - outer.width()) / 2.0F;
    const float top = static_cast<float>(screen.height() - outer.height()) / 2.0F;
    return {screen.left() + static_cast<int>(std::lround(left)),
            screen.top() + static_cast<int>(std::lround(top))};
}

QPoint placedPosition(const QRect& screen, const QRect& available, const QSize& outer) {
    const QPoint centred = centredPosition(screen, outer);
    if (!available.isValid()) return centred;
    return {std::clamp(centred.x(), available.left(), available.right()),
            std::clamp(centred.y(), available.top(), available.bottom())};
}

}  // namespace layout
