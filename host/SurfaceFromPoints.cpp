// Surfaces built from rows of points that the caller's adapter delivers one at a time.
#include <string>
#include <vector>

#include "host/Host.h"
#include "platform/MessageService.h"

namespace host {
namespace {

// A surface holds at most kMaxEntityPoints points in rows of at least two, so an adapter that
// delivers a surface ends well within this many calls; one that never ends (endless points or
// endless row ends alike) would otherwise keep the host for ever.
constexpr std::size_t kMaxAdapterCalls = 2 * kMaxEntityPoints;

int NoSurface(const std::string& why) {
    platform::ShowMessage("No surface was built from the points: " + why);
    return -1;
}

}  // namespace

// Code 3 delivers the point in the buffer; code 2 ends a row and 1 the data, their buffers are
// not read (the grid form of the link library does not write them). A row end right after
// another (an empty row) is no row.
int Host::SurfaceFromPoints(std::FILE* file, HostPointAdapter adapter) {
    if (!adapter) return -1;
    std::vector<HostVector3> points;
    int columns = 0;
    int rows = 0;
    int inRow = 0;
    for (std::size_t call = 0; call < kMaxAdapterCalls && points.size() <= kMaxEntityPoints;
         ++call) {
        double xyz[3] = {0.0, 0.0, 0.0};
        const int code = adapter(file, xyz);
        if (code == kHostPointDelivered) {
            points.push_back({xyz[0], xyz[1], xyz[2]});
            ++inRow;
            continue;
        }
        if (code == kHostPointError) return -1;  // the adapter has said why: no surface
        if (code != kHostPointEndOfRow && code != kHostPointEndOfData)
            return NoSurface("the adapter gave the unknown code " + std::to_string(code));
        if (inRow > 0) {
            if (rows > 0 && inRow != columns) return NoSurface("the rows are not of equal length");
            columns = inRow;
            ++rows;
            inRow = 0;
        }
        if (code == kHostPointEndOfData) {
            SurfaceGeometry surface{rows, columns, kHostSurfacePointGrid, 0, std::move(points)};
            if (const platform::Status valid = CheckGeometry(surface); !valid)
                return NoSurface(valid.Reason());
            drawing_.Add(std::move(surface), drawing_.CurrentColor(), drawing_.CurrentLayer());
            return 0;
        }
    }
    return NoSurface("the points did not end");
}

}  // namespace host
