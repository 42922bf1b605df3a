#include "form.h"

#include <algorithm>
#include <cmath>

namespace form {

Point centredPosition(const Rect& screen, const Size& outer) {
    const float left = static_cast<float>(screen.width - outer.width) / 2.0F;
    const float top = static_cast<float>(screen.height - outer.height) / 2.0F;
    return {screen.left + static_cast<int>(std::lround(left)),
            screen.top + static_cast<int>(std::lround(top))};
}

Point placedPosition(const Rect& screen, const Rect& available, const Size& outer) {
    const Point centred = centredPosition(screen, outer);
    if (available.width <= 0 || available.height <= 0) return centred;
    return {std::clamp(centred.x, available.left, available.left + available.width - 1),
            std::clamp(centred.y, available.top, available.top + available.height - 1)};
}

std::string field(std::string_view text, std::size_t length) {
    std::string out;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0U) == 0x80U;
        if (!continuation) {
            if (chars == length) break;
            ++chars;
        }
        out += text[i];
    }
    out.append(length - chars, ' ');
    return out;
}

}  // namespace form
