#include "NumberPattern.h"

#include "FormatSections.h"

#include <algorithm>
#include <utility>

namespace vb {

namespace {

struct PatternChar
{
    QChar c;
    bool literal;
};

std::vector<PatternChar> patternChars(QStringView section)
{
    std::vector<PatternChar> chars;
    forEachPatternChar(section, [&chars](QChar c, bool literal) { chars.push_back({c, literal}); });
    return chars;
}

} // namespace

NumberPattern::NumberPattern(QStringView section)
{
    const std::vector<PatternChar> chars = patternChars(section);
    enum class Stage
    {
        Integer,
        Fraction,
        Exponent
    } stage = Stage::Integer;
    Elements integerWithCommas;
    auto current = [&]() -> Elements& {
        return stage == Stage::Integer    ? integerWithCommas
               : stage == Stage::Fraction ? m_fraction
                                          : m_exponent;
    };
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const auto [c, literal] = chars[i];
        if (literal) {
            current().push_back({Element::Literal, QString(c)});
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            current().push_back(
                {c == QLatin1Char('0') ? Element::Zero : Element::Hash, QString(c)});
            if (stage == Stage::Integer) {
                ++m_integerPlaceholders;
            } else if (stage == Stage::Fraction) {
                ++m_fractionPlaceholders;
            }
        } else if (c == QLatin1Char('.') && stage == Stage::Integer) {
            m_point = true;
            stage = Stage::Fraction;
        } else if (c == QLatin1Char(',')) {
            if (stage == Stage::Integer) {
                integerWithCommas.push_back({Element::Comma, QString(c)});
            }
        } else if (c == QLatin1Char('%')) {
            ++m_percents;
            current().push_back({Element::Literal, QStringLiteral("%")});
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && stage != Stage::Exponent &&
                   i + 1 < chars.size() && !chars[i + 1].literal &&
                   (chars[i + 1].c == QLatin1Char('+') || chars[i + 1].c == QLatin1Char('-'))) {
            m_exponentText = QString(c);
            m_exponentPlus = chars[i + 1].c == QLatin1Char('+');
            stage = Stage::Exponent;
            ++i;
        } else {
            current().push_back({Element::Literal, QString(c)});
        }
    }

    // Commas after the last integer placeholder divide by 1000 each; a comma with placeholders
    // on both sides asks for thousands separators.
    const auto lastPlaceholder =
        std::find_if(integerWithCommas.rbegin(), integerWithCommas.rend(), [](const Element& e) {
            return e.kind == Element::Zero || e.kind == Element::Hash;
        });
    const std::size_t lastIndex =
        lastPlaceholder == integerWithCommas.rend()
            ? 0
            : static_cast<std::size_t>(integerWithCommas.rend() - lastPlaceholder - 1);
    bool seenPlaceholder = false;
    for (std::size_t i = 0; i < integerWithCommas.size(); ++i) {
        const Element& e = integerWithCommas[i];
        if (e.kind == Element::Comma) {
            if (lastPlaceholder != integerWithCommas.rend() && i > lastIndex) {
                ++m_scaleCommas;
            } else if (seenPlaceholder) {
                m_grouping = true;
            }
            continue;
        }
        seenPlaceholder = seenPlaceholder || e.kind != Element::Literal;
        m_integer.push_back(e);
    }
}

QString NumberPattern::format(DecimalDigits value, const QLocale& locale) const
{
    value.scale(2 * m_percents - 3 * m_scaleCommas);
    int exponent = 0;
    if (!m_exponentText.isEmpty() && !value.isZero()) {
        // Scale so that the integer placeholders hold the leading digits.
        const int wanted = m_integerPlaceholders - 1;
        exponent = value.leadingExponent() - wanted;
        value.scale(-exponent);
        value.roundTo(m_fractionPlaceholders);
        if (!value.isZero() && value.leadingExponent() > wanted) {
            value.scale(-1);
            ++exponent;
        }
    } else {
        value.roundTo(m_fractionPlaceholders);
    }
    QString text = integerPart(value.integerDigits(), locale);
    if (m_point) {
        text += locale.decimalPoint();
    }
    text += fractionPart(value.fractionDigits(m_fractionPlaceholders));
    if (!m_exponentText.isEmpty()) {
        text += exponentPart(exponent);
    }
    return text;
}

QString NumberPattern::integerPart(const std::string& digits, const QLocale& locale) const
{
    // Pieces right to left; digit pieces are single characters so that they can be grouped.
    std::vector<std::pair<bool, QString>> pieces;
    int remaining = static_cast<int>(digits.size());
    int placeholdersLeft = m_integerPlaceholders;
    auto takeDigit = [&]() {
        return QString(QLatin1Char(digits[static_cast<std::size_t>(--remaining)]));
    };
    if (m_integerPlaceholders == 0) {
        while (remaining > 0) {
            pieces.emplace_back(true, takeDigit());
        }
    }
    for (auto e = m_integer.rbegin(); e != m_integer.rend(); ++e) {
        if (e->kind == Element::Literal) {
            pieces.emplace_back(false, e->text);
            continue;
        }
        --placeholdersLeft;
        if (remaining > 0) {
            pieces.emplace_back(true, takeDigit());
        } else if (e->kind == Element::Zero) {
            pieces.emplace_back(true, QStringLiteral("0"));
        }
        while (placeholdersLeft == 0 && remaining > 0) {
            pieces.emplace_back(true, takeDigit());
        }
    }
    std::reverse(pieces.begin(), pieces.end());

    int digitsLeft = static_cast<int>(
        std::count_if(pieces.begin(), pieces.end(), [](const auto& p) { return p.first; }));
    QString text;
    for (const auto& [isDigit, piece] : pieces) {
        text += piece;
        if (isDigit && --digitsLeft > 0 && m_grouping && digitsLeft % 3 == 0) {
            text += locale.groupSeparator();
        }
    }
    return text;
}

QString NumberPattern::fractionPart(const std::string& digits) const
{
    std::size_t significant = digits.size();
    while (significant > 0 && digits[significant - 1] == '0') {
        --significant;
    }
    QString text;
    std::size_t index = 0;
    for (const Element& e : m_fraction) {
        if (e.kind == Element::Literal) {
            text += e.text;
            continue;
        }
        if (e.kind == Element::Zero || index < significant) {
            text += QLatin1Char(digits[index]);
        }
        ++index;
    }
    return text;
}

QString NumberPattern::exponentPart(int exponent) const
{
    QString text = m_exponentText;
    if (exponent < 0) {
        text += QLatin1Char('-');
    } else if (m_exponentPlus) {
        text += QLatin1Char('+');
    }
    const auto minimumDigits =
        std::count_if(m_exponent.begin(), m_exponent.end(),
                      [](const Element& e) { return e.kind == Element::Zero; });
    const QString number = QString::number(exponent < 0 ? -exponent : exponent)
                               .rightJustified(minimumDigits, QLatin1Char('0'));
    bool written = false;
    for (const Element& e : m_exponent) {
        if (e.kind == Element::Literal) {
            text += e.text;
        } else if (!written) {
            text += number;
            written = true;
        }
    }
    if (!written) {
        text += number;
    }
    return text;
}

} // namespace vb
