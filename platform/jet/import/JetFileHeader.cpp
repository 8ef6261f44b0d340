// Reading the first page of a Jet database file: its kind, password and code page.

#include "platform/jet/import/JetFileHeader.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace jet::importer {

namespace {

constexpr int kVersionOffset = 0x14;
constexpr int kEncodedStart = 0x18;
constexpr int kJet3EncodedLength = 126;
constexpr int kJet4EncodedLength = 128;
constexpr int kCodePageOffset = 0x3c;
constexpr int kDatabaseKeyOffset = 0x3e;
constexpr int kPasswordOffset = 0x42;
constexpr int kJet3PasswordLength = 20;
constexpr int kJet4PasswordLength = 40;
constexpr int kCreationDateOffset = 0x72;
constexpr int kHeaderSize = kEncodedStart + kJet4EncodedLength;

// Jet hides part of its header under RC4 with this fixed key.
constexpr std::array<std::uint8_t, 4> kHeaderKey{0xc7, 0xda, 0x39, 0x6b};

void rc4(const std::uint8_t* key, std::size_t keyLength, std::uint8_t* data, std::size_t length)
{
    std::array<std::uint8_t, 256> state{};
    for (std::size_t i = 0; i < state.size(); ++i) {
        state[i] = static_cast<std::uint8_t>(i);
    }
    std::uint8_t j = 0;
    for (std::size_t i = 0; i < state.size(); ++i) {
        j = static_cast<std::uint8_t>(j + state[i] + key[i % keyLength]);
        std::swap(state[i], state[j]);
    }
    std::uint8_t a = 0;
    std::uint8_t b = 0;
    for (std::size_t n = 0; n < length; ++n) {
        a = static_cast<std::uint8_t>(a + 1);
        b = static_cast<std::uint8_t>(b + state[a]);
        std::swap(state[a], state[b]);
        data[n] ^= state[static_cast<std::uint8_t>(state[a] + state[b])];
    }
}

std::uint32_t uint32At(const QByteArray& bytes, int offset)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    }
    return value;
}

QByteArray firstBytes(const QString& path, qint64 count)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.read(count);
}

DatabaseFileKind kindOf(const QByteArray& header)
{
    if (header.startsWith(QByteArrayLiteral("SQLite format 3\0"))) {
        return DatabaseFileKind::Ours;
    }
    if (header.size() < kHeaderSize || header.left(4) != QByteArray("\x00\x01\x00\x00", 4)) {
        return DatabaseFileKind::Unknown;
    }
    const QByteArray signature = header.mid(4, 16);
    if (signature == QByteArray("Standard ACE DB\0", 16)) {
        return DatabaseFileKind::Ace;
    }
    if (signature != QByteArray("Standard Jet DB\0", 16)) {
        return DatabaseFileKind::Unknown;
    }
    switch (uint32At(header, kVersionOffset)) {
    case 0:
        return DatabaseFileKind::Jet3;
    case 1:
        return DatabaseFileKind::Jet4;
    default:
        return DatabaseFileKind::Unknown;
    }
}

// Access 97 takes passwords in the letters, digits and signs that Windows-1252 and Latin-1
// write alike.
QString jet3Password(const QByteArray& plain)
{
    QByteArray bytes = plain.mid(kPasswordOffset, kJet3PasswordLength);
    const qsizetype end = bytes.indexOf('\0');
    if (end >= 0) {
        bytes.truncate(end);
    }
    return QString::fromLatin1(bytes);
}

// Jet 4 masks the password once more with the whole-day part of the creation date.
QString jet4Password(const QByteArray& plain)
{
    double created = 0;
    std::memcpy(&created, plain.constData() + kCreationDateOffset, sizeof created);
    const auto day = static_cast<std::uint32_t>(static_cast<std::int32_t>(created));
    QByteArray bytes = plain.mid(kPasswordOffset, kJet4PasswordLength);
    for (int i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(static_cast<std::uint8_t>(bytes[i]) ^
                                     static_cast<std::uint8_t>(day >> (8 * (i % 4))));
    }
    QString password;
    for (int i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = static_cast<char16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                                    static_cast<std::uint8_t>(bytes[i + 1]) << 8);
        if (unit == 0) {
            break;
        }
        password.append(QChar(unit));
    }
    return password;
}

} // namespace

DatabaseFileKind databaseFileKind(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        return DatabaseFileKind::Missing;
    }
    return kindOf(firstBytes(path, kHeaderSize));
}

bool isJetFile(const QString& path)
{
    const DatabaseFileKind kind = databaseFileKind(path);
    return kind == DatabaseFileKind::Jet3 || kind == DatabaseFileKind::Jet4 ||
           kind == DatabaseFileKind::Ace;
}

std::optional<JetHeader> readJetHeader(const QString& path)
{
    const QByteArray raw = firstBytes(path, kHeaderSize);
    const DatabaseFileKind kind = kindOf(raw);
    if (kind != DatabaseFileKind::Jet3 && kind != DatabaseFileKind::Jet4) {
        return std::nullopt;
    }
    QByteArray plain = raw;
    const int length = kind == DatabaseFileKind::Jet3 ? kJet3EncodedLength : kJet4EncodedLength;
    rc4(kHeaderKey.data(), kHeaderKey.size(),
        reinterpret_cast<std::uint8_t*>(plain.data()) + kEncodedStart,
        static_cast<std::size_t>(length));
    JetHeader header;
    header.kind = kind;
    header.codePage = static_cast<int>(uint32At(plain, kCodePageOffset) & 0xffff);
    header.encoded = uint32At(plain, kDatabaseKeyOffset) != 0;
    header.password = kind == DatabaseFileKind::Jet3 ? jet3Password(plain) : jet4Password(plain);
    return header;
}

QString jetFileAdvice(const QString& path)
{
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    return u"The database %1 is still a Microsoft Access (Jet) file. Import the installation's "
           u"databases into the current format first with\n    qvimport --install \"%2\"\n"
           u"and then run the update again."_s.arg(QDir::toNativeSeparators(path), folder);
}

} // namespace jet::importer
