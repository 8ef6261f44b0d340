#pragma once

// A store of its own per test, and helpers to fill it and to read .reg bytes as text.

#include "RegExport.h"
#include "Registry.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

class RegeditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_previous = qgetenv("QUORVEX_REGISTRY");
        qputenv("QUORVEX_REGISTRY", m_folder.filePath(QStringLiteral("registry.db")).toUtf8());
    }

    void TearDown() override { qputenv("QUORVEX_REGISTRY", m_previous); }

    QString filePath(const QString& name) const { return m_folder.filePath(name); }

    static reg::Hkey create(const QString& path)
    {
        reg::Hkey key = 0;
        EXPECT_EQ(reg::createKey(reg::HKEY_CURRENT_USER, path, &key), reg::ERROR_SUCCESS)
            << path.toStdString();
        return key;
    }

    static void set(reg::Hkey key, const QString& name, reg::ValueType type, const QByteArray& data)
    {
        ASSERT_EQ(reg::setValueEx(key, name, type,
                                  reinterpret_cast<const std::uint8_t*>(data.constData()),
                                  std::uint32_t(data.size())),
                  reg::ERROR_SUCCESS)
            << name.toStdString();
    }

    static QByteArray text(const char* utf8) { return QByteArray(utf8).append('\0'); }

    // The bytes a version 5 file holds for `text` written with LF line ends.
    static QByteArray fileBytes(const QString& text)
    {
        QString crlf = text;
        crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        QByteArray bytes("\xff\xfe", 2);
        for (const QChar c : crlf) {
            bytes.append(char(c.unicode() & 0xff));
            bytes.append(char(c.unicode() >> 8));
        }
        return bytes;
    }

    static QString exported(const QString& key)
    {
        regedit::RegFile file;
        const QString problem = regedit::readKeyTree(key, &file);
        EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
        return regedit::formatRegText(file);
    }

private:
    QTemporaryDir m_folder;
    QByteArray m_previous;
};
