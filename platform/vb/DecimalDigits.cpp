#include "DecimalDigits.h"

#include <array>
#include <charconv>
#include <cmath>

namespace vb {

DecimalDigits DecimalDigits::fromDouble(double value, int significantDigits)
{
    DecimalDigits d;
    d.m_negative = std::signbit(value) && value != 0.0;
    if (value == 0.0 || !std::isfinite(value)) {
        return d;
    }
    std::array<char, 48> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                      std::chars_format::scientific, significantDigits - 1);
    const std::string_view text(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t e = text.find('e');
    for (const char c : text.substr(0, e)) {
        if (c != '.') {
            d.m_digits += c;
        }
    }
    int exponent = 0;
    const char* expBegin = text.data() + e + 1;
    if (*expBegin == '+') {
        ++expBegin;
    }
    std::from_chars(expBegin, text.data() + text.size(), exponent);
    d.m_pointPos = exponent + 1;
    while (!d.m_digits.empty() && d.m_digits.back() == '0') {
        d.m_digits.pop_back();
    }
    return d;
}

DecimalDigits DecimalDigits::of(const Variant& number)
{
    switch (number.type()) {
    case VarType::Currency: {
        const std::int64_t raw = number.toCurrency().raw();
        DecimalDigits d;
        d.m_negative = raw < 0;
        const std::uint64_t magnitude =
            raw < 0 ? 0u - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
        d.m_digits = std::to_string(magnitude);
        d.m_pointPos = static_cast<int>(d.m_digits.size()) - 4;
        while (!d.m_digits.empty() && d.m_digits.back() == '0') {
            d.m_digits.pop_back();
        }
        if (d.m_digits.empty() || d.m_digits == "0") {
            return DecimalDigits();
        }
        return d;
    }
    case VarType::Single:
        return fromDouble(number.toSingle(), 7);
    default:
        return fromDouble(number.toDouble(), 15);
    }
}

void DecimalDigits::roundAtDigit(int keep)
{
    if (keep >= static_cast<int>(m_digits.size())) {
        return;
    }
    if (keep < 0) {
        m_digits.clear();
        return;
    }
    const bool up = m_digits[static_cast<std::size_t>(keep)] >= '5';
    m_digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        auto digit = m_digits.rbegin();
        for (; digit != m_digits.rend() && *digit == '9'; ++digit) {
            *digit = '0';
        }
        if (digit == m_digits.rend()) {
            m_digits.insert(m_digits.begin(), '1');
            ++m_pointPos;
        } else {
            ++*digit;
        }
    }
    while (!m_digits.empty() && m_digits.back() == '0') {
        m_digits.pop_back();
    }
}

void DecimalDigits::roundTo(int decimals)
{
    roundAtDigit(m_pointPos + decimals);
}

void DecimalDigits::roundToSignificant(int count)
{
    roundAtDigit(count);
}

std::string DecimalDigits::integerDigits() const
{
    if (m_pointPos <= 0 || m_digits.empty()) {
        return {};
    }
    const auto whole = static_cast<std::size_t>(m_pointPos);
    if (whole >= m_digits.size()) {
        return m_digits + std::string(whole - m_digits.size(), '0');
    }
    return m_digits.substr(0, whole);
}

std::string DecimalDigits::fractionDigits(int count) const
{
    std::string out;
    for (int i = 0; i < count; ++i) {
        const int index = m_pointPos + i;
        out += index < 0 || index >= static_cast<int>(m_digits.size())
                   ? '0'
                   : m_digits[static_cast<std::size_t>(index)];
    }
    return out;
}

} // namespace vb
