// CSurfcamCtrl: construction, binding to the host, colours and layers, font, window and views.
#include "hostlink/SurfcamCtrl.h"

#include <cstdio>

#include "hostlink/LinkModule.h"
#include "hostlink/LinkState.h"
#include "hostlink/NoThrow.h"
#include "hostlink/ProgressBox.h"

using ravelink::Host;

CSurfcamCtrl::CSurfcamCtrl() { ravelink::State().api = nullptr; }

CSurfcamCtrl::~CSurfcamCtrl() = default;

void CSurfcamCtrl::Setup(void* hostApi) {
    ravelink::NoThrow("Setup", [&] {
        const ravelink::LibraryModuleScope module;
        ravelink::State().api = static_cast<HostApi*>(hostApi);
        curColor = savedColor = Host().HostCurrentColor();
        curLayer = savedLayer = Host().HostCurrentLayer();
        hostWindow = Host().HostMainWindow();
        drawing = Host().HostDrawing();
        ravelink::CreateProgressBox();
        ravelink::SetProgressText("Api is fully setup");
    });
}

void CSurfcamCtrl::Shutdown() {
    ravelink::NoThrow("Shutdown", [&] {
        const ravelink::LibraryModuleScope module;
        if (selectResult == 0) {
            Host().HostUnselectAll();
            selectResult = -1;
        }
        Host().HostUnselectAll();
        Host().HostRestoreColor(savedColor);
        Host().HostSetLayer(savedLayer);
        ravelink::DestroyProgressBox();
        ResetSurfaceList();
        ravelink::EnableAndFocusWindow(hostWindow);
    });
}

void CSurfcamCtrl::update_message(char* text) {
    ravelink::NoThrow("update_message", [&] {
        const ravelink::LibraryModuleScope module;
        ravelink::SetProgressText(text != nullptr ? text : "");
    });
}

void CSurfcamCtrl::update_message(const char* text) { update_message(const_cast<char*>(text)); }

void CSurfcamCtrl::SetCurrentColor(int color) {
    if (color == -2) {
        color = savedColor;
        Host().HostRestoreColor(color);
    } else {
        Host().HostSetColor(color);
    }
    curColor = color;
}

void CSurfcamCtrl::SetCurrentLayer(int layer) {
    if (layer == -2) layer = savedLayer;
    Host().HostSetLayer(layer);
    curLayer = layer;
}

void CSurfcamCtrl::set_color_and_layer(int color, int layer) {
    if (color >= 0 && color != curColor) SetCurrentColor(color);
    if (layer >= 0 && layer != curLayer) {
        Host().HostSetLayer(layer);
        curLayer = layer;
    }
}

void CSurfcamCtrl::SetupFont(LOGFONTA* newFont) {
    if (newFont == nullptr) {
        fontSet = false;
        return;
    }
    font = *newFont;
    fontSet = true;
}

HWND CSurfcamCtrl::GetSurfcamWindowHandle() { return Host().HostMainWindow(); }

void CSurfcamCtrl::SetViewNum(int n) { Host().HostSetView(n); }

void CSurfcamCtrl::SetCViewNum(int n) { Host().HostSetCView(n); }
