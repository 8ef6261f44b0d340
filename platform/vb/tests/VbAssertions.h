#pragma once

#include "Error.h"

#include <gtest/gtest.h>

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
