// The operations table: its binding to one host, and the operations on the drawing, its layers,
// views, selection, files and display. The object operations are in HostApiObjects.cpp.
#include "host/HostApiTable.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "host/DrawingFile.h"
#include "host/Host.h"
#include "host/MatrixMath.h"
#include "platform/ProcessState.h"

namespace host {
namespace {

using detail::HostFor;

// The one piece of process-wide state of the table: the host its functions act on.
struct TableBinding {
    Host* host = nullptr;
};
TableBinding& Binding() {
    static TableBinding binding;
    return binding;
}

// A reset of the process's state leaves the table bound to no host.
const platform::StateResetRegistration kResetRegistration([] { Binding() = {}; });

Matrix4 LoadMatrix(const void* matrix) {
    Matrix4 m;
    std::memcpy(m.data(), matrix, sizeof m);
    return m;
}

HostHandle HandleOf(std::uint32_t id) {
    return id == 0 ? HostHandle{} : HostHandle{std::uint32_t(kDrawingNumber), id};
}

const Entity* EntityOf(Host& host, HostHandle handle) {
    return handle.low == std::uint32_t(kDrawingNumber) ? host.ActiveDrawing().Find(handle.high)
                                                       : nullptr;
}

void FillViewRecord(HostViewRecord* out, int number, const View& view) {
    std::memset(out, 0, sizeof *out);
    std::strncpy(out->name, view.name.c_str(), sizeof out->name - 1);
    out->number = std::int16_t(number);
    std::memcpy(out->matrix, view.matrix.data(), sizeof out->matrix);
}

// ---- matrices ----
int InvertMatrix(const void* matrix, void* result) {
    if (!matrix || !result) return -1;
    // Read fully before writing, so that `result` may be `matrix` itself.
    const std::optional<Matrix4> inverse = Inverse(LoadMatrix(matrix));
    if (!inverse) return -1;
    std::memcpy(result, inverse->data(), sizeof *inverse);
    return 0;
}

void CrossProductOp(HostVector3* result, const HostVector3* a, const HostVector3* b) {
    if (result && a && b) *result = CrossProduct(*a, *b);
}

int TransformOp(const HostVector3* point, HostVector3* out, const void* matrix, int flag) {
    if (!point || !out || !matrix) return -1;
    *out = Transform(LoadMatrix(matrix), *point, flag != 0);
    return 0;
}

// ---- window, colour, layer ----
// The main window's handle value as the opaque window (see HostWindow in HostApi.h).
HostWindow MainWindow() {
    Host* host = HostFor("HostMainWindow");
    if (!host) return nullptr;
    return reinterpret_cast<HostWindow>(std::uintptr_t{host->Window().Handle().value});
}

int CurrentColor() {
    Host* host = HostFor("HostCurrentColor");
    return host ? host->ActiveDrawing().CurrentColor() : -1;
}

int CurrentLayer() {
    Host* host = HostFor("HostCurrentLayer");
    return host ? host->ActiveDrawing().CurrentLayer() : -1;
}

void SetColor(int color) {
    Host* host = HostFor("HostSetColor");
    if (host && !host->ActiveDrawing().SetCurrentColor(color))
        std::fprintf(stderr, "host: HostSetColor(%d) refused: no such colour\n", color);
}

void SetLayer(int layer) {
    Host* host = HostFor("HostSetLayer");
    if (host && !host->ActiveDrawing().SetCurrentLayer(layer))
        std::fprintf(stderr, "host: HostSetLayer(%d) refused: no such layer number\n", layer);
}

void RestoreColor(int color) { SetColor(color); }

int LayerExists(int layer) {
    Host* host = HostFor("HostLayerExists");
    return host && host->ActiveDrawing().HasLayer(layer) ? 1 : 0;
}

int LayerName(int layer, char* buffer, int size) {
    Host* host = HostFor("HostLayerName");
    if (!host || !buffer || size < 1) return -1;
    buffer[0] = '\0';
    const auto found = host->ActiveDrawing().Layers().find(layer);
    if (found == host->ActiveDrawing().Layers().end() || found->second.name.empty()) return -1;
    const std::string& name = found->second.name;
    const std::size_t length = std::min(name.size(), std::size_t(size - 1));
    std::memcpy(buffer, name.data(), length);
    buffer[length] = '\0';
    return 0;
}

int NextLayer(int layer) {
    Host* host = HostFor("HostNextLayer");
    if (!host) return -1;
    const auto& layers = host->ActiveDrawing().Layers();
    const auto next = layers.upper_bound(layer);
    return next == layers.end() ? -1 : next->first;
}

int ShowLayer(int layer, int show) {
    Host* host = HostFor("HostShowLayer");
    return host && host->ActiveDrawing().ShowLayer(layer, show != 0) ? 0 : -1;
}

// ---- the drawing walk ----
int DrawingOp() { return HostFor("HostDrawing") ? kDrawingNumber : 0; }

HostHandle FirstEntity(int drawing) {
    Host* host = HostFor("HostFirstEntity");
    if (!host || drawing != kDrawingNumber) return {};
    return HandleOf(host->ActiveDrawing().First());
}

HostHandle NextEntity(HostHandle handle) {
    Host* host = HostFor("HostNextEntity");
    if (!host || handle.low != std::uint32_t(kDrawingNumber)) return {};
    return HandleOf(host->ActiveDrawing().Next(handle.high));
}

int EntityValid(HostHandle handle) {
    Host* host = HostFor("HostEntityValid");
    return host && EntityOf(*host, handle) ? 1 : 0;
}

int EntityKind(HostHandle handle) {
    Host* host = HostFor("HostEntityKind");
    const Entity* entity = host ? EntityOf(*host, handle) : nullptr;
    return entity ? int(KindOf(entity->geometry)) : 0;
}

int DeleteEntity(HostHandle handle) {
    Host* host = HostFor("HostDeleteEntity");
    if (!host || handle.low != std::uint32_t(kDrawingNumber)) return -1;
    return host->ActiveDrawing().Delete(handle.high) ? 0 : -1;
}

int SetEntityLayer(HostHandle handle, int layer) {
    Host* host = HostFor("HostSetEntityLayer");
    if (!host || !IsLayerNumber(layer) || !EntityOf(*host, handle)) return -1;
    host->ActiveDrawing().Find(handle.high)->layer = layer;
    host->ActiveDrawing().AddLayer(layer, {});
    return 0;
}

// ---- selection and interaction ----
int Select(int method, int mode, int, int) {
    Host* host = HostFor("HostSelect");
    if (!host || method != kHostSelectByPicking) return -1;
    return host->SelectInteractively(mode);
}

void UnselectAll() {
    if (Host* host = HostFor("HostUnselectAll")) host->ActiveDrawing().UnselectAll();
}

int PickLocation(int, HostVector3* out) {
    Host* host = HostFor("HostPickLocation");
    if (!host || !out) return -1;
    const std::optional<HostVector3> location = host->PickLocation();
    if (!location) return -1;
    *out = *location;
    return 0;
}

// ---- views ----
int ListViews(std::uint16_t* buffer, int words) {
    Host* host = HostFor("HostListViews");
    if (!host || !buffer || words < 2) return -1;
    // Word 0 holds the count, then the numbers, then a zero word; what does not fit is left out.
    int count = 0;
    for (const auto& entry : host->ActiveDrawing().Views()) {
        if (count + 2 >= words) break;
        buffer[1 + count++] = std::uint16_t(entry.first);
    }
    buffer[0] = std::uint16_t(count);
    buffer[1 + count] = 0;
    return count;
}

int GetView(HostViewRecord* out, int number) {
    Host* host = HostFor("HostGetView");
    if (!host || !out) return -1;
    const auto found = host->ActiveDrawing().Views().find(number);
    if (found == host->ActiveDrawing().Views().end()) return -1;
    FillViewRecord(out, number, found->second);
    return 0;
}

int GetCView(HostViewRecord* out) {
    Host* host = HostFor("HostGetCView");
    return host ? GetView(out, host->ActiveDrawing().ConstructionView()) : -1;
}

int SetView(int number) {
    Host* host = HostFor("HostSetView");
    return host && host->ActiveDrawing().SetCurrentView(number) ? 0 : -1;
}

int SetCView(int number) {
    Host* host = HostFor("HostSetCView");
    return host && host->ActiveDrawing().SetConstructionView(number) ? 0 : -1;
}

int SurfaceFromCallback(std::FILE* file, int, HostPointAdapter adapter) {
    Host* host = HostFor("HostSurfaceFromCallback");
    return host ? host->SurfaceFromPoints(file, adapter) : -1;
}

int SurfaceFromCallbackGrid(std::FILE* file, int, HostPointAdapter adapter, int, int, int, int,
                            int) {
    Host* host = HostFor("HostSurfaceFromCallbackGrid");
    return host ? host->SurfaceFromPoints(file, adapter) : -1;
}

// ---- display ----
int ZoomFit(const void* block) {
    Host* host = HostFor("HostZoomFit");
    if (!host || !block) return -1;
    // Only the zeroed request (fit everything) exists.
    const auto* bytes = static_cast<const unsigned char*>(block);
    if (std::any_of(bytes, bytes + kHostZoomBlockSize, [](unsigned char b) { return b != 0; }))
        return -1;
    host->ZoomFit();
    return 0;
}

// ---- files and clipboard ----
int FileNew(int, int) {
    Host* host = HostFor("HostFileNew");
    if (!host) return -1;
    host->NewDrawing();
    return 0;
}

int FileOpen(int type, int mode, const char* path) {
    Host* host = HostFor("HostFileOpen");
    if (!host || !path || type != kHostDrawingFileType ||
        (mode != kHostOpenReplaces && mode != kHostOpenMerges))
        return -1;
    return host->OpenDrawing(path, mode == kHostOpenMerges) ? 0 : -1;
}

int FileType(const char* extension) {
    if (!extension) return -1;
    std::string text = extension;
    if (!text.empty() && text.front() == '.') text.erase(0, 1);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text == kDrawingExtension ? kHostDrawingFileType : -1;
}

int PasteSource() { return kHostPasteFromClipboard; }

int Paste(int source) {
    Host* host = HostFor("HostPaste");
    if (!host || source != kHostPasteFromClipboard) return -1;
    return host->PasteFromClipboard() ? 0 : -1;
}

}  // namespace

Host* detail::HostFor(const char* operation) {
    Host* host = Binding().host;
    if (!host)
        std::fprintf(stderr, "host: %s called while no host is bound to the table\n", operation);
    return host;
}

int detail::Refused(const char* operation, const std::string& why) {
    std::fprintf(stderr, "host: %s refused: %s\n", operation, why.c_str());
    return -1;
}

void detail::FillDrawingOperations(HostApi& api) {
    api.HostInvertMatrix = InvertMatrix;
    api.HostCrossProduct = CrossProductOp;
    api.HostMainWindow = MainWindow;
    api.HostCurrentColor = CurrentColor;
    api.HostCurrentLayer = CurrentLayer;
    api.HostSetColor = SetColor;
    api.HostSetLayer = SetLayer;
    api.HostLayerExists = LayerExists;
    api.HostDrawing = DrawingOp;
    api.HostFirstEntity = FirstEntity;
    api.HostNextEntity = NextEntity;
    api.HostEntityValid = EntityValid;
    api.HostEntityKind = EntityKind;
    api.HostSelect = Select;
    api.HostUnselectAll = UnselectAll;
    api.HostListViews = ListViews;
    api.HostGetCView = GetCView;
    api.HostGetView = GetView;
    api.HostTransform = TransformOp;
    api.HostLayerName = LayerName;
    api.HostNextLayer = NextLayer;
    api.HostSurfaceFromCallback = SurfaceFromCallback;
    api.HostSurfaceFromCallbackGrid = SurfaceFromCallbackGrid;
    api.HostZoomFit = ZoomFit;
    api.HostPickLocation = PickLocation;
    api.HostDeleteEntity = DeleteEntity;
    api.HostSetEntityLayer = SetEntityLayer;
    api.HostFileNew = FileNew;
    api.HostFileOpen = FileOpen;
    api.HostFileType = FileType;
    api.HostSetView = SetView;
    api.HostSetCView = SetCView;
    api.HostShowLayer = ShowLayer;
    api.HostPasteSource = PasteSource;
    api.HostPaste = Paste;
    api.HostRestoreColor = RestoreColor;
}

HostApi HostApiFor(Host& host) {
    Binding().host = &host;
    HostApi api{};
    detail::FillObjectOperations(api);
    detail::FillDrawingOperations(api);
    detail::FillGeometryOperations(api);
    platform::SetMainWindow(host.Window().Handle());
    return api;
}

Host* BoundHost() { return Binding().host; }

void UnbindHost() {
    Host* host = std::exchange(Binding().host, nullptr);
    // Dialogs are owned by the bound host's window, and by no other host's.
    if (host && platform::MainWindow() == host->Window().Handle()) platform::SetMainWindow({});
}

}  // namespace host
