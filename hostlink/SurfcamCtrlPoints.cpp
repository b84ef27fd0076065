// CSurfcamCtrl: point lists and cloud grids filled from the drawing's points and polylines, and
// surfaces that the host builds from rows of points handed over through the temporary file.
#include <filesystem>
#include <system_error>

#include "hostlink/CloudGrid.h"
#include "hostlink/DigPointSource.h"
#include "hostlink/LinkState.h"
#include "hostlink/MessageText.h"
#include "hostlink/NoThrow.h"
#include "hostlink/PointList.h"
#include "hostlink/SurfcamCtrl.h"
#include "platform/MessageService.h"
#include "platform/Paths.h"

using ravelink::DigPointSource;
using ravelink::DigSource;
using ravelink::Host;

namespace {

constexpr const char* kHandOverFilePath = "c:\\ravelink03.tmp";

// Flags of the points taken from the drawing.
constexpr unsigned char kSinglePointFlag = 0;
constexpr unsigned char kPolylineStartFlag = 2;
constexpr unsigned char kPolylineNextFlag = 3;

CApiPoint PointOf(const HostVector3& v, unsigned char flag) {
    return CApiPoint{flag, v.x, v.y, v.z};
}

// Walks every entity of the drawing, selected or not, in the host's order, and gives `take` each
// point entity and, with `withPolylines`, each polyline vertex, in world coordinates.
template <typename Take>
void TakeDrawingPoints(int& drawing, bool withPolylines, Take take) {
    HostApi& host = Host();
    drawing = host.HostDrawing();
    host.HostGetCView(&ravelink::State().cview);
    for (HostHandle h = host.HostFirstEntity(drawing); host.HostEntityValid(h);
         h = host.HostNextEntity(h)) {
        const int kind = host.HostEntityKind(h);
        if (kind == static_cast<int>(HostKind::Point)) {
            HostPointObject* point = host.HostGetPoint(h);
            if (point == nullptr) continue;
            take(PointOf({point->x, point->y, point->z}, kSinglePointFlag));
            host.HostFree(point);
        } else if (withPolylines && kind == static_cast<int>(HostKind::Polyline)) {
            HostPolylineObject* polyline = host.HostGetPolyline(h);
            if (polyline == nullptr) continue;
            for (std::uint32_t i = 0; polyline->vertices != nullptr && i < polyline->count; ++i)
                take(PointOf(polyline->vertices[i],
                             i == 0 ? kPolylineStartFlag : kPolylineNextFlag));
            host.HostFree(polyline);
        }
    }
}

// The temporary file through which the host is handed the points: deleted, created anew with one
// character and opened for reading; closed and deleted again when the hand-over ends. The host
// reads its points from the adapter; the file only has to be open beside it.
class HandOverFile {
public:
    HandOverFile() : path_(platform::MapPath(kHandOverFilePath)) {
        std::error_code ignored;  // a file that was not there, or cannot go, shows at the open
        std::filesystem::remove(path_, ignored);
        if (std::FILE* fresh = platform::OpenFile(path_, "w")) {
            std::fputc('a', fresh);
            std::fclose(fresh);
        }
        file_ = platform::OpenFile(path_, "r");
    }
    ~HandOverFile() {
        if (file_ == nullptr) return;
        std::fclose(file_);
        std::error_code ignored;  // nothing is lost if it stays: the next hand-over recreates it
        std::filesystem::remove(path_, ignored);
    }
    HandOverFile(const HandOverFile&) = delete;
    HandOverFile& operator=(const HandOverFile&) = delete;

    [[nodiscard]] std::FILE* get() const { return file_; }

private:
    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
};

// Installs `values` as the source of the hand-over and calls the host through `callHost` with the
// open temporary file. One hand-over at a time: a second one started from inside the first (by
// its point function) would overwrite the first one's source.
template <typename CallHost>
void HandOverPoints(const DigPointSource& values, CallHost callHost) {
    DigPointSource& source = DigSource();
    if (source.inProgress) {
        platform::ShowMessage(
            "A surface is already being built from points; this one is not built.");
        return;
    }
    const HandOverFile file;
    if (file.get() == nullptr) {
        platform::ShowMessage(hostlink::MessageText(
            "The temporary file %s could not be opened; no surface was built.", kHandOverFilePath));
        return;
    }
    source = values;
    source.inProgress = true;
    struct EndOfHandOver {
        ~EndOfHandOver() { DigSource().inProgress = false; }
    } end;
    callHost(file.get());
}

}  // namespace

bool CSurfcamCtrl::LoadPointList(CApiPointLst* list) {
    return ravelink::NoThrow("LoadPointList", false, [&] {
        if (list == nullptr) return true;  // nowhere to put the points: the drawing is not read
        TakeDrawingPoints(drawing, /*withPolylines=*/false, [list](CApiPoint p) { list->Add(&p); });
        return true;
    });
}

bool CSurfcamCtrl::LoadCloudGrid(CApiCloudGrid* grid) {
    return ravelink::NoThrow("LoadCloudGrid", false, [&] {
        if (grid == nullptr) return true;
        TakeDrawingPoints(drawing, /*withPolylines=*/true,
                          [grid](CApiPoint p) { grid->AddPoint(&p); });
        return true;
    });
}

int CSurfcamCtrl::CreateDigSurface(int (*next)(CApiPoint*), int mode, int layer, int color) {
    return ravelink::NoThrow("CreateDigSurface", -1, [&] {
        set_color_and_layer(color, layer);
        DigPointSource values;
        values.next = next;
        HandOverPoints(values, [mode](std::FILE* file) {
            Host().HostSurfaceFromCallback(file, mode, ravelink::PointFunctionAdapter);
        });
        return 0;
    });
}

int CSurfcamCtrl::CreateDigSurface(CApiPointLst* list, int perRow, int rowCount, int mode,
                                   int value1, int value2, int layer, int color) {
    return ravelink::NoThrow("CreateDigSurface", -1, [&] {
        set_color_and_layer(color, layer);
        DigPointSource values;
        values.list = list;
        values.perRow = perRow;
        values.rowCount = rowCount;
        HandOverPoints(values, [=](std::FILE* file) {
            if (list != nullptr) list->GetFirst();
            Host().HostSurfaceFromCallbackGrid(file, mode, ravelink::PointListAdapter, value2,
                                               value1, value2, value1, 0);
        });
        return 0;
    });
}
