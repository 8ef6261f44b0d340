#pragma once

// A ScriptedUser for GoogleTest: every unexpected prompt or window fails the running test, and a
// scripted answer that was never used fails it when the user goes out of scope. Header-only so
// the shell library itself does not depend on GoogleTest.

#include "ScriptedUser.h"

#include <gtest/gtest.h>

namespace shell {

class GTestScriptedUser : public ScriptedUser
{
public:
    GTestScriptedUser()
    {
        setFailureHandler([](const QString& what) { ADD_FAILURE() << what.toStdString(); });
    }
    ~GTestScriptedUser() override
    {
        for (const QString& what : unused())
            ADD_FAILURE() << what.toStdString();
    }
};

} // namespace shell
