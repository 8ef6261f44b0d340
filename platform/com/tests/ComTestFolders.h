#pragma once

// Where the test component libraries are, and a clean slate of class registrations per test.

#include "platform/registry/Registry.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QLibrary>
#include <QString>

namespace com::testing {

inline QString libraryIn(const QString& folder)
{
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files))
        if (QLibrary::isLibrary(file.fileName()))
            return file.absoluteFilePath();
    return {};
}

inline QString firstFolder()
{
    return QStringLiteral(QV_COM_FIRST_FOLDER);
}
inline QString secondFolder()
{
    return QStringLiteral(QV_COM_SECOND_FOLDER);
}

class ClassRegistrationsTest : public ::testing::Test
{
protected:
    void SetUp() override { clear(); }
    void TearDown() override { clear(); }

private:
    static void clear() { reg::deleteTree(reg::HKEY_CURRENT_USER, QStringLiteral("Software")); }
};

} // namespace com::testing
