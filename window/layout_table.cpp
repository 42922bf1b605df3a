#include "layout_table.h"

#include <cmath>

namespace layout {

QPoint centredPosition(const QRect& screen, const QSize& outer) {
    const float left = static_cast<float>(screen.width() - outer.width()) / 2.0F;
    const float top = static_cast<float>(screen.height() - outer.height()) / 2.0F;
    return {screen.left() + static_cast<int>(std::lround(left)),
            screen.top() + static_cast<int>(std::lround(top))};
}

}  // namespace layout
