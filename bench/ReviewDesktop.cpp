// The height review benchmark on the desktop backend: real widgets on Qt's offscreen platform
// unless a display is chosen.
#include <stdlib.h>

#include "ReviewBackend.h"
#include "platform/desktop/DesktopBackend.h"

std::unique_ptr<platform::DialogBackend> MakeReviewBackend(platform::SessionScript script) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    return std::make_unique<desktop::DesktopBackend>(std::move(script), /*scripted=*/true);
}
