#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <vector>

class QEvent;
class QLineEdit;

// Hands each character typed into a watched box to that box's key handler,
// which may change the character code; the box then receives the changed
// character. Key presses and input-method commits count as typing, pasting
// does not.
class DecimalKeyFilter final : public QObject {
    Q_OBJECT
  public:
    using KeyPress = std::function<void(std::int16_t& KeyAscii)>;

    explicit DecimalKeyFilter(QObject* parent = nullptr);

    void watch(QLineEdit* box, KeyPress handler);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Watched {
        QObject* box;
        KeyPress handler;
    };

    // The typed text after the handler, or a null string when nothing changed.
    QString filtered(const KeyPress& handler, const QString& typed) const;

    std::vector<Watched> boxes_;
    bool forwarding_ = false;
};
