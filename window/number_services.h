#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

// Number reading and writing by Polish rules (decimal comma), whatever the
// system's locale. The numeric test and the conversion share one parser.
class NumberServices {
  public:
    NumberServices();

    // True when the text is a finite number by this locale's rules.
    [[nodiscard]] bool isNumeric(QStringView text) const;
    // The text's value; call only for texts that pass isNumeric.
    [[nodiscard]] double toDouble(QStringView text) const;
    // Formats by a digit pattern such as "#####0.0000": no grouping, decimal
    // comma, exactly the pattern's decimals, halves rounded away from zero,
    // and no minus sign on a value that rounds to zero.
    [[nodiscard]] QString format(double value, QStringView pattern) const;

  private:
    QLocale locale_;
};
