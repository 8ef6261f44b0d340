#pragma once

// Each test gets a store file of its own in a fresh folder, so tests never see each other's keys.

#include "Registry.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <QByteArray>
#include <QTemporaryDir>
#include <vector>

class StoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_previous = qgetenv("QUORVEX_REGISTRY");
        usePath(m_folder.filePath(QStringLiteral("registry.db")));
    }

    void TearDown() override { qputenv("QUORVEX_REGISTRY", m_previous); }

    static void usePath(const QString& path) { qputenv("QUORVEX_REGISTRY", path.toUtf8()); }

    QString folderPath(const QString& name) const { return m_folder.filePath(name); }

    static reg::Hkey create(const QString& path)
    {
        reg::Hkey key = 0;
        EXPECT_EQ(reg::createKey(reg::HKEY_CURRENT_USER, path, &key), reg::ERROR_SUCCESS)
            << path.toStdString();
        return key;
    }

    static reg::Status setBytes(reg::Hkey key, const QString& name, reg::ValueType type,
                                const QByteArray& data)
    {
        return reg::setValueEx(key, name, type,
                               reinterpret_cast<const std::uint8_t*>(data.constData()),
                               std::uint32_t(data.size()));
    }

    static reg::Status setText(reg::Hkey key, const QString& name, const QString& text)
    {
        QByteArray data = text.toUtf8();
        data.append('\0');
        return setBytes(key, name, reg::REG_SZ, data);
    }

    // Reads a value whole; the status is that of the sized read.
    static reg::Status read(reg::Hkey key, const QString& name, reg::ValueType* type,
                            QByteArray* data)
    {
        std::uint32_t size = 0;
        const reg::Status sizing = reg::queryValueEx(key, name, type, nullptr, &size);
        if (sizing != reg::ERROR_SUCCESS)
            return sizing;
        std::vector<std::uint8_t> buffer(size + 1);
        const reg::Status status = reg::queryValueEx(key, name, type, buffer.data(), &size);
        *data = QByteArray(reinterpret_cast<const char*>(buffer.data()), qsizetype(size));
        return status;
    }

private:
    QTemporaryDir m_folder;
    QByteArray m_previous;
};
