#pragma once

// One lexical token of a Jet SQL text.

#include <QString>

namespace jet::sql {

enum class TokenKind
{
    End,
    Word,    // a bare name or keyword: SELECT, tblWines, Left$
    Bracket, // a [bracketed name]; text without the brackets
    String,  // "..." or '...'; text with the quotes removed and doubled quotes undone
    Number,  // 12, 1.5, 1E3, .5; &H1F and &O17 give their decimal value as text
    Date,    // #...#; text between the hashes
    Symbol,  // ( ) , . ! ; * + - / \ ^ & = <> < > <= >= ?
};

struct Token
{
    TokenKind kind = TokenKind::End;
    QString text;
    int position = 0; // 0-based offset of the first character in the statement
    int length = 0;

    bool isSymbol(QStringView symbol) const { return kind == TokenKind::Symbol && text == symbol; }
    // A bare word equal to `keyword`, ignoring case. Bracketed names are never keywords.
    bool isKeyword(QStringView keyword) const
    {
        return kind == TokenKind::Word && text.compare(keyword, Qt::CaseInsensitive) == 0;
    }
};

} // namespace jet::sql
