// The HTML export's character sets: UTF-8, UTF-7 written here, HZ over GB 2312, the others
// through iconv, with numeric character references for what a set cannot hold.

#include "platform/reportengine/export/HtmlCharset.h"

#include "platform/vb/Error.h"

#include <array>
#include <cerrno>
#include <iconv.h>

using namespace Qt::StringLiterals;

namespace report {

namespace {

struct Charset
{
    const char16_t* name;  // as offered
    const char16_t* label; // as declared in the page
    const char* iconvName; // nullptr: encoded here
};

constexpr std::array<Charset, 16> kCharsets{{
    {u"UTF-8", u"utf-8", nullptr},
    {u"UTF-7", u"utf-7", nullptr},
    {u"UTF-7MIME", u"utf-7", nullptr},
    {u"KOI8-r", u"koi8-r", "KOI8-R"},
    {u"KSC5601", u"euc-kr", "EUC-KR"},
    {u"shift-jis", u"shift_jis", "SHIFT_JIS"},
    {u"iso-2022-jp", u"iso-2022-jp", "ISO-2022-JP"},
    {u"iso-2022-kr", u"iso-2022-kr", "ISO-2022-KR"},
    {u"euc-jp", u"euc-jp", "EUC-JP"},
    {u"big5", u"big5", "BIG5"},
    {u"HZ-GB-2312", u"hz-gb-2312", nullptr},
    {u"IBM850", u"ibm850", "IBM850"},
    {u"iso-8859-1", u"iso-8859-1", "ISO-8859-1"},
    {u"iso-8859-2", u"iso-8859-2", "ISO-8859-2"},
    {u"iso-8859-5", u"iso-8859-5", "ISO-8859-5"},
    {u"iso-8859-6", u"iso-8859-6", "ISO-8859-6"},
}};

const Charset& findCharset(const QString& name)
{
    for (const Charset& charset : kCharsets)
        if (name.compare(QStringView(charset.name), Qt::CaseInsensitive) == 0)
            return charset;
    throw vb::Error(vb::ErrorNumber::InvalidProcedureCall,
                    u"The character set \"%1\" is not offered."_s.arg(name), u"objHTMLExport"_s);
}

QByteArray reference(char32_t codePoint)
{
    return "&#" + QByteArray::number(static_cast<uint>(codePoint)) + ';';
}

class Iconv
{
public:
    explicit Iconv(const char* target) : m_cd(iconv_open(target, "UTF-32LE"))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw vb::Error(vb::ErrorNumber::InvalidProcedureCall,
                            u"The character set %1 cannot be written on this system."_s.arg(
                                QString::fromLatin1(target)),
                            u"objHTMLExport"_s);
    }
    ~Iconv() { iconv_close(m_cd); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts the characters; those the set lacks go to `unencodable` (in the initial shift
    // state). Returns false when a character was refused (left in `input`).
    bool convert(const char32_t*& input, std::size_t& count, QByteArray& out)
    {
        auto* in = reinterpret_cast<char*>(const_cast<char32_t*>(input));
        std::size_t inLeft = count * sizeof(char32_t);
        bool refused = false;
        while (inLeft > 0) {
            char buffer[4096];
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, outPtr - buffer);
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                refused = true;
                break;
            }
        }
        input = reinterpret_cast<const char32_t*>(in);
        count = inLeft / sizeof(char32_t);
        return !refused;
    }

    // Back to the initial shift state (e.g. "ESC ( B" in iso-2022-jp).
    void reset(QByteArray& out)
    {
        char buffer[64];
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
    }

private:
    iconv_t m_cd;
};

QByteArray encodeWithIconv(const QList<uint>& text, const char* target)
{
    Iconv converter(target);
    QByteArray out;
    out.reserve(text.size());
    const auto* input = reinterpret_cast<const char32_t*>(text.constData());
    std::size_t count = static_cast<std::size_t>(text.size());
    while (count > 0) {
        if (converter.convert(input, count, out))
            break;
        converter.reset(out);
        out += reference(*input);
        ++input;
        --count;
    }
    converter.reset(out);
    return out;
}

// HZ (RFC 1843): ASCII as is with "~" doubled; GB 2312 between "~{" and "~}" as 7-bit pairs.
QByteArray encodeHz(const QList<uint>& text)
{
    Iconv gb("EUC-CN");
    QByteArray out;
    bool inGb = false;
    for (const uint codePoint : text) {
        QByteArray bytes;
        if (codePoint >= 0x80) {
            const auto character = static_cast<char32_t>(codePoint);
            const char32_t* input = &character;
            std::size_t count = 1;
            if (!gb.convert(input, count, bytes) || bytes.size() != 2)
                bytes.clear();
        }
        if (bytes.size() == 2) {
            if (!inGb)
                out += "~{";
            inGb = true;
            out += char(bytes[0] & 0x7f);
            out += char(bytes[1] & 0x7f);
            continue;
        }
        if (inGb)
            out += "~}";
        inGb = false;
        if (codePoint == '~')
            out += "~~";
        else if (codePoint < 0x80)
            out += char(codePoint);
        else
            out += reference(codePoint);
    }
    if (inGb)
        out += "~}";
    return out;
}

bool utf7Direct(char16_t c, bool optionalDirect)
{
    if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))
        return true;
    if (QStringView(u"'(),-./:? \t\r\n").contains(QChar(c)))
        return true;
    return optionalDirect && QStringView(u"!\"#$%&*;<=>@[]^_`{|}").contains(QChar(c));
}

bool isBase64Char(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           c == u'+' || c == u'/';
}

// UTF-7 (RFC 2152). The MIME form writes the optional direct characters (<, &, ...) in base64
// too, so the text passes every mail gateway.
QByteArray encodeUtf7(const QString& text, bool optionalDirect)
{
    QByteArray out;
    qsizetype i = 0;
    while (i < text.size()) {
        const char16_t c = text[i].unicode();
        if (c == u'+') {
            out += "+-";
            ++i;
        } else if (utf7Direct(c, optionalDirect)) {
            out += char(c);
            ++i;
        } else {
            QByteArray units;
            while (i < text.size() && text[i] != u'+' &&
                   !utf7Direct(text[i].unicode(), optionalDirect)) {
                units += char(text[i].unicode() >> 8);
                units += char(text[i].unicode() & 0xff);
                ++i;
            }
            out += '+' + units.toBase64(QByteArray::OmitTrailingEquals);
            // The run's end is marked when the next character could be read as base64.
            if (i < text.size() && (isBase64Char(text[i].unicode()) || text[i] == u'-'))
                out += '-';
            else if (i >= text.size())
                out += '-';
        }
    }
    return out;
}

} // namespace

QStringList htmlCharacterSets()
{
    QStringList names;
    for (const Charset& charset : kCharsets)
        names << QString::fromUtf16(charset.name);
    return names;
}

QString htmlCharsetLabel(const QString& characterSet)
{
    return QString::fromUtf16(findCharset(characterSet).label);
}

QByteArray encodeHtml(const QString& html, const QString& characterSet)
{
    const Charset& charset = findCharset(characterSet);
    const QStringView name(charset.name);
    if (name == u"UTF-8")
        return html.toUtf8();
    if (name == u"UTF-7")
        return encodeUtf7(html, true);
    if (name == u"UTF-7MIME")
        return encodeUtf7(html, false);
    if (name == u"HZ-GB-2312")
        return encodeHz(html.toUcs4());
    return encodeWithIconv(html.toUcs4(), charset.iconvName);
}

} // namespace report
