#pragma once

#include <windows.h>

#include <string_view>

// Names and descriptions that screen readers read for a control, beside what
// they take from the control itself (its text, the label before it).
class Accessible {
  public:
    Accessible();
    ~Accessible();
    Accessible(const Accessible&) = delete;
    Accessible& operator=(const Accessible&) = delete;

    void setName(HWND control, std::wstring_view name);
    // An empty text removes the description.
    void setDescription(HWND control, std::wstring_view description);
    // Before the control is destroyed.
    void forget(HWND control);

  private:
    struct IAccPropServices* services_ = nullptr;
    bool comStarted_ = false;
};
