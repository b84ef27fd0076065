// The state of the CreateDigSurface call in progress and the adapters the host calls for points.
#include "hostlink/DigPointSource.h"

#include "hostlink/MessageText.h"
#include "hostlink/NoThrow.h"
#include "platform/MessageService.h"

namespace ravelink {
namespace {

void CopyCoordinates(const CApiPoint& point, double* xyz) {
    xyz[0] = point.x;
    xyz[1] = point.y;
    xyz[2] = point.z;
}

// The end of the data: the file's one character and its end are read, so the host finds the
// file used up.
int EndOfData(std::FILE* file) {
    if (file != nullptr) {
        (void)std::fgetc(file);
        (void)std::fgetc(file);
    }
    return kHostPointEndOfData;
}

}  // namespace

DigPointSource& DigSource() {
    static DigPointSource source;
    return source;
}

void ResetDigPointSource() { DigSource() = DigPointSource{}; }

int PointFunctionAdapter(std::FILE* file, double* xyz) {
    return ravelink::NoThrow("PointFunctionAdapter", int{kHostPointError}, [&]() -> int {
        const DigPointSource& source = DigSource();
        // Without a point function there are no points to give: an error stops the host.
        if (source.next == nullptr) return kHostPointError;
        CApiPoint point;  // flag 0, x = y = z = 0
        const int result = source.next(&point);
        if (result < 0) return kHostPointError;
        if (result == kHostPointEndOfData) return EndOfData(file);
        CopyCoordinates(point, xyz);
        return result == kHostPointEndOfRow ? kHostPointEndOfRow : kHostPointDelivered;
    });
}

int PointListAdapter(std::FILE* file, double* xyz) {
    return ravelink::NoThrow("PointListAdapter", int{kHostPointError}, [&]() -> int {
        DigPointSource& source = DigSource();
        if (source.delivered >= source.perRow) {
            source.delivered = 0;
            ++source.row;
            if (source.row < source.rowCount) return kHostPointEndOfRow;
            return EndOfData(file);
        }
        if (source.row >= source.rowCount) return EndOfData(file);
        // A null list has no point at its cursor, like an empty one.
        const CApiPoint* point = source.list != nullptr ? source.list->Get() : nullptr;
        if (point == nullptr) {
            platform::ShowMessage(
                hostlink::MessageText("Error: GetXYZPox %d, %d", source.delivered, source.row));
            return kHostPointError;
        }
        CopyCoordinates(*point, xyz);
        // At the last point the cursor stays, so a short list gives its last point again.
        source.list->GetNext();
        ++source.delivered;
        return kHostPointDelivered;
    });
}

}  // namespace ravelink
