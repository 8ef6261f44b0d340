#include "LikePattern.h"

#include <QList>

namespace jet::sql {
namespace {

char32_t fold(char32_t c)
{
    return QChar::toCaseFolded(c);
}

std::u32string toCodePoints(const QString& text)
{
    std::u32string out;
    const QList<uint> ucs4 = text.toUcs4();
    out.reserve(ucs4.size());
    for (uint c : ucs4)
        out.push_back(fold(c));
    return out;
}

} // namespace

LikePattern::LikePattern(const QString& pattern)
{
    const std::u32string p = toCodePoints(pattern);
    for (std::size_t i = 0; i < p.size(); ++i) {
        Atom atom;
        switch (p[i]) {
        case U'*':
            // Runs of * are one *: keeps matching linear in the pattern.
            if (!m_atoms.empty() && m_atoms.back().kind == Atom::Kind::AnyRun)
                continue;
            atom.kind = Atom::Kind::AnyRun;
            break;
        case U'?':
            atom.kind = Atom::Kind::AnyOne;
            break;
        case U'#':
            atom.kind = Atom::Kind::Digit;
            break;
        case U'[': {
            const std::size_t close = p.find(U']', i + 1);
            if (close == std::u32string::npos) {
                m_valid = false;
                return;
            }
            atom.kind = Atom::Kind::Set;
            std::size_t j = i + 1;
            if (j < close && p[j] == U'!') {
                atom.negated = true;
                ++j;
            }
            for (; j < close; ++j) {
                if (j + 2 < close && p[j + 1] == U'-') {
                    if (p[j] > p[j + 2]) {
                        m_valid = false;
                        return;
                    }
                    atom.ranges.emplace_back(p[j], p[j + 2]);
                    j += 2;
                } else {
                    atom.ranges.emplace_back(p[j], p[j]);
                }
            }
            // "[]" matches nothing in Jet but "[!]" would match anything: both are kept as
            // written (an empty set).
            i = close;
            break;
        }
        default:
            atom.kind = Atom::Kind::Literal;
            atom.ranges.emplace_back(p[i], p[i]);
            break;
        }
        m_atoms.push_back(std::move(atom));
    }
}

bool LikePattern::matchesAtom(const Atom& atom, char32_t c) const
{
    switch (atom.kind) {
    case Atom::Kind::AnyOne:
        return true;
    case Atom::Kind::Digit:
        return c >= U'0' && c <= U'9';
    case Atom::Kind::Literal:
        return atom.ranges.front().first == c;
    case Atom::Kind::Set: {
        bool inside = false;
        for (const auto& [from, to] : atom.ranges)
            inside = inside || (c >= from && c <= to);
        return inside != atom.negated;
    }
    case Atom::Kind::AnyRun:
        break;
    }
    return false;
}

bool LikePattern::matches(const QString& text) const
{
    return matchesFolded(toCodePoints(text));
}

bool LikePattern::matchesFolded(std::u32string_view t) const
{
    if (!m_valid)
        return false;
    // Greedy matching with one back-track point, the last *: every other atom matches
    // exactly one character, so this is complete.
    std::size_t ti = 0;
    std::size_t pi = 0;
    std::size_t starPattern = std::u32string::npos;
    std::size_t starText = 0;
    while (ti < t.size()) {
        if (pi < m_atoms.size() && m_atoms[pi].kind == Atom::Kind::AnyRun) {
            starPattern = pi++;
            starText = ti;
        } else if (pi < m_atoms.size() && matchesAtom(m_atoms[pi], t[ti])) {
            ++pi;
            ++ti;
        } else if (starPattern != std::u32string::npos) {
            pi = starPattern + 1;
            ti = ++starText;
        } else {
            return false;
        }
    }
    while (pi < m_atoms.size() && m_atoms[pi].kind == Atom::Kind::AnyRun)
        ++pi;
    return pi == m_atoms.size();
}

} // namespace jet::sql
