// The host contract: the table of host operations handed to the add-in, the entity handle and
// kinds, and the layouts of the objects and records the host hands out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// 64-bit entity handle as two 32-bit words. `high` identifies the entity: every entity of a
// host has its own, never reused; `low` is the drawing the entity belongs to.
struct HostHandle {
    std::uint32_t low = 0;
    std::uint32_t high = 0;

    friend bool operator==(const HostHandle&, const HostHandle&) = default;
};

// Entity kinds as `HostEntityKind` reports them (0 for a handle that is not valid).
enum class HostKind : int {
    Point = 1,
    Line = 2,
    Polyline = 3,
    Arc = 7,
    Curve = 12,
    Surface = 13,
    Text = 17,
};

// Three doubles: a point or a direction.
struct HostVector3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    friend bool operator==(const HostVector3&, const HostVector3&) = default;
};

// Surface parameters of a point on a surface: u along the columns, v along the rows, each 0..1.
struct HostUV {
    double u = 0.0;
    double v = 0.0;
};

// ---- Objects handed out by Get and New, owned by the caller until HostFree -------------------
// A pointer handed out points at one of these structs; colour, layer and selection live in the
// host beside it and are reached through HostObjectLayer, HostIsSelected and the setters.

struct HostPointObject {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct HostLineObject {
    HostVector3 start;
    HostVector3 end;
};

// An arc around `center` in the plane normal to `axis`, from `center + radius * startDir`,
// turning counter-clockwise about `axis` by `sweep` radians.
struct HostArcObject {
    HostVector3 center;
    HostVector3 axis;
    HostVector3 startDir;
    double sweep = 0.0;
    double radius = 0.0;
};

// Vertices owned by the object; edit them in place, never replace the pointer or the count.
struct HostPolylineObject {
    std::uint32_t count = 0;
    HostVector3* vertices = nullptr;
};

// A curve through its control points (owned like a polyline's vertices).
struct HostCurveObject {
    std::uint32_t count = 0;
    HostVector3* controlPoints = nullptr;
};

// Forms of a surface (its third 32-bit word).
inline constexpr std::uint32_t kHostSurfacePointGrid = 1;

// A surface as a grid of rows x columns points, row after row (point (r, c) is
// points[r * columns + c]). The first four 32-bit words are rows, columns, form and options;
// HostNewSurface takes them as (form, options, rows, columns). The points are owned by the
// object; edit them in place, never replace the pointer or the counts.
struct HostSurfaceObject {
    std::uint32_t rows = 0;
    std::uint32_t columns = 0;
    std::uint32_t form = kHostSurfacePointGrid;
    std::uint32_t options = 0;
    HostVector3* points = nullptr;
};

// Longest layer name of a layer object (the name buffer holds it and its terminator).
inline constexpr std::size_t kHostLayerObjectNameSize = 30;

// A layer record to add: its number is set with HostSetObjectLayer, its name is zero-terminated.
struct HostLayerObject {
    char name[kHostLayerObjectNameSize] = {};
    std::int32_t visible = 1;
};

// The Windows logical-font record (60 bytes), as the add-in keeps it.
struct HostLogFont {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    char faceName[32] = {};

    friend bool operator==(const HostLogFont&, const HostLogFont&) = default;
};

// The font a text entity is drawn with: the font itself and whether to use it (1) or the host's
// default font (0). The host copies it when the text is added and never keeps the pointer.
struct HostFontRecord {
    HostLogFont font;
    std::int32_t useFont = 1;
};

// A text to add. `text` must be a block from HostAlloc: HostFree of the text object frees it.
struct HostTextObject {
    std::int32_t length = 0;         // characters of `text` to draw
    double height = 0.0;             // character height
    double slant = 0.0;              // slant of the characters in degrees, 0 upright
    double matrix[16] = {};          // orientation of the text, row-major (identity: in XY)
    HostVector3 position;            // start of the base line
    HostFontRecord* font = nullptr;  // null: the host's default font
    char* text = nullptr;
};

// ---- Records ----------------------------------------------------------------------------------

#pragma pack(push, 1)
// A named, numbered view with its 4 x 4 matrix, row-major; the columns of the upper 3 x 3 part
// are the view's x, y and depth axes in world coordinates, column 3 holds the origin.
struct HostViewRecord {
    char name[32];
    std::int16_t number;
    double matrix[16];
    unsigned char reserved[8];
};
#pragma pack(pop)
static_assert(sizeof(HostViewRecord) == 170, "the host's view record is 170 bytes");
static_assert(offsetof(HostViewRecord, number) == 32);
static_assert(offsetof(HostViewRecord, matrix) == 34);
static_assert(sizeof(HostLogFont) == 60, "a logical font record is 60 bytes");
static_assert(sizeof(HostFontRecord) == 64);
static_assert(sizeof(HostSurfaceObject) == 24 && offsetof(HostSurfaceObject, points) == 16);
static_assert(sizeof(HostPolylineObject) == 16 && offsetof(HostPolylineObject, vertices) == 8);

// Zoom request of HostZoomFit: 64 bytes, all zero to fit the whole drawing.
inline constexpr std::size_t kHostZoomBlockSize = 64;

// What HostPasteSource names: the clipboard.
inline constexpr int kHostPasteFromClipboard = 1;

// The one method of HostSelect: the user picks entities on the screen.
inline constexpr int kHostSelectByPicking = 3;

// Bits of HostSelect's mode: the kinds a selection admits; 0 admits every kind.
enum HostSelectionMode : int {
    kHostSelectPoints = 1,
    kHostSelectLines = 2,
    kHostSelectPolylines = 4,
    kHostSelectCurves = 8,
    kHostSelectSurfaces = 16,
    kHostSelectText = 32,
    kHostSelectArcs = 128,
};

// Modes of HostFileOpen: replace the drawing, or merge the file into it.
inline constexpr int kHostOpenReplaces = 0;
inline constexpr int kHostOpenMerges = 1;

// The file type HostFileType gives for the host's drawing files.
inline constexpr int kHostDrawingFileType = 1;

// Results of the adapter that HostSurfaceFromCallback and ...Grid call for every point.
enum HostPointCode : int {
    kHostPointEndOfData = 1,
    kHostPointEndOfRow = 2,
    kHostPointDelivered = 3,
    kHostPointError = 4,
};
// The adapter: fills `xyz` (three doubles) and says what it delivered.
using HostPointAdapter = int (*)(std::FILE* file, double* xyz);

// Opaque window handle of the host's main window. The stand-in host hands out the value of the
// dialog framework's handle as the pointer, reinterpret_cast<HostWindow>(uintptr_t(handle.value));
// the link library turns it back with WindowHandle{uint32_t(uintptr_t(window))}.
using HostWindow = void*;

// ---- The operations table ---------------------------------------------------------------------
// In the order the host hands them out. Results: 0 is success unless stated. Matrices are 16
// doubles, row-major, passed as untyped pointers because they often live in packed view records
// and need not be aligned. A `drawing` argument is the value of HostDrawing.
struct HostApi {
    void* (*HostAlloc)(std::size_t size);  // a block of `size` bytes, zeroed, or null
    int (*HostInvertMatrix)(const void* matrix, void* result);  // result may be matrix
    void (*HostCrossProduct)(HostVector3* result, const HostVector3* a, const HostVector3* b);
    HostWindow (*HostMainWindow)();
    int (*HostCurrentColor)();
    int (*HostCurrentLayer)();
    void (*HostSetColor)(int color);
    void (*HostSetLayer)(int layer);
    int (*HostLayerExists)(int layer);  // 1 if the layer is used
    int (*HostDrawing)();
    HostHandle (*HostFirstEntity)(int drawing);
    HostHandle (*HostNextEntity)(HostHandle handle);  // also after the handle was deleted
    int (*HostEntityValid)(HostHandle handle);        // nonzero for a live entity
    int (*HostEntityKind)(HostHandle handle);         // a HostKind, 0 when not valid
    int (*HostIsSelected)(const void* object);        // nonzero when its entity was selected
    int (*HostObjectLayer)(const void* object);
    HostPointObject* (*HostGetPoint)(HostHandle handle);  // null when not that kind
    HostLineObject* (*HostGetLine)(HostHandle handle);
    HostArcObject* (*HostGetArc)(HostHandle handle);
    HostPolylineObject* (*HostGetPolyline)(HostHandle handle);
    HostCurveObject* (*HostGetCurve)(HostHandle handle);
    HostSurfaceObject* (*HostGetSurface)(HostHandle handle);
    void (*HostFree)(void* object);  // object or block from this table; null is ignored
    void (*HostSetObjectColor)(void* object, int color);
    void (*HostSetObjectLayer)(void* object, int layer);
    HostLayerObject* (*HostNewLayer)();
    HostPointObject* (*HostNewPoint)();
    HostLineObject* (*HostNewLine)();
    HostArcObject* (*HostNewArc)();
    HostTextObject* (*HostNewText)();
    HostSurfaceObject* (*HostNewSurface)(std::uint32_t form, std::uint32_t options,
                                         std::uint32_t rows, std::uint32_t columns);
    int (*HostAddLayer)(int drawing, HostLayerObject* layer);
    int (*HostAddPoint)(int drawing, HostPointObject* point);
    int (*HostAddLine)(int drawing, HostLineObject* line);
    int (*HostAddArc)(int drawing, HostArcObject* arc);
    int (*HostAddText)(int drawing, HostTextObject* text);
    int (*HostAddCurve)(int drawing, HostCurveObject* curve);
    int (*HostAddSurface)(int drawing, HostSurfaceObject* surface);
    int (*HostSelect)(int method, int mode, int reserved1, int reserved2);  // below 0 failed
    void (*HostUnselectAll)();
    int (*HostListViews)(std::uint16_t* buffer, int words);  // count, numbers, 0
    int (*HostGetCView)(HostViewRecord* out);
    int (*HostGetView)(HostViewRecord* out, int number);
    int (*HostTransform)(const HostVector3* point, HostVector3* out, const void* matrix,
                         int flag);  // flag nonzero: a point (moved by column 3)
    int (*HostLayerName)(int layer, char* buffer, int size);
    int (*HostNextLayer)(int layer);  // next used layer above `layer`, below 0 at the end
    int (*HostSurfaceNormal)(const HostSurfaceObject* surface, int side, const HostUV* uv,
                             HostVector3* out);
    int (*HostOffsetSurface)(const HostSurfaceObject* surface, double distance, int side, int mode,
                             HostSurfaceObject** out);
    int (*HostSurfaceFromCallback)(std::FILE* file, int mode, HostPointAdapter adapter);
    int (*HostSurfaceFromCallbackGrid)(std::FILE* file, int mode, HostPointAdapter adapter,
                                       int value2a, int value1a, int value2b, int value1b,
                                       int reserved);
    int (*HostZoomFit)(const void* block);  // kHostZoomBlockSize bytes
    int (*HostPickLocation)(int reserved, HostVector3* out);
    int (*HostDeleteEntity)(HostHandle handle);
    int (*HostSetEntityLayer)(HostHandle handle, int layer);
    int (*HostFileNew)(int reserved, int mode);
    int (*HostFileOpen)(int type, int mode, const char* path);  // mode 1 merges
    int (*HostFileType)(const char* extension);                 // below 0 when unknown
    int (*HostProjectPoint)(const HostSurfaceObject* surface, const HostVector3* point,
                            const HostViewRecord* view, double tolerance, HostVector3* out,
                            int* status);  // success: 0 and status not 1
    int (*HostProjectPointUV)(const HostSurfaceObject* surface, const HostVector3* point,
                              const HostViewRecord* view, double tolerance, HostVector3* out,
                              HostUV* uv);  // view null: nearest surface point
    int (*HostSetView)(int number);
    int (*HostSetCView)(int number);
    int (*HostShowLayer)(int layer, int show);
    int (*HostPasteSource)();
    int (*HostPaste)(int source);
    void (*HostRestoreColor)(int color);
    void (*HostSetSurfaceColor)(HostSurfaceObject* surface, int color);
};

// The entry point of the host's DLL ("SurfcamDllEntryPoint"): two reserved texts (empty), the
// path of a command file and the operations table.
using HostDllEntryPoint = int (*)(const char* reserved1, const char* reserved2, const char* path,
                                  HostApi* api);
