#pragma once

#include "Error.h"

#include <gtest/gtest.h>
#include <ostream>
#include <QString>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// Expects `statement` to raise vb::Error with the given number.
#define EXPECT_VB_ERROR(statement, expectedNumber)                                                 \
    do {                                                                                           \
        try {                                                                                      \
            (void)(statement);                                                                     \
            ADD_FAILURE() << #statement " raised no error, expected " << (expectedNumber);         \
        } catch (const vb::Error& e) {                                                             \
            EXPECT_EQ(e.number(), (expectedNumber)) << #statement ": " << e.what();                \
        }                                                                                          \
    } while (false)
