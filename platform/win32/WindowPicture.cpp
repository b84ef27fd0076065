// A window's picture copied into a bitmap file.
#include "platform/win32/WindowPicture.h"

#include <fstream>
#include <vector>

#include "platform/windows/SystemHeaders.h"

#include "platform/win32/MessageLoop.h"

namespace win32 {

bool SaveWindowPicture(NativeWindow window, const std::filesystem::path& file) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    RECT place{};
    GetWindowRect(window, &place);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    if (width <= 0 || height <= 0) return false;

    // The window's own surface, frame included: what it drew, whether or not the display
    // shows it yet.
    HDC surface = GetWindowDC(window);
    HDC memory = CreateCompatibleDC(surface);
    HBITMAP picture = CreateCompatibleBitmap(surface, width, height);
    HGDIOBJ old = SelectObject(memory, picture);
    const bool copied = BitBlt(memory, 0, 0, width, height, surface, 0, 0, SRCCOPY) != FALSE;
    SelectObject(memory, old);

    // Rows of 24-bit pixels, bottom row first, each padded to 4 bytes: the file's own layout.
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD rowSize = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    std::vector<char> pixels(static_cast<std::size_t>(rowSize) * height);
    const bool read =
        copied && GetDIBits(memory, picture, 0, static_cast<UINT>(height), pixels.data(),
                            reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == height;
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(window, surface);
    if (!read) return false;

    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(header);
    fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&fileHeader), sizeof(fileHeader));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

}  // namespace win32
