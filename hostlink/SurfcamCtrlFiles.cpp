// CSurfcamCtrl: host files, merging onto a layer, pasting through the clipboard, the host DLL
// and the display.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "hostlink/LinkState.h"
#include "hostlink/NoThrow.h"
#include "hostlink/SurfcamCtrl.h"
#include "platform/Clipboard.h"
#include "platform/DynamicLibrary.h"
#include "platform/InputFile.h"
#include "platform/MessageService.h"
#include "platform/Paths.h"

using ravelink::Host;

namespace {

constexpr const char* kHostDllPath = "c:\\Surfcam\\SrpApiV3\\cadlsilent.dll";
constexpr const char* kHostDllEntry = "SurfcamDllEntryPoint";
constexpr const char* kClipFormatName = "SC2005 Clip Format";
constexpr const char* kDrawingExtension = "scprt";

// A file's bytes in a buffer of their own.
struct FileBytes {
    std::unique_ptr<unsigned char[]> data;
    std::size_t size = 0;
};

// The whole file at `path`, or none when it cannot be opened, is not a regular file, cannot be
// read, or is too large for memory; the file is closed again in every case.
std::optional<FileBytes> ReadWholeFile(const char* path) {
    const platform::Expected<platform::FileHandle> input =
        platform::OpenInputFile(platform::MapPath(path));
    if (!input) return std::nullopt;
    std::FILE* const file = input->get();
    const std::optional<std::uint64_t> length = platform::SizeOfOpenFile(file);
    if (!length || *length > std::numeric_limits<std::size_t>::max()) return std::nullopt;
    FileBytes bytes{nullptr, static_cast<std::size_t>(*length)};
    // No buffer: the paste stops, as when the file cannot be opened.
    bytes.data.reset(new (std::nothrow) unsigned char[std::max<std::size_t>(bytes.size, 1)]);
    if (!bytes.data) return std::nullopt;
    if (std::fread(bytes.data.get(), 1, bytes.size, file) != bytes.size) return std::nullopt;
    return bytes;
}

}  // namespace

int CSurfcamCtrl::FileNew(int mode) { return Host().HostFileNew(0, mode); }

int CSurfcamCtrl::FileOpen(int type, int mode, char* path) {
    return Host().HostFileOpen(type, mode, path);
}

int CSurfcamCtrl::FileOpen(char* extension, int mode, char* path) {
    return Host().HostFileOpen(Host().HostFileType(extension), mode, path);
}

int CSurfcamCtrl::FileSave() { return -1; }

int CSurfcamCtrl::FileSaveAs(char* /*path*/) {
    (void)Host().HostFileType(kDrawingExtension);
    return -1;
}

int CSurfcamCtrl::FileMergeReLayer(char* extension, char* path, int layer, int group) {
    HostApi& host = Host();
    const int type = host.HostFileType(extension);
    const HostHandle last = ravelink::LastEntity(drawing);
    const bool hadEntities = host.HostEntityValid(last) != 0;
    bool merged = !hadEntities;
    host.HostUnselectAll();
    host.HostFileOpen(type, kHostOpenMerges, path);
    CreateLayer(layer, path);
    const bool collect = group != -1 && ravelink::IsGroup(group);
    for (HostHandle h = host.HostFirstEntity(drawing); host.HostEntityValid(h);
         h = host.HostNextEntity(h)) {
        if (hadEntities && h.high == last.high) {
            merged = true;
            continue;
        }
        if (!merged) continue;
        host.HostSetEntityLayer(h, layer);
        if (collect && host.HostEntityKind(h) == static_cast<int>(HostKind::Surface)) {
            if (HostSurfaceObject* surface = host.HostGetSurface(h))
                ravelink::AppendSurface(group, surface);
        }
    }
    if (collect) {
        ravelink::SurfaceGroupStore& store = ravelink::State().groups;
        store.cursors[group] = store.lists[group].BlockCount() > 0 ? 0 : -1;
        store.loaded[group] = 1;
    }
    return 0;
}

void CSurfcamCtrl::Paste_Operation(char* path) {
    ravelink::NoThrow("Paste_Operation", [&] {
        if (path == nullptr || *path == '\0') return;
        const std::optional<FileBytes> bytes = ReadWholeFile(path);
        if (!bytes) return;
        if (!platform::OpenClipboard(nullptr)) return;
        // The clipboard is closed and a block it did not take is freed on every way out.
        struct ClipboardCloser {
            ~ClipboardCloser() { platform::CloseClipboard(); }
        };
        struct BlockOwner {
            platform::GlobalHandle block;
            ~BlockOwner() {
                if (block != platform::GlobalHandle::None) platform::FreeGlobal(block);
            }
        };
        {
            const ClipboardCloser closer;
            BlockOwner owner{platform::AllocateGlobal(bytes->size)};
            if (owner.block != platform::GlobalHandle::None) {
                const platform::ClipboardFormat format =
                    platform::RegisterClipboardFormat(kClipFormatName);
                std::memcpy(platform::LockGlobal(owner.block), bytes->data.get(), bytes->size);
                platform::UnlockGlobal(owner.block);
                if (platform::SetClipboardData(format, owner.block))
                    owner.block = platform::GlobalHandle::None;  // the clipboard owns it now
            }
        }
        Host().HostPaste(Host().HostPasteSource());
    });
}

void CSurfcamCtrl::Paste_Operation(const std::string& path) {
    ravelink::NoThrow("Paste_Operation", [&] {
        std::vector<char> text(path.begin(), path.end());
        text.push_back('\0');
        Paste_Operation(text.data());
    });
}

void CSurfcamCtrl::Read_CDL(char* path, int /*extra: not used*/) {
    ravelink::NoThrow("Read_CDL", [&] {
        const auto library = platform::DynamicLibrary::Load(kHostDllPath);
        if (!library) {
            platform::ShowMessage("DLL open failed");
            return;
        }
        if (const auto entry = library->FunctionNamed<HostDllEntryPoint>(kHostDllEntry))
            entry("", "", path != nullptr ? path : "", ravelink::State().api);
    });
}

void CSurfcamCtrl::Screen_Fit() {
    const unsigned char zeros[kHostZoomBlockSize] = {};
    Host().HostZoomFit(zeros);
}

void CSurfcamCtrl::Screen_UnZoom() {}
