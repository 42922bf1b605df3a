#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "termopara.h"
#include "typ_termopary.h"

// The window as a web page: what the page's script asks of the calculations
// and the form, answered in JSON. The script builds its elements from
// describe(), replays the steps of select() and click() in order (a message
// step waits until its dialog is closed) and changes nothing on its own.
namespace web {

// The form for the page: caption, the menus with type items (the file menu
// has no meaning on a page), every control with its place in pixels at
// 96 dpi, the tab order and the boxes in the calculations' order.
std::string describe();

// One page: the selected type and the boxes' texts as the page last sent them.
class Strona {
  public:
    Strona();

    // Chooses the type of the menu "Kalvetra" item `item`; the steps set the
    // marks, the Info texts and every box as the window's selection does.
    std::string select(std::size_t item);
    // A box's text as typed, by its place in the calculations' order.
    void setBox(std::size_t box, std::string_view text);
    // "Wylicz" of control `button` ("Command1"...): the calculation's steps.
    std::string click(std::string_view button);

  private:
    engine::TypTermopary typ_ = engine::TypTermopary::J;
    engine::Termopara termopara_;
    std::array<std::string, 10> boxes_;
};

// The decimal-comma key rule for one typed character.
std::int16_t key(std::int16_t KeyAscii);

}  // namespace web
