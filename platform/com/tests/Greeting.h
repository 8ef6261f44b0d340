#pragma once

// The interface of the test library's objects.

#include <QString>
#include <QtPlugin>

namespace com::testing {

class Greeting
{
public:
    virtual ~Greeting() = default;
    virtual QString greet() const = 0;
};

} // namespace com::testing

Q_DECLARE_INTERFACE(com::testing::Greeting, "org.quorvex.com.testing.Greeting/1.0")
