// The backend the height review benchmark runs on, defined by the file linked beside it.
#pragma once

#include <memory>

#include "platform/dialog/DialogBackend.h"
#include "platform/dialog/SessionScript.h"

// A backend that plays `script`.
[[nodiscard]] std::unique_ptr<platform::DialogBackend> MakeReviewBackend(
    platform::SessionScript script);
