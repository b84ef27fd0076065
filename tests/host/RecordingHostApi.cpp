// The recording operations table: one forwarding function per operation, generated from a list.
#include "RecordingHostApi.h"

#include <algorithm>
#include <cassert>

namespace host::testing {
namespace {

// Every operation of the table, in table order (one per line: the formatter cannot settle
// on a layout for a long macro list, so it leaves this one alone).
// clang-format off
#define TAVRO_HOST_OPERATIONS(X) \
    X(HostAlloc) \
    X(HostInvertMatrix) \
    X(HostCrossProduct) \
    X(HostMainWindow) \
    X(HostCurrentColor) \
    X(HostCurrentLayer) \
    X(HostSetColor) \
    X(HostSetLayer) \
    X(HostLayerExists) \
    X(HostDrawing) \
    X(HostFirstEntity) \
    X(HostNextEntity) \
    X(HostEntityValid) \
    X(HostEntityKind) \
    X(HostIsSelected) \
    X(HostObjectLayer) \
    X(HostGetPoint) \
    X(HostGetLine) \
    X(HostGetArc) \
    X(HostGetPolyline) \
    X(HostGetCurve) \
    X(HostGetSurface) \
    X(HostFree) \
    X(HostSetObjectColor) \
    X(HostSetObjectLayer) \
    X(HostNewLayer) \
    X(HostNewPoint) \
    X(HostNewLine) \
    X(HostNewArc) \
    X(HostNewText) \
    X(HostNewSurface) \
    X(HostAddLayer) \
    X(HostAddPoint) \
    X(HostAddLine) \
    X(HostAddArc) \
    X(HostAddText) \
    X(HostAddCurve) \
    X(HostAddSurface) \
    X(HostSelect) \
    X(HostUnselectAll) \
    X(HostListViews) \
    X(HostGetCView) \
    X(HostGetView) \
    X(HostTransform) \
    X(HostLayerName) \
    X(HostNextLayer) \
    X(HostSurfaceNormal) \
    X(HostOffsetSurface) \
    X(HostSurfaceFromCallback) \
    X(HostSurfaceFromCallbackGrid) \
    X(HostZoomFit) \
    X(HostPickLocation) \
    X(HostDeleteEntity) \
    X(HostSetEntityLayer) \
    X(HostFileNew) \
    X(HostFileOpen) \
    X(HostFileType) \
    X(HostProjectPoint) \
    X(HostProjectPointUV) \
    X(HostSetView) \
    X(HostSetCView) \
    X(HostShowLayer) \
    X(HostPasteSource) \
    X(HostPaste) \
    X(HostRestoreColor) \
    X(HostSetSurfaceColor)
// clang-format on

enum OperationIndex : int {
#define TAVRO_INDEX(op) k##op,
    TAVRO_HOST_OPERATIONS(TAVRO_INDEX)
#undef TAVRO_INDEX
        kOperationCount
};
// A new operation in the table must be added to the list above.
static_assert(sizeof(HostApi) == kOperationCount * sizeof(void (*)()));

constexpr const char* kNames[] = {
#define TAVRO_NAME(op) #op,
    TAVRO_HOST_OPERATIONS(TAVRO_NAME)
#undef TAVRO_NAME
};

struct RecorderState {
    HostApi inner{};
    std::vector<std::string> calls;
    bool active = false;
};
RecorderState& State() {
    static RecorderState state;
    return state;
}

template <class Function>
struct Forwarder;

template <class Result, class... Args>
struct Forwarder<Result (*)(Args...)> {
    template <auto Member, int Index>
    static Result Call(Args... args) {
        State().calls.emplace_back(kNames[Index]);
        return (State().inner.*Member)(args...);
    }
};

}  // namespace

RecordingHostApi::RecordingHostApi(const HostApi& inner) : api_{} {
    assert(!State().active && "only one RecordingHostApi may exist at a time");
    State() = {inner, {}, true};
#define TAVRO_WRAP(op) \
    api_.op = &Forwarder<decltype(HostApi::op)>::template Call<&HostApi::op, k##op>;
    TAVRO_HOST_OPERATIONS(TAVRO_WRAP)
#undef TAVRO_WRAP
}

RecordingHostApi::~RecordingHostApi() { State() = {}; }

const std::vector<std::string>& RecordingHostApi::Calls() const { return State().calls; }

std::vector<std::string> RecordingHostApi::CallsOf(
    std::initializer_list<std::string_view> names) const {
    std::vector<std::string> chosen;
    for (const std::string& call : State().calls)
        if (std::find(names.begin(), names.end(), call) != names.end()) chosen.push_back(call);
    return chosen;
}

std::size_t RecordingHostApi::CountOf(std::string_view name) const {
    return std::size_t(std::count(State().calls.begin(), State().calls.end(), name));
}

void RecordingHostApi::ClearCalls() { State().calls.clear(); }

}  // namespace host::testing
