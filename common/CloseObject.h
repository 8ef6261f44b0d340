#pragma once

// CloseObject: the close-and-release helper every procedure uses on its connections,
// recordsets and catalog objects before it ends. It never raises: an object that cannot close
// cleanly is released all the same.

#include <memory>
#include <optional>

namespace DatabaseHelpers {

namespace detail {

template <typename T>
void closeQuietly(T& object) noexcept
{
    if constexpr (requires { object.close(); }) {
        try {
            object.close();
        } catch (...) {
            // A failed Close changes nothing for the caller: the object is released anyway.
        }
    }
}

} // namespace detail

// Closes the object if it is set and clears the reference.
template <typename T>
void CloseObject(std::unique_ptr<T>& object) noexcept
{
    if (!object)
        return;
    detail::closeQuietly(*object);
    object.reset();
}

template <typename T>
void CloseObject(std::optional<T>& object) noexcept
{
    if (!object)
        return;
    detail::closeQuietly(*object);
    object.reset();
}

} // namespace DatabaseHelpers
