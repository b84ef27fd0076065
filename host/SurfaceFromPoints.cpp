// Surfaces built from rows of points that the caller's adapter delivers one at a time.
#include <vector>

#include "host/Host.h"
#include "platform/MessageService.h"

namespace host {
namespace {

int NoSurface(const std::string& why) {
    platform::ShowMessage("No surface was built from the points: " + why);
    return -1;
}

}  // namespace

int Host::SurfaceFromPoints(std::FILE* file, HostPointAdapter adapter) {
    if (!adapter) return -1;
    std::vector<HostVector3> points;
    int columns = 0;
    int rows = 0;
    int inRow = 0;
    // An adapter that never reports the end would otherwise keep the host here for ever.
    while (points.size() <= kMaxEntityPoints) {
        double xyz[3] = {0.0, 0.0, 0.0};
        const int code = adapter(file, xyz);
        if (code == kHostPointDelivered) {
            points.push_back({xyz[0], xyz[1], xyz[2]});
            ++inRow;
            continue;
        }
        if (code != kHostPointEndOfRow && code != kHostPointEndOfData)
            return -1;  // the adapter reported an error: no surface
        if (inRow > 0) {
            if (rows > 0 && inRow != columns) return NoSurface("the rows are not of equal length");
            columns = inRow;
            ++rows;
            inRow = 0;
        }
        if (code == kHostPointEndOfData) {
            SurfaceGeometry surface{rows, columns, kHostSurfacePointGrid, 0, std::move(points)};
            const std::string fault = GeometryFault(surface);
            if (!fault.empty()) return NoSurface(fault);
            drawing_.Add(std::move(surface), drawing_.CurrentColor(), drawing_.CurrentLayer());
            return 0;
        }
    }
    return NoSurface("the points did not end");
}

}  // namespace host
