// The main dialog's face and its steps: table top, part entry, preview, units, options, OK.
#include "dialogs/DlgMain.h"

#include <cstdio>
#include <vector>

#include "core/NumberText.h"
#include "core/TableDefinition.h"
#include "dialogs/DlgOptions.h"
#include "dialogs/DlgPartEntry.h"
#include "dialogs/Preview.h"
#include "hostlink/LinkModule.h"
#include "hostlink/SurfcamCtrl.h"
#include "platform/Invariant.h"
#include "platform/MessageService.h"
#include "platform/dialog/DataExchange.h"
#include "platform/dialog/ListControls.h"
#include "platform/dialog/Window.h"

using platform::ControlKind;
using platform::ControlTemplate;
using platform::MakeControl;

namespace {

constexpr const char* kVersion = "1.0.10";
constexpr double kFullCircle = 6.283185307179586;

// A label of a numbered step, above its edit.
ControlTemplate StepLabel(std::string name, std::string caption, int y) {
    return MakeControl(ControlKind::StaticText, platform::kStaticId, std::move(name),
                       std::move(caption), {7, y, 300, 8});
}

// A numbered file step: its label, the edit below it and the "..." button beside the edit.
void AddFileStep(std::vector<ControlTemplate>& controls, const std::string& name,
                 const char* caption, int y, int editId, bool editEnabled) {
    controls.push_back(StepLabel(name + "-label", caption, y));
    ControlTemplate edit =
        MakeControl(ControlKind::Edit, editId, name + "-file", {}, {7, y + 10, 290, 14}).Border();
    if (!editEnabled) edit.Disabled();
    controls.push_back(edit);
    controls.push_back(MakeControl(ControlKind::PushButton, editId + 1, name + "-browse", "...",
                                   {300, y + 10, 20, 14})
                           .Disabled());
}

}  // namespace

CDlgMain::CDlgMain(platform::WindowHandle owner) : Dialog(IDD, owner) {
    Job.AboutText = FormatAboutText(kVersion, __DATE__, __TIME__);
    using platform::Notification;
    OnCommand(kIdDrawTableTop, Notification::Clicked, [this] { DrawTableTop(); });
    OnCommand(kIdAddSetup, Notification::Clicked, [this] { AddSetup(); });
    OnCommand(kIdPreview, Notification::Clicked, [this] { ShowPreview(); });
    OnCommand(kIdMillimetre, Notification::Clicked, [this] { KeepMillimetre(); });
    OnCommand(kIdOptions, Notification::Clicked, [this] { OpenOptions(); });
}

std::string CDlgMain::FormatAboutText(const char* version, const char* date, const char* time) {
    constexpr const char* kFormat =
        "Copyright (C) Tarnwick Software LLC. All rights reserved.\n"
        "Version %s built on %s at %s";
    char text[256];
    std::snprintf(text, sizeof text, kFormat, version, date, time);
    return text;
}

platform::DialogTemplate CDlgMain::Template() {
    platform::DialogTemplate face;
    face.id = IDD;
    face.caption = "TAVRO Programmer by Kestrane";
    face.width = 327;
    face.height = 316;
    face.style.centred = true;
    face.style.systemMenu = true;
    std::vector<ControlTemplate>& controls = face.controls;
    controls.push_back(StepLabel("units-label", "1. Input part units", 7));
    controls.push_back(
        MakeControl(ControlKind::CheckBox, kIdInch, "inch", "Inch", {15, 18, 40, 10}).Disabled());
    controls.push_back(
        MakeControl(ControlKind::CheckBox, kIdMeter, "meter", "Meter", {60, 18, 40, 10})
            .Disabled());
    controls.push_back(MakeControl(ControlKind::CheckBox, kIdCentimeter, "centimeter", "Centimeter",
                                   {105, 18, 55, 10})
                           .Disabled());
    controls.push_back(MakeControl(ControlKind::CheckBox, kIdMillimetre, "millimeter", "Millimeter",
                                   {165, 18, 55, 10})
                           .Checked());
    controls.push_back(MakeControl(ControlKind::PushButton, kIdDrawTableTop, "draw-table-top",
                                   "2. Draw Table Top", {7, 32, 110, 14}));
    controls.push_back(MakeControl(ControlKind::StaticText, platform::kStaticId, "layer-label",
                                   "Layer", {125, 35, 22, 8}));
    controls.push_back(MakeControl(ControlKind::Edit, kIdLayer, "layer", {}, {150, 32, 40, 14})
                           .Border()
                           .Disabled());
    controls.push_back(
        MakeControl(ControlKind::ListView, kIdPartList, "parts", {}, {7, 50, 183, 50}).Border());
    controls.push_back(MakeControl(ControlKind::PushButton, kIdAddSetup, "add-setup",
                                   "3. Add Setup Information", {7, 104, 110, 14}));
    controls.push_back(
        MakeControl(ControlKind::PushButton, kIdPreview, "preview", "Preview", {122, 104, 50, 14}));
    controls.push_back(MakeControl(ControlKind::PushButton, kIdDeletePart, "delete-part",
                                   "Delete Part", {177, 104, 50, 14})
                           .Hidden());
    controls.push_back(MakeControl(ControlKind::PushButton, kIdHoldingColour,
                                   "holding-surface-colour", "4. Pick Holding Surface Color",
                                   {7, 121, 110, 14})
                           .Disabled());
    AddFileStep(controls, "fixture", "5. TAVRO Output Fixture File", 138, kIdTableFile, true);
    AddFileStep(controls, "cls-input", "6. Input APT CLS file", 166, kIdClsInputFile, false);
    AddFileStep(controls, "cls-output", "7. Output APT CLS file for Duck and Unduck Commands", 194,
                kIdClsOutputFile, false);
    AddFileStep(controls, "program", "8. TAVRO Output Program File", 222, kIdProgramFile, true);
    // 200 x 80 pixels of the 8-point font's dialog units.
    controls.push_back(
        MakeControl(ControlKind::Bitmap, kIdLogo, "logo", kLogoBitmap, {7, 250, 134, 50}));
    controls.push_back(
        MakeControl(ControlKind::StaticText, kIdAbout, "about", {}, {150, 250, 170, 36}).Centred());
    controls.push_back(
        MakeControl(ControlKind::PushButton, kIdOptions, "options", "Options", {160, 295, 50, 14}));
    controls.push_back(MakeControl(ControlKind::PushButton, platform::kIdCancel, "cancel", "Cancel",
                                   {215, 295, 50, 14}));
    controls.push_back(
        MakeControl(ControlKind::PushButton, platform::kIdOk, "ok", "OK", {270, 295, 50, 14})
            .Default());
    return face;
}

bool CDlgMain::OnInitDialog() {
    Dialog::OnInitDialog();
    Item<platform::ListView>(kIdPartList).InsertColumn(0, {"Part Name", 80});
    return true;
}

void CDlgMain::DoDataExchange(platform::DataExchange& exchange) {
    exchange.Text(kIdProgramFile, Job.ProgramFilePath);
    exchange.Text(kIdTableFile, Job.TableDefinitionPath);
    exchange.Text(kIdLayer, Job.LayerText);
    exchange.Check(kIdMillimetre, Job.Millimetre);
    exchange.Text(kIdAbout, Job.AboutText);
}

platform::WindowHandle CDlgMain::HostWindow() const {
    TAVRO_INVARIANT(Job.Controller != nullptr, "set Job.Controller before DoModal");
    return ravelink::WindowOfHost(Job.Controller->GetSurfcamWindowHandle());
}

void CDlgMain::DrawTableTop() {
    UpdateData(true);
    TAVRO_INVARIANT(Job.Controller != nullptr, "set Job.Controller before DoModal");
    TableDefinition table;
    table.Read(Job.TableDefinitionPath);  // a missing file draws nothing, without a message
    const auto scanned = core::numbertext::ScanInt(Job.LayerText.c_str());
    const int layer = scanned ? scanned->value : 0;
    Job.Controller->CreateLayer(layer, kTableLayerName);
    for (size_t i = 0; i < table.PostCount(); ++i) {
        CApiArc circle;
        circle.center = table.PostAt(i).Post.point;
        circle.normal = CApiVect{0, 0, 1};
        circle.startDir = CApiVect{1, 0, 0};
        circle.sweep = kFullCircle;
        circle.radius = table.EndDeflectorRadius;
        Job.Controller->CreateArc(circle, layer, kTableTopColour);
    }
}

void CDlgMain::AddSetup() {
    UpdateData(true);
    CDlgPartEntry entry;
    entry.Part.Table.Read(Job.TableDefinitionPath);
    entry.Part.Controller = Job.Controller;
    Show(false);
    platform::SetFocus(HostWindow());
    if (entry.DoModal() == platform::kResultOk) {
        Item<platform::ListView>(kIdPartList).Items().Insert(Job.PartCount, entry.Part.PartName);
        ++Job.PartCount;
    }
    Show(true);
}

void CDlgMain::ShowPreview() {
    const platform::WindowHandle host = HostWindow();
    platform::SetForegroundWindow(host);
    Show(false);
    CPreview preview;
    if (preview.Create()) {
        preview.Show(true);
        platform::EnableWindow(host, true);
        platform::SetForegroundWindow(host);
        // Only "Close Preview" ends the look; a cancel from the keyboard is not an answer.
        while (preview.RunModalLoop() != platform::kResultOk) {
        }
        platform::EnableWindow(host, false);
        preview.DestroyWindow();
    }
    Show(true);
}

void CDlgMain::KeepMillimetre() {
    UpdateData(true);
    Job.Millimetre = 1;
    UpdateData(false);
}

void CDlgMain::OpenOptions() {
    CDlgOptions options;
    options.DoModal();  // the options are not used by the job
}

void CDlgMain::OnOK() {
    UpdateData(true);
    if (Job.ProgramFilePath.empty()) {
        platform::ShowMessage("TAVRO Program file name is Empty");
        return;
    }
    EndDialog(platform::kResultOk);
}
