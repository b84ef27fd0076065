// A depth grid node: averaging measured samples, keeping the highest of other values.
#include "hostlink/PointGrid.h"

// Free for any value: nothing stored yet, or flagged as replaceable by the caller.
bool CApiPointGrid::IsFree() const { return sampleCount <= 0 || cellFlag == kReplaceable; }

void CApiPointGrid::SetDepth(int flag, double z) {
    if (IsFree()) {
        OverWriteDepth(flag, z);
    } else if (flag == kMeasured) {
        depthSum += z;
        ++sampleCount;
        cellFlag = kMeasured;
    } else if (z > GetDepth()) {
        // Compared with the mean, not the raw sum: over several samples the sum is not the
        // node's value (and with negative depths it would let a lower value win).
        OverWriteDepth(flag, z);
    }
}

void CApiPointGrid::OverWriteDepth(int flag, double z) {
    depthSum = z;
    cellFlag = static_cast<unsigned char>(flag);
    sampleCount = 1;
}

double CApiPointGrid::GetDepth() const { return sampleCount > 0 ? depthSum / sampleCount : 0.0; }
