#pragma once

#include <QByteArrayView>
#include <QString>
#include <string_view>

// The calculations and the catalogue keep their texts in UTF-8; the window
// works on QString.
inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}
