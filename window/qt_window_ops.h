#pragma once

#include <QString>
#include <array>
#include <string>
#include <string_view>

#include "window_ops.h"

class QLineEdit;
class QWidget;

// The calculations' window operations on the main window's text boxes.
class QtWindowOps final : public calculations::WindowOps {
  public:
    // `boxes` in the order of calculations::Box; message boxes are modal over `owner`.
    QtWindowOps(QWidget& owner, const std::array<QLineEdit*, 10>& boxes);

    [[nodiscard]] std::string text(calculations::Box box) const override;
    void setText(calculations::Box box, std::string_view text) override;
    void setExplanation(calculations::Box box, std::string_view text) override;
    void message(std::string_view text) override;
    void setFocus(calculations::Box box) override;

  private:
    [[nodiscard]] QLineEdit* box(calculations::Box pole) const;

    QWidget& owner_;
    std::array<QLineEdit*, 10> boxes_;
};

// The program's message box: modal, titled "Wexa", OK only, no icon.
void showMessage(QWidget* parent, const QString& text);
