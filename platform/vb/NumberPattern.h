#pragma once

// One numeric Format section ("#,##0.00", "0.0%", "0.00E+00", "$#,##0;($#,##0)") laid out for a
// number: digit placeholders 0 (digit or zero) and # (digit or nothing), '.' decimal point,
// ',' thousands separator or, before the decimal point, division by 1000, '%' multiplies by
// 100, E+ E- e+ e- scientific notation; everything else is literal text.

#include "DecimalDigits.h"

#include <QLocale>
#include <QString>
#include <QStringView>
#include <vector>

namespace vb {

class NumberPattern
{
public:
    explicit NumberPattern(QStringView section);

    // Lays out |value| (the sign is the caller's business); rounds half away from zero.
    QString format(DecimalDigits value, const QLocale& locale = QLocale()) const;

private:
    struct Element
    {
        enum Kind
        {
            Zero,
            Hash,
            Point,
            Comma,
            Percent,
            Exponent,
            Literal
        } kind;
        QString text;
    };
    using Elements = std::vector<Element>;

    QString integerPart(const std::string& digits, const QLocale& locale) const;
    QString fractionPart(const std::string& digits) const;
    QString exponentPart(int exponent) const;

    Elements m_integer;     // before the decimal point, commas removed
    Elements m_fraction;    // after it, up to the exponent
    Elements m_exponent;    // after E+/E-
    QString m_exponentText; // "E", "e" or empty
    bool m_exponentPlus = false;
    bool m_point = false;
    bool m_grouping = false;
    int m_scaleCommas = 0;
    int m_percents = 0;
    int m_integerPlaceholders = 0;
    int m_fractionPlaceholders = 0;
};

} // namespace vb
