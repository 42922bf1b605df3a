#include "decimal_key_filter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <utility>

DecimalKeyFilter::DecimalKeyFilter(QObject* parent) : QObject(parent) {}

void DecimalKeyFilter::watch(QLineEdit* box, KeyPress handler) {
    boxes_.push_back({box, std::move(handler)});
    box->installEventFilter(this);
}

QString DecimalKeyFilter::filtered(const KeyPress& handler, const QString& typed) const {
    QString out = typed;
    bool changed = false;
    for (QChar& c : out) {
        // The handlers take the code as a 16-bit integer; a UTF-16 unit fits
        // bit for bit and comes back unchanged unless the handler replaced it.
        auto code = static_cast<std::int16_t>(c.unicode());
        handler(code);
        const auto replaced = QChar(static_cast<char16_t>(code));
        if (replaced != c) {
            c = replaced;
            changed = true;
        }
    }
    return changed ? out : QString();
}

bool DecimalKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (forwarding_) return false;
    const auto it = std::find_if(boxes_.begin(), boxes_.end(),
                                 [watched](const Watched& w) { return w.box == watched; });
    if (it == boxes_.end()) return false;

    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->text().isEmpty()) return false;
        const QString text = filtered(it->handler, key->text());
        if (text.isNull()) return false;
        // Qt names the key of a Latin character by its upper-case code.
        const int qtKey = text.size() == 1 ? text.at(0).toUpper().unicode() : key->key();
        QKeyEvent replacement(QEvent::KeyPress, qtKey, key->modifiers(), key->nativeScanCode(),
                              key->nativeVirtualKey(), key->nativeModifiers(), text,
                              key->isAutoRepeat(), static_cast<quint16>(key->count()));
        forwarding_ = true;
        QCoreApplication::sendEvent(watched, &replacement);
        forwarding_ = false;
        return true;
    }

    if (event->type() == QEvent::InputMethod) {
        auto* im = static_cast<QInputMethodEvent*>(event);
        if (im->commitString().isEmpty()) return false;
        const QString text = filtered(it->handler, im->commitString());
        if (text.isNull()) return false;
        QInputMethodEvent replacement(im->preeditString(), im->attributes());
        replacement.setCommitString(text, im->replacementStart(), im->replacementLength());
        forwarding_ = true;
        QCoreApplication::sendEvent(watched, &replacement);
        forwarding_ = false;
        return true;
    }
    return false;
}
