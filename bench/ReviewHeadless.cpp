// The height review benchmark on the headless backend.
#include "ReviewBackend.h"
#include "platform/dialog/HeadlessBackend.h"

std::unique_ptr<platform::DialogBackend> MakeReviewBackend(platform::SessionScript script) {
    return std::make_unique<platform::HeadlessBackend>(std::move(script));
}
