// The options dialog's face. OK and Cancel both just close it (the framework's defaults); no
// field is bound, so nothing is loaded into or read from its controls.
#include "dialogs/DlgOptions.h"

using platform::ControlKind;
using platform::ControlTemplate;
using platform::MakeControl;

namespace {

// One lettered row of two independent check boxes "Inch" and "Metric".
void AddUnitRow(std::vector<ControlTemplate>& controls, const std::string& letter,
                const char* caption, int y, int inchId) {
    controls.push_back(MakeControl(ControlKind::StaticText, platform::kStaticId, letter + "-label",
                                   caption, {7, y + 1, 200, 8}));
    controls.push_back(
        MakeControl(ControlKind::CheckBox, inchId, letter + "-inch", "Inch", {215, y, 50, 10}));
    controls.push_back(MakeControl(ControlKind::CheckBox, inchId + 1, letter + "-metric", "Metric",
                                   {275, y, 50, 10}));
}

// One lettered row of a label and an edit.
void AddEditRow(std::vector<ControlTemplate>& controls, const std::string& letter,
                const char* caption, const char* editName, int y, int editId) {
    controls.push_back(MakeControl(ControlKind::StaticText, platform::kStaticId, letter + "-label",
                                   caption, {7, y + 3, 200, 8}));
    controls.push_back(
        MakeControl(ControlKind::Edit, editId, editName, {}, {215, y, 135, 14}).Border());
}

}  // namespace

platform::DialogTemplate CDlgOptions::Template() {
    platform::DialogTemplate face;
    face.id = IDD;
    face.caption = "Options";
    face.width = 357;
    face.height = 191;
    face.style.systemMenu = true;
    std::vector<ControlTemplate>& controls = face.controls;
    AddUnitRow(controls, "a", "a. Input Part Units Default", 7, kIdInputInch);
    AddUnitRow(controls, "b", "b. TAVRO Output Units Default", 21, kIdOutputInch);
    AddUnitRow(controls, "c", "c. TAVRO Machine Table Definition Units", 35, kIdTableInch);
    controls.push_back(MakeControl(ControlKind::StaticText, platform::kStaticId, "d-label",
                                   "d. TAVRO Machine Table Definition File", {7, 50, 200, 8}));
    controls.push_back(
        MakeControl(ControlKind::Edit, kIdTableFile, "d-file", {}, {7, 61, 318, 14}).Border());
    controls.push_back(MakeControl(ControlKind::PushButton, kIdTableFileBrowse, "d-browse", "...",
                                   {330, 61, 20, 14})
                           .Disabled());
    AddEditRow(controls, "e", "e. TAVRO Output Graphics Layer", "e-layer", 81, kIdGraphicsLayer);
    AddEditRow(controls, "f", "f. TAVRO End Defector Diameter", "f-diameter", 99,
               kIdDeflectorDiameter);
    AddEditRow(controls, "g", "g. TAVRO End Defector Thickness", "g-thickness", 117,
               kIdDeflectorThickness);
    AddEditRow(controls, "h", "h. TAVRO Max Angle From Machine Table IJK", "h-max-angle", 135,
               kIdMaxAngle);
    controls.push_back(MakeControl(ControlKind::PushButton, platform::kIdCancel, "cancel", "Cancel",
                                   {246, 170, 50, 14}));
    controls.push_back(
        MakeControl(ControlKind::PushButton, platform::kIdOk, "ok", "OK", {300, 170, 50, 14})
            .Default());
    return face;
}
