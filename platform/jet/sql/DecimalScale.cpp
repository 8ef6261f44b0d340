// Cutting a number to a Decimal field's scale.

#include "DecimalScale.h"

#include <cmath>
#include <QString>

namespace jet::sql {

namespace {
// Digits a double holds reliably; the text of more would show the binary fraction.
constexpr int kSignificantDigits = 15;
} // namespace

double truncateToScale(double value, int scale)
{
    if (!std::isfinite(value) || value == 0.0) {
        return value;
    }
    // "d.ddddddddddddddde+XX": fifteen significant digits and the decimal exponent.
    const QString text = QString::number(std::fabs(value), 'e', kSignificantDigits - 1);
    const qsizetype exponentAt = text.indexOf(u'e');
    const int exponent = text.mid(exponentAt + 1).toInt();
    QString digits = text.left(exponentAt);
    digits.remove(u'.');
    const int kept = exponent + 1 + scale;
    if (kept <= 0) {
        return 0.0;
    }
    if (kept >= digits.size()) {
        return value;
    }
    const QString cut =
        digits.left(kept) + QStringLiteral("e") + QString::number(exponent + 1 - kept);
    const double magnitude = cut.toDouble();
    return value < 0 ? -magnitude : magnitude;
}

} // namespace jet::sql
