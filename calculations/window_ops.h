#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace calculations {

// The text boxes the calculations read and write, by control array and index.
// clang-format off
enum class Box : std::uint8_t {
    Text1_0, Text1_1, Text1_2, Text1_3,  // "Dopuszczalny Błąd"
    Text2_0, Text2_1, Text2_2,           // "Temperatura --- > EMF"
    Text3_0, Text3_1, Text3_2,           // "EMF --- > Temperatura"
};
// clang-format on

// What the calculations need from the window; numbers they read and write
// themselves (numbers/okno.h). Texts are UTF-8. Each window front end
// implements it; tests use a recording fake.
class WindowOps {
  public:
    virtual ~WindowOps() = default;

    [[nodiscard]] virtual std::string text(Box box) const = 0;
    virtual void setText(Box box, std::string_view text) = 0;
    // What the number in a result box means: its tooltip, and the accessible
    // description that screen readers read.
    virtual void setExplanation(Box box, std::string_view text) = 0;

    // Modal, OK button only, no icon, titled "Wexa"; returns once closed.
    virtual void message(std::string_view text) = 0;
    virtual void setFocus(Box box) = 0;

  protected:
    WindowOps() = default;
    WindowOps(const WindowOps&) = default;
    WindowOps& operator=(const WindowOps&) = default;
};

}  // namespace calculations
