#pragma once

// A report text that shows a number ("1,234.50", "-7", "12.5%", "$ 30.00"), read back into
// the value and a spreadsheet number format that shows it the same way. Texts that only look
// numeric but are not quantities stay texts: leading zeros ("007"), more than 15 digits.

#include <optional>
#include <QString>

namespace report {

struct NumberText
{
    double value = 0;
    QString format; // "General", "#,##0.00", "0.0%", "\"$\"#,##0.00", ...
};

std::optional<NumberText> readNumberText(const QString& text);

} // namespace report
