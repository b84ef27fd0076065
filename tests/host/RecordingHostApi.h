// Test utility: an operations table that records the name of every host operation called, in
// order, and forwards the call to the real table it wraps. One recorder at a time per process.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "hostlink/HostApi.h"

namespace host::testing {

class RecordingHostApi {
public:
    // Records calls made through api() and forwards them to `inner`.
    explicit RecordingHostApi(const HostApi& inner);
    ~RecordingHostApi();
    RecordingHostApi(const RecordingHostApi&) = delete;
    RecordingHostApi& operator=(const RecordingHostApi&) = delete;

    // The recording table to hand to the code under test.
    [[nodiscard]] HostApi* api() { return &api_; }
    // Names of the operations called ("HostDrawing", ...), oldest first.
    [[nodiscard]] const std::vector<std::string>& Calls() const;
    // Only the calls named in `names`, in order.
    [[nodiscard]] std::vector<std::string> CallsOf(
        std::initializer_list<std::string_view> names) const;
    // How often the operation `name` was called.
    [[nodiscard]] std::size_t CountOf(std::string_view name) const;
    void ClearCalls();

private:
    HostApi api_;
};

}  // namespace host::testing
