#pragma once

// The texts of the user's language database (english.lan): tblLanguage holds one text per
// section (a report key such as "repWineList", or a window's name) and caption key ("d_Page").
// All texts are read once, when the object is made.

#include <QHash>
#include <QString>

namespace host {

class LanguageTexts
{
public:
    // Raises vb::Error when the database cannot be read.
    explicit LanguageTexts(const QString& languageDatabase);
    LanguageTexts() = default; // no texts: every key keeps its readable caption

    // The caption to show for `caption` in `section`. A caption that is no key (it does not
    // begin with "d_") stays as it is. A key is looked up as written; with a separator, a key
    // ending in it is also looked up without it and the separator is put back after the text.
    // A key the language has no text for gives the key without its "d_".
    QString translate(const QString& section, const QString& caption,
                      const QString& separator = QString()) const;

    int count() const noexcept { return static_cast<int>(m_texts.size()); }

private:
    QString lookUp(const QString& section, const QString& key) const;

    QHash<QString, QString> m_texts; // section + '\n' + key
};

} // namespace host
