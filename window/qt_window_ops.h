#pragma once

#include <QString>
#include <array>
#include <string>
#include <string_view>

#include "window_ops.h"

class QLineEdit;
class QWidget;

// The calculations' window operations on the main window's text boxes.
class QtWindowOps final : public WindowOps {
  public:
    // `boxes` in the order of Pole; message boxes are modal over `owner`.
    QtWindowOps(QWidget& owner, const std::array<QLineEdit*, 10>& boxes);

    [[nodiscard]] std::string text(Pole box) const override;
    void setText(Pole box, std::string_view text) override;
    void setExplanation(Pole box, std::string_view text) override;
    void message(std::string_view text) override;
    void setFocus(Pole box) override;

  private:
    [[nodiscard]] QLineEdit* box(Pole pole) const;

    QWidget& owner_;
    std::array<QLineEdit*, 10> boxes_;
};

// The program's message box: modal, titled "Wexa", OK only, no icon.
void showMessage(QWidget* parent, const QString& text);
