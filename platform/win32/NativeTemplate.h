// A dialog and its controls as the system's in-memory dialog template (the extended form, in
// dialog units, with the dialog's font), from which the system's dialog manager creates the
// window and every control.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dialog/Control.h"
#include "platform/dialog/DialogTemplate.h"

namespace win32 {

// One control of a native template.
struct NativeItem {
    std::wstring className;  // a class the system or this backend registered
    std::uint32_t style = 0;
    std::uint32_t extendedStyle = 0;
    std::uint32_t id = 0;
    platform::DialogRect place;
    std::wstring caption;
};

// The identifier the native control at `index` of a dialog gets: the control's own, or for
// one without (labels share kStaticId) one of its own, so that every control is found by it.
[[nodiscard]] std::uint32_t NativeIdOf(const platform::Control& control, std::size_t index);

// The native control that shows `control`: class, styles and its state when made.
[[nodiscard]] NativeItem NativeItemOf(const platform::Control& control, std::uint32_t id);

// The template of a dialog with `face`'s caption, size, font and style and `items`, ready for
// the system's indirect dialog functions. Hidden: the framework shows the window.
[[nodiscard]] std::vector<std::uint8_t> BuildNativeTemplate(const platform::DialogTemplate& face,
                                                            const std::vector<NativeItem>& items);

}  // namespace win32
