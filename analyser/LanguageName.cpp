#include "LanguageName.h"

#include <array>
#include <QLocale>

namespace analyser {

namespace {

struct KnownLanguage
{
    std::uint16_t id;
    QLocale::Language language;
    QLocale::Territory territory;
};

// The identifiers met in version resources of Windows programs and libraries.
constexpr std::array kKnownLanguages = {
    KnownLanguage{0x0401, QLocale::Arabic, QLocale::SaudiArabia},
    KnownLanguage{0x0403, QLocale::Catalan, QLocale::Spain},
    KnownLanguage{0x0404, QLocale::Chinese, QLocale::Taiwan},
    KnownLanguage{0x0405, QLocale::Czech, QLocale::CzechRepublic},
    KnownLanguage{0x0406, QLocale::Danish, QLocale::Denmark},
    KnownLanguage{0x0407, QLocale::German, QLocale::Germany},
    KnownLanguage{0x0408, QLocale::Greek, QLocale::Greece},
    KnownLanguage{0x0409, QLocale::English, QLocale::UnitedStates},
    KnownLanguage{0x040B, QLocale::Finnish, QLocale::Finland},
    KnownLanguage{0x040C, QLocale::French, QLocale::France},
    KnownLanguage{0x040D, QLocale::Hebrew, QLocale::Israel},
    KnownLanguage{0x040E, QLocale::Hungarian, QLocale::Hungary},
    KnownLanguage{0x0410, QLocale::Italian, QLocale::Italy},
    KnownLanguage{0x0411, QLocale::Japanese, QLocale::Japan},
    KnownLanguage{0x0412, QLocale::Korean, QLocale::SouthKorea},
    KnownLanguage{0x0413, QLocale::Dutch, QLocale::Netherlands},
    KnownLanguage{0x0414, QLocale::NorwegianBokmal, QLocale::Norway},
    KnownLanguage{0x0415, QLocale::Polish, QLocale::Poland},
    KnownLanguage{0x0416, QLocale::Portuguese, QLocale::Brazil},
    KnownLanguage{0x0419, QLocale::Russian, QLocale::Russia},
    KnownLanguage{0x041D, QLocale::Swedish, QLocale::Sweden},
    KnownLanguage{0x041F, QLocale::Turkish, QLocale::Turkey},
    KnownLanguage{0x0804, QLocale::Chinese, QLocale::China},
    KnownLanguage{0x0807, QLocale::German, QLocale::Switzerland},
    KnownLanguage{0x0809, QLocale::English, QLocale::UnitedKingdom},
    KnownLanguage{0x080C, QLocale::French, QLocale::Belgium},
    KnownLanguage{0x0810, QLocale::Italian, QLocale::Switzerland},
    KnownLanguage{0x0813, QLocale::Dutch, QLocale::Belgium},
    KnownLanguage{0x0816, QLocale::Portuguese, QLocale::Portugal},
    KnownLanguage{0x0C07, QLocale::German, QLocale::Austria},
    KnownLanguage{0x0C09, QLocale::English, QLocale::Australia},
    KnownLanguage{0x0C0A, QLocale::Spanish, QLocale::Spain},
    KnownLanguage{0x0C0C, QLocale::French, QLocale::Canada},
    KnownLanguage{0x1009, QLocale::English, QLocale::Canada},
};

} // namespace

QString languageName(std::uint16_t languageId)
{
    if (languageId == 0)
        return QStringLiteral("Language Neutral");
    for (const KnownLanguage& known : kKnownLanguages) {
        if (known.id == languageId) {
            return QLocale::languageToString(known.language) + QLatin1String(" (") +
                   QLocale::territoryToString(known.territory) + QLatin1Char(')');
        }
    }
    return QString();
}

} // namespace analyser
