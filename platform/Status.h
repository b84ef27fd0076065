// How the project's own readers and services report an outcome: a Status that converts to bool,
// with the place in the input it applies to, the kind of fault where a caller acts on it, and one
// description; Expected<T> for results that carry a value. Neither throws; exported signatures
// fixed by the host keep their own forms.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

#include "platform/Invariant.h"

namespace platform {

// Where in an input a status applies: a 1-based line and/or a 0-based byte offset, and the
// file when the status names it.
struct Place {
    int line = 0;                            // 0: no line
    std::optional<std::size_t> offset = {};  // none: no offset
    std::string file = {};                   // "": no file
};

// Success, or a failure with its reason and place.
class [[nodiscard]] Status {
public:
    Status() = default;  // success

    [[nodiscard]] static Status Failure(std::string reason, Place where = {}) {
        Status status;
        status.failed_ = true;
        status.reason_ = std::move(reason);
        status.place_ = where;
        return status;
    }
    // A failure of the kind `fault`, a value of the failing function's own enumeration of
    // faults (whose 0 is "none"), for callers that act on the kind rather than on the text.
    template <class Fault>
    requires std::is_enum_v<Fault>
    [[nodiscard]] static Status Failure(Fault fault, std::string reason, Place where = {}) {
        Status status = Failure(std::move(reason), std::move(where));
        status.fault_ = static_cast<long long>(fault);
        return status;
    }

    explicit operator bool() const { return !failed_; }
    // The reason alone, without the place ("" on success).
    [[nodiscard]] const std::string& Reason() const { return reason_; }
    [[nodiscard]] const Place& Where() const { return place_; }
    [[nodiscard]] int Line() const { return place_.line; }
    // The kind of fault as the enumeration it was given in; Fault{} ("none") on success and
    // for a failure given no kind.
    template <class Fault>
    requires std::is_enum_v<Fault>
    [[nodiscard]] Fault FaultKind() const { return static_cast<Fault>(fault_); }
    // "line 12: reason", "offset 40: reason" or the reason alone, after "file: " when the place
    // names a file; "" on success.
    [[nodiscard]] std::string Describe() const {
        std::string text = place_.file.empty() ? std::string() : place_.file + ": ";
        if (place_.line > 0)
            text += "line " + std::to_string(place_.line) + ": ";
        else if (place_.offset)
            text += "offset " + std::to_string(*place_.offset) + ": ";
        return text + reason_;
    }

private:
    bool failed_ = false;
    std::string reason_;
    Place place_;
    long long fault_ = 0;
};

// A value, or the failed Status that says why there is none.
template <class T>
class [[nodiscard]] Expected {
public:
    Expected(T value) : value_(std::move(value)) {}  // NOLINT: a value converts implicitly
    // So does whatever converts to a value (a derived class's pointer to a base's).
    template <class U>
    requires(std::is_convertible_v<U&&, T> && !std::is_same_v<std::decay_t<U>, T> &&
             !std::is_same_v<std::decay_t<U>, Status>) Expected(U&& value)
        : value_(T(std::forward<U>(value))) {}                // NOLINT
    Expected(Status failure) : status_(std::move(failure)) {  // NOLINT: so does a failure
        TAVRO_INVARIANT(!status_, "an Expected without a value needs a failed Status");
    }

    explicit operator bool() const { return value_.has_value(); }
    // The value; only when there is one.
    [[nodiscard]] T& Value() & { return Checked(); }
    [[nodiscard]] const T& Value() const& { return const_cast<Expected*>(this)->Checked(); }
    [[nodiscard]] T&& Value() && { return std::move(Checked()); }
    [[nodiscard]] T& operator*() & { return Checked(); }
    [[nodiscard]] const T& operator*() const& { return Value(); }
    [[nodiscard]] T* operator->() { return &Checked(); }
    [[nodiscard]] const T* operator->() const { return &Value(); }
    // Success when there is a value, else why not.
    [[nodiscard]] const Status& GetStatus() const { return status_; }
    [[nodiscard]] std::string Describe() const { return status_.Describe(); }

private:
    T& Checked() {
        TAVRO_INVARIANT(value_.has_value(), "check an Expected before taking its value");
        return *value_;
    }

    std::optional<T> value_;
    Status status_;
};

}  // namespace platform
