#pragma once

// Jet's Like patterns: * any run of characters, ? one character, # one digit, [abc] [a-z] one
// character of a set, [!a-z] one character outside it; [*] [?] [#] [[] match themselves.
// Matching ignores case. A pattern Jet cannot read (an unclosed "[", a range running
// backwards as "[z-a]") matches no text, as in Jet SQL; it raises no error.

#include <QString>
#include <string_view>
#include <vector>

namespace jet::sql {

class LikePattern
{
public:
    explicit LikePattern(const QString& pattern);

    // True when the whole of `text` matches. Runs in O(text × pattern) at worst.
    bool matches(const QString& text) const;
    // The same on text already case-folded code point by code point (as QChar::toCaseFolded).
    bool matchesFolded(std::u32string_view folded) const;

private:
    struct Atom
    {
        enum class Kind
        {
            Literal,
            AnyOne,
            Digit,
            Set,
            AnyRun,
        };
        Kind kind = Kind::Literal;
        std::vector<std::pair<char32_t, char32_t>> ranges; // Set; Literal: {c, c}
        bool negated = false;                              // Set
    };

    bool matchesAtom(const Atom& atom, char32_t c) const;

    std::vector<Atom> m_atoms;
    bool m_valid = true;
};

} // namespace jet::sql
