#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>

// Every position and size of the main window, in twips (1/1440 inch). Panels
// are placed in the client area below the menu bar, controls in their panel.
// Qt's high-DPI scaling takes the pixels to screens other than 96 dpi.
namespace layout {

struct Twips {
    int left;
    int top;
    int width;
    int height;
};

// 1440 twips per inch at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

struct Table {
    Twips client;
    std::array<Twips, 4> frame;  // Frame1..Frame4
    std::array<Twips, 4> label1;
    std::array<Twips, 4> label2;
    std::array<Twips, 3> label3;
    std::array<Twips, 3> label4;
    std::array<Twips, 4> text1;
    std::array<Twips, 3> text2;
    std::array<Twips, 3> text3;
    std::array<Twips, 3> command;  // Command1..Command3
};

// clang-format off
inline constexpr Table kTable{
    .client = {0, 0, 10230, 4965},
    .frame = {{
        {120, 240, 4695, 2055},    // "Info"
        {4920, 240, 4575, 2055},   // "Dopuszczalny Błąd"
        {120, 2520, 4695, 1935},   // "Temperatura --- > EMF"
        {4920, 2520, 4575, 1935},  // "EMF --- > Temperatura"
    }},
    .label1 = {{
        {120, 360, 3975, 255},
        {120, 720, 4335, 255},
        {120, 1080, 4455, 255},
        {120, 1440, 4095, 255},
    }},
    .label2 = {{
        {240, 360, 1695, 255},
        {240, 720, 1695, 255},
        {240, 1080, 1695, 255},
        {240, 1440, 1695, 255},
    }},
    .label3 = {{
        {240, 480, 1455, 255},
        {240, 840, 1455, 255},
        {240, 1200, 1455, 255},
    }},
    .label4 = {{
        {240, 480, 1335, 255},
        {240, 840, 1335, 255},
        {240, 1200, 1335, 255},
    }},
    .text1 = {{
        {1680, 360, 1215, 285},
        {1680, 720, 1215, 285},
        {1680, 1080, 1215, 285},
        {1680, 1440, 1215, 285},
    }},
    .text2 = {{
        {1800, 480, 1215, 285},
        {1800, 840, 1215, 285},
        {1800, 1200, 1215, 285},
    }},
    .text3 = {{
        {1680, 480, 1215, 285},
        {1680, 840, 1215, 285},
        {1680, 1200, 1215, 285},
    }},
    .command = {{
        {3120, 480, 1215, 1215},
        {3240, 480, 1215, 1215},
        {3120, 480, 1215, 1215},
    }},
};
// clang-format on

constexpr bool wholePixels(const Twips& t) {
    return t.left % kTwipsPerPixel == 0 && t.top % kTwipsPerPixel == 0 &&
           t.width % kTwipsPerPixel == 0 && t.height % kTwipsPerPixel == 0;
}

template <std::size_t N>
constexpr bool wholePixels(const std::array<Twips, N>& rects) {
    for (const Twips& t : rects) {
        if (!wholePixels(t)) return false;
    }
    return true;
}

// The conversion below would otherwise drop remainders silently.
static_assert(wholePixels(kTable.client) && wholePixels(kTable.frame) &&
              wholePixels(kTable.label1) && wholePixels(kTable.label2) &&
              wholePixels(kTable.label3) && wholePixels(kTable.label4) &&
              wholePixels(kTable.text1) && wholePixels(kTable.text2) && wholePixels(kTable.text3) &&
              wholePixels(kTable.command));

constexpr QRect toPixels(const Twips& t) {
    return {t.left / kTwipsPerPixel, t.top / kTwipsPerPixel, t.width / kTwipsPerPixel,
            t.height / kTwipsPerPixel};
}

// Top-left corner that centres a window of the given outer (framed) size on
// the screen. The halves are taken in single precision and rounded to the
// nearest pixel, half a pixel away from zero.
QPoint centredPosition(const QRect& screen, const QSize& outer);

// The centred position, moved right or down where needed to keep the top-left
// corner (and with it the menu bar) on the screen's available area: a window
// larger than the screen would otherwise start off it.
QPoint placedPosition(const QRect& screen, const QRect& available, const QSize& outer);

}  // namespace layout
