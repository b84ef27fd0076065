// A value, or the reason why there is none: how the geometry reports refused input.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace host::geometry {

template <class T>
struct Checked {
    std::optional<T> value;
    std::string reason;  // empty exactly when `value` is set

    [[nodiscard]] static Checked Ok(T v) { return {std::move(v), {}}; }
    [[nodiscard]] static Checked Refused(std::string why) { return {std::nullopt, std::move(why)}; }
    explicit operator bool() const { return value.has_value(); }
};

}  // namespace host::geometry
