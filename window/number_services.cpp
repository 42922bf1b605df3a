#include "number_services.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

// The one parser behind both isNumeric and toDouble, so that what the test
// accepts is exactly what the conversion reads. Qt accepts "inf" and "nan"
// and reports overflow as a failure; a non-finite value is refused here, as
// NaN would otherwise slip through every range check of the calculations.
std::optional<double> parse(const QLocale& locale, QStringView text) {
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// "#####0.0000" -> 4: the digits after the pattern's decimal point.
int decimalsOf(QStringView pattern) {
    const qsizetype point = pattern.indexOf(u'.');
    return point < 0 ? 0 : static_cast<int>(pattern.size() - point - 1);
}

bool hasNonZeroDigit(const QString& text) {
    for (const QChar c : text) {
        if (c >= u'1' && c <= u'9') {
            return true;
        }
    }
    return false;
}

}  // namespace

NumberServices::NumberServices() : locale_(QLocale::Polish, QLocale::Poland) {
    locale_.setNumberOptions(QLocale::OmitGroupSeparator);
}

bool NumberServices::isNumeric(QStringView text) const {
    return parse(locale_, text).has_value();
}

double NumberServices::toDouble(QStringView text) const {
    return parse(locale_, text).value_or(std::numeric_limits<double>::quiet_NaN());
}

QString NumberServices::format(double value, QStringView pattern) const {
    const int decimals = decimalsOf(pattern);
    // Qt's 'f' conversion works on the double's exact value and rounds exact
    // ties away from zero (4.25 -> "4,3", 1.005 -> "1,00"); the tests pin that.
    QString text = locale_.toString(value, 'f', decimals);
    // A small negative value that rounds to zero must not show "-0,0000".
    if (std::signbit(value) && !hasNonZeroDigit(text)) {
        text = locale_.toString(0.0, 'f', decimals);
    }
    return text;
}
