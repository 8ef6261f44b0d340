// Test helper: writes COUNT values named PREFIX<n> under HKCU\Concurrency, one call each, as a
// second program would while another one writes too.

#include "Registry.h"

#include <cstdio>
#include <cstdlib>
#include <QString>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fputs("usage: registry_test_writer PREFIX COUNT\n", stderr);
        return 2;
    }
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    const int count = std::atoi(argv[2]);
    reg::Hkey key = 0;
    if (reg::createKey(reg::HKEY_CURRENT_USER, QStringLiteral("Concurrency"), &key) != 0) {
        std::fprintf(stderr, "%s\n", qPrintable(reg::lastErrorText()));
        return 1;
    }
    for (int i = 0; i < count; ++i) {
        const auto value = std::uint32_t(i);
        const reg::Status status =
            reg::setValueEx(key, prefix + QString::number(i), reg::REG_DWORD,
                            reinterpret_cast<const std::uint8_t*>(&value), sizeof value);
        if (status != reg::ERROR_SUCCESS) {
            std::fprintf(stderr, "value %d: status %d: %s\n", i, status,
                         qPrintable(reg::lastErrorText()));
            return 1;
        }
    }
    reg::closeKey(key);
    return 0;
}
