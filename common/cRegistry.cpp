#include "cRegistry.h"

#include "platform/vb/Error.h"
#include "Registry_Management.h"
#include "RegistryData.h"
#include "ScopedRegKey.h"

#include <algorithm>
#include <QLocale>
#include <QScreen>
#include <QVariant>
#include <QWidget>

namespace {

// Sub-key names are read into a buffer of this many characters, as the class always did.
constexpr std::uint32_t sectionNameCapacity = 255;

// "%" + at least one character + "%": the text refers to an environment variable and is stored
// as an expandable string. "50%" or "%%" do not count.
bool refersToVariable(const QString& text)
{
    const qsizetype first = text.indexOf(QLatin1Char('%'));
    return first >= 0 && text.indexOf(QLatin1Char('%'), first + 2) >= 0;
}

bool isIntegerOrLong(const vb::Variant& value)
{
    return value.type() == vb::VarType::Integer || value.type() == vb::VarType::Long;
}

// A key name that would address the root itself.
bool namesNoKey(const QString& keyName)
{
    for (const QChar c : keyName) {
        if (c != QLatin1Char('\\') && !c.isSpace())
            return false;
    }
    return true;
}

// Window positions: VB's WindowState numbers and the values kept per window.
constexpr std::int32_t vbNormal = 0;
constexpr std::int32_t vbMinimized = 1;
constexpr std::int32_t vbMaximized = 2;
constexpr std::int32_t vbSizable = 2;
constexpr std::int32_t vbSizableToolWindow = 5;
constexpr std::int32_t minimumSizeTwips = 32;
constexpr double twipsPerInch = 1440.0;

// Twips per pixel of the window's screen, from its logical DPI (15 at 96 dpi).
struct TwipScale
{
    double x = 15.0;
    double y = 15.0;
};

TwipScale twipScale(const QWidget& form)
{
    TwipScale scale;
    if (const QScreen* screen = form.screen()) {
        if (screen->logicalDotsPerInchX() > 0)
            scale.x = twipsPerInch / screen->logicalDotsPerInchX();
        if (screen->logicalDotsPerInchY() > 0)
            scale.y = twipsPerInch / screen->logicalDotsPerInchY();
    }
    return scale;
}

std::int32_t toTwips(int pixels, double twipsPerPixel)
{
    return static_cast<std::int32_t>(qRound(pixels * twipsPerPixel));
}

int toPixels(std::int32_t twips, double twipsPerPixel)
{
    return qRound(twips / twipsPerPixel);
}

QString formTag(const QWidget& form)
{
    return form.property("Tag").toString();
}

std::int32_t windowStateNumber(const QWidget& form)
{
    if (form.isMinimized())
        return vbMinimized;
    return form.isMaximized() ? vbMaximized : vbNormal;
}

bool isSizable(const QWidget& form)
{
    const QVariant style = form.property("BorderStyle");
    const int borderStyle = style.isValid() ? style.toInt() : vbSizable;
    return borderStyle == vbSizable || borderStyle == vbSizableToolWindow;
}

void applyWindowState(QWidget& form, std::int32_t state)
{
    const Qt::WindowStates others =
        form.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    form.setWindowState(state == vbMaximized ? (others | Qt::WindowMaximized) : others);
}

// A window position in twips: left, top, width, height of the whole window.
struct TwipRect
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t cx = 0;
    std::int32_t cy = 0;
};

// Keeps the window on the screen's available area: at least 32 twips and at most the screen in
// each direction, and not beyond any edge. No arithmetic on the stored numbers, so any value
// read from the registry is safe.
TwipRect clampToScreen(TwipRect rect, const TwipRect& screen)
{
    rect.cx = std::max(minimumSizeTwips, std::min(rect.cx, screen.cx));
    rect.cy = std::max(minimumSizeTwips, std::min(rect.cy, screen.cy));
    rect.x = std::max(screen.x, std::min(rect.x, screen.x + screen.cx - rect.cx));
    rect.y = std::max(screen.y, std::min(rect.y, screen.y + screen.cy - rect.cy));
    return rect;
}

QString formKey(const QString& appKey, const QString& tag)
{
    return appKey + QStringLiteral("\\Form Positions\\") + tag;
}

} // namespace

vb::Variant cRegistry::Value() const
{
    common::ScopedRegKey key;
    if (key.opened(reg::openKeyEx(m_classKey, m_sectionKey, reg::KEY_QUERY_VALUE, key.receive())) !=
        reg::ERROR_SUCCESS)
        return m_default;

    reg::ValueType type = reg::REG_NONE;
    std::uint32_t size = 0;
    reg::Status status = reg::queryValueEx(key.get(), m_valueKey, &type, nullptr, &size);
    if (status != reg::ERROR_SUCCESS && status != reg::ERROR_MORE_DATA)
        return m_default;
    QByteArray data(static_cast<qsizetype>(size), '\0');
    if (size > 0) {
        status = reg::queryValueEx(key.get(), m_valueKey, &type,
                                   reinterpret_cast<std::uint8_t*>(data.data()), &size);
        if (status != reg::ERROR_SUCCESS)
            return m_default;
        data.truncate(static_cast<qsizetype>(size));
    }

    switch (type) {
    case reg::REG_SZ:
    case reg::REG_MULTI_SZ:
        return vb::Variant(common::textFromRegData(data));
    case reg::REG_EXPAND_SZ:
        return vb::Variant(reg::expandEnvironmentStrings(common::textFromRegData(data)));
    case reg::REG_DWORD:
        return vb::Variant(common::littleEndianLong(data));
    case reg::REG_DWORD_BIG_ENDIAN:
        return vb::Variant(common::bigEndianLong(data));
    default:
        return vb::Variant(data);
    }
}

// Texts (types 1 and 2) are stored as type 2 exactly when they refer to a variable; type 3 takes
// only byte arrays; types 4 and 5 take only Integer and Long values and always store a
// little-endian number (type 4). Anything else writes nothing.
bool cRegistry::setValue(const vb::Variant& value)
{
    common::ScopedRegKey key;
    if (key.opened(reg::createKeyEx(m_classKey, m_sectionKey, reg::KEY_ALL_ACCESS,
                                    key.receive())) != reg::ERROR_SUCCESS)
        return false;

    QByteArray data;
    reg::ValueType stored = reg::REG_NONE;
    switch (m_valueType) {
    case reg::REG_SZ:
    case reg::REG_EXPAND_SZ: {
        QString text;
        try {
            text = value.toString();
        } catch (const vb::Error&) {
            return false; // Null has no text to store
        }
        stored = refersToVariable(text) ? reg::REG_EXPAND_SZ : reg::REG_SZ;
        data = common::regDataFromText(text);
        break;
    }
    case reg::REG_BINARY:
        if (value.type() != vb::VarType::ByteArray)
            return false;
        stored = reg::REG_BINARY;
        data = value.toBytes();
        break;
    case reg::REG_DWORD:
    case reg::REG_DWORD_BIG_ENDIAN:
        if (!isIntegerOrLong(value))
            return false;
        stored = reg::REG_DWORD;
        data = common::littleEndianBytes(value.toLong());
        break;
    default:
        return false;
    }
    return reg::setValueEx(key.get(), m_valueKey, stored,
                           reinterpret_cast<const std::uint8_t*>(data.constData()),
                           static_cast<std::uint32_t>(data.size())) == reg::ERROR_SUCCESS;
}

bool cRegistry::KeyExists() const
{
    common::ScopedRegKey key;
    return key.opened(reg::openKeyEx(m_classKey, m_sectionKey, reg::KEY_QUERY_VALUE,
                                     key.receive())) == reg::ERROR_SUCCESS;
}

bool cRegistry::CreateKey()
{
    common::ScopedRegKey key;
    return key.opened(reg::createKeyEx(m_classKey, m_sectionKey, reg::KEY_ALL_ACCESS,
                                       key.receive())) == reg::ERROR_SUCCESS;
}

bool cRegistry::DeleteKey(reg::Hkey hKey, const QString& pKeyName)
{
    if (namesNoKey(pKeyName))
        return false;
    std::vector<QString> subKeys;
    bool deleted = subKeyNames(hKey, pKeyName, subKeys);
    for (std::size_t i = 1; i < subKeys.size(); ++i)
        deleted = DeleteKey(hKey, pKeyName + QLatin1Char('\\') + subKeys[i]) && deleted;
    return reg::deleteKey(hKey, pKeyName) == reg::ERROR_SUCCESS && deleted;
}

bool cRegistry::DeleteValue(reg::Hkey hKey, const QString& pKeyName, const QString& pValueName)
{
    common::ScopedRegKey key;
    if (key.opened(reg::openKeyEx(hKey, pKeyName, reg::KEY_ALL_ACCESS, key.receive())) !=
        reg::ERROR_SUCCESS)
        return false;
    return reg::deleteValue(key.get(), pValueName) == reg::ERROR_SUCCESS;
}

bool cRegistry::EnumerateValues(std::vector<QString>& sKeyNames, int& iKeyCount) const
{
    sKeyNames.assign(1, QString());
    iKeyCount = 0;
    common::ScopedRegKey key;
    if (key.opened(reg::openKeyEx(m_classKey, m_sectionKey, reg::KEY_READ, key.receive())) !=
        reg::ERROR_SUCCESS)
        return true;
    reg::KeyInfo info;
    if (reg::queryInfoKey(key.get(), &info) != reg::ERROR_SUCCESS)
        return false;
    for (std::uint32_t index = 0;; ++index) {
        QString name;
        reg::ValueType type = reg::REG_NONE;
        QByteArray data;
        const reg::Status status =
            reg::enumValue(key.get(), index, &name, info.maxValueNameLength + 1, &type, &data);
        if (status == reg::ERROR_NO_MORE_ITEMS)
            return true;
        if (status != reg::ERROR_SUCCESS)
            return false;
        sKeyNames.push_back(name);
        ++iKeyCount;
    }
}

bool cRegistry::EnumerateSections(std::vector<QString>& sSect, int& iSectCount) const
{
    const bool listed = subKeyNames(m_classKey, m_sectionKey, sSect);
    iSectCount = static_cast<int>(sSect.size()) - 1;
    return listed;
}

bool cRegistry::subKeyNames(reg::Hkey hKey, const QString& keyName,
                            std::vector<QString>& names) const
{
    names.assign(1, QString());
    common::ScopedRegKey key;
    if (key.opened(reg::openKeyEx(hKey, keyName, reg::KEY_READ, key.receive())) !=
        reg::ERROR_SUCCESS)
        return true;
    for (std::uint32_t index = 0;; ++index) {
        QString name;
        const reg::Status status = reg::enumKeyEx(key.get(), index, &name, sectionNameCapacity);
        if (status == reg::ERROR_NO_MORE_ITEMS)
            return true;
        if (status != reg::ERROR_SUCCESS)
            return false;
        const qsizetype nul = name.indexOf(QChar(u'\0'));
        names.push_back(nul < 0 ? name : name.left(nul));
    }
}

void cRegistry::address(reg::Hkey hKey, const QString& keyName, const QString& valueName,
                        reg::ValueType type)
{
    m_classKey = hKey;
    m_sectionKey = keyName;
    m_valueKey = valueName;
    m_valueType = type;
}

std::int32_t cRegistry::GetRegistryLong(reg::Hkey hKey, const QString& pKeyName,
                                        const QString& pValueName, std::int32_t pDefault)
{
    address(hKey, pKeyName, pValueName, reg::REG_DWORD);
    m_default = vb::Variant(pDefault);
    try {
        return Value().toLong();
    } catch (const vb::Error&) {
        return pDefault; // a stored text that is no number
    }
}

// Doubles are kept as text in the C locale's form (shortest exact digits), so that a value
// written under one regional setting reads back unchanged under another. A stored number
// (types 4 and 5) reads as its value.
double cRegistry::GetRegistryDouble(reg::Hkey hKey, const QString& pKeyName,
                                    const QString& pValueName, double pDefault)
{
    address(hKey, pKeyName, pValueName, reg::REG_DWORD_BIG_ENDIAN);
    m_default = vb::Variant(pDefault);
    const vb::Variant value = Value();
    if (value.isString()) {
        bool ok = false;
        const double number = QLocale::c().toDouble(value.toString().trimmed(), &ok);
        return ok ? number : pDefault;
    }
    try {
        return value.toDouble();
    } catch (const vb::Error&) {
        return pDefault;
    }
}

QString cRegistry::GetRegistryString(reg::Hkey hKey, const QString& pKeyName,
                                     const QString& pValueName, const QString& pDefault)
{
    address(hKey, pKeyName, pValueName, reg::REG_SZ);
    m_default = vb::Variant(pDefault);
    try {
        return Value().toString();
    } catch (const vb::Error&) {
        return pDefault;
    }
}

QString cRegistry::GetPrivateRegistryString(reg::Hkey hKey, const QString& pKeyName,
                                            const QString& pValueName, const QString& pDefault)
{
    return GetRegistryString(hKey, GetRegistryKeyNameForApp() + QLatin1Char('\\') + pKeyName,
                             pValueName, pDefault);
}

bool cRegistry::PutRegistryLong(reg::Hkey hKey, const QString& pKeyName, const QString& pValueName,
                                std::int32_t pLongValue)
{
    address(hKey, pKeyName, pValueName, reg::REG_DWORD);
    return setValue(vb::Variant(pLongValue));
}

bool cRegistry::PutRegistryDouble(reg::Hkey hKey, const QString& pKeyName,
                                  const QString& pValueName, double pDoubleValue)
{
    address(hKey, pKeyName, pValueName, reg::REG_SZ);
    return setValue(
        vb::Variant(QLocale::c().toString(pDoubleValue, 'g', QLocale::FloatingPointShortest)));
}

bool cRegistry::PutRegistryString(reg::Hkey hKey, const QString& pKeyName,
                                  const QString& pValueName, const QString& pStringValue)
{
    address(hKey, pKeyName, pValueName, reg::REG_SZ);
    return setValue(vb::Variant(pStringValue));
}

bool cRegistry::PutPrivateRegistryString(reg::Hkey hKey, const QString& pKeyName,
                                         const QString& pValueName, const QString& pStringValue)
{
    return PutRegistryString(hKey, GetRegistryKeyNameForApp() + QLatin1Char('\\') + pKeyName,
                             pValueName, pStringValue);
}

QString cRegistry::GetRegistryKeyNameForApp() const
{
    return Registry_Management::ProductKeyPath();
}

bool cRegistry::SaveFormPosition(QWidget& pForm)
{
    if (pForm.isMinimized())
        return true;
    const QString tag = formTag(pForm);
    if (tag.isEmpty())
        return false;
    const QString key = formKey(GetRegistryKeyNameForApp(), tag);
    const TwipScale scale = twipScale(pForm);
    const QRect frame = pForm.frameGeometry();
    const reg::Hkey root = reg::HKEY_CURRENT_USER;
    bool saved =
        PutRegistryLong(root, key, QStringLiteral("WindowState"), windowStateNumber(pForm));
    saved = PutRegistryLong(root, key, QStringLiteral("X"), toTwips(frame.x(), scale.x)) && saved;
    saved = PutRegistryLong(root, key, QStringLiteral("Y"), toTwips(frame.y(), scale.y)) && saved;
    saved =
        PutRegistryLong(root, key, QStringLiteral("cX"), toTwips(frame.width(), scale.x)) && saved;
    saved =
        PutRegistryLong(root, key, QStringLiteral("cY"), toTwips(frame.height(), scale.y)) && saved;
    return saved;
}

bool cRegistry::LoadFormPosition(QWidget& pForm)
{
    const QString tag = formTag(pForm);
    if (tag.isEmpty())
        return false;
    const QString key = formKey(GetRegistryKeyNameForApp(), tag);
    const TwipScale scale = twipScale(pForm);
    const QRect frame = pForm.frameGeometry();
    const reg::Hkey root = reg::HKEY_CURRENT_USER;

    const std::int32_t state =
        GetRegistryLong(root, key, QStringLiteral("WindowState"), windowStateNumber(pForm));
    TwipRect stored;
    stored.x = GetRegistryLong(root, key, QStringLiteral("X"), toTwips(frame.x(), scale.x));
    stored.y = GetRegistryLong(root, key, QStringLiteral("Y"), toTwips(frame.y(), scale.y));
    stored.cx = GetRegistryLong(root, key, QStringLiteral("cX"), toTwips(frame.width(), scale.x));
    stored.cy = GetRegistryLong(root, key, QStringLiteral("cY"), toTwips(frame.height(), scale.y));

    if (state == vbMinimized) {
        applyWindowState(pForm, vbNormal);
        return true;
    }
    applyWindowState(pForm, state);
    // A maximised window keeps the screen's place: it is neither moved nor sized.
    if (state == vbMaximized)
        return true;

    if (const QScreen* screen = pForm.screen()) {
        const QRect area = screen->availableGeometry();
        const TwipRect screenTwips{toTwips(area.x(), scale.x), toTwips(area.y(), scale.y),
                                   toTwips(area.width(), scale.x), toTwips(area.height(), scale.y)};
        stored = clampToScreen(stored, screenTwips);
    }
    pForm.move(toPixels(stored.x, scale.x), toPixels(stored.y, scale.y));
    if (isSizable(pForm)) {
        // The stored size is the whole window's; Qt sizes the inside, without the frame.
        const QSize border = pForm.frameGeometry().size() - pForm.size();
        pForm.resize(std::max(0, toPixels(stored.cx, scale.x) - border.width()),
                     std::max(0, toPixels(stored.cy, scale.y) - border.height()));
    }
    return true;
}
