// libFuzzer entry point: any bytes through the ELF and PE readers.

#include "VersionInfo.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto info = verinfo::readBytes(
        QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (info) {
        // Walk the result as a caller would.
        for (const verinfo::Translation translation : info->translations)
            (void)info->value(QStringLiteral("CompanyName"), translation);
        (void)info->value(QStringLiteral("FileVersion"));
    }
    return 0;
}
