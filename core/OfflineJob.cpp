// Heights of a job without holding surfaces.
#include "core/OfflineJob.h"

namespace core {

void AssignOwnHeights(TableDefinition& table) {
    for (PostLocation* post = table.First(); post != nullptr; post = table.Next())
        post->Hit0.point = post->Post.point;
}

}  // namespace core
