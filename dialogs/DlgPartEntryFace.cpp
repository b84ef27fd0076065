// The part entry dialog's face: the import group (inert), the part name and picks, the fixed
// pair index fixture with its pin and height, the sliding pair index fixture, and the buttons.
#include "dialogs/DlgPartEntry.h"

using platform::ControlKind;
using platform::ControlTemplate;
using platform::MakeControl;

namespace {

constexpr int kBoxWidth = 50;
constexpr int kBoxHeight = 12;
constexpr int kSectionX = 40;
constexpr int kColumnStep = 60;

// The heads "Section", "Row", "Column" over a fixture's boxes.
void AddHeads(std::vector<ControlTemplate>& controls, const std::string& fixture, int y,
              bool disabled) {
    const char* heads[] = {"Section", "Row", "Column"};
    const char* names[] = {"-section-head", "-row-head", "-column-head"};
    for (int i = 0; i < 3; ++i) {
        ControlTemplate head =
            MakeControl(ControlKind::StaticText, platform::kStaticId, fixture + names[i], heads[i],
                        {kSectionX + i * kColumnStep, y, kBoxWidth, 8});
        head.disabled = disabled;
        controls.push_back(head);
    }
}

// A lettered row of a fixture: "A -" or "B -" and its section, row and column boxes.
void AddBoxRow(std::vector<ControlTemplate>& controls, const std::string& fixture, char letter,
               int y, int sectionId, bool disabled) {
    const std::string prefix = fixture + "-" + static_cast<char>(letter - 'A' + 'a');
    ControlTemplate label =
        MakeControl(ControlKind::StaticText, platform::kStaticId, prefix + "-label",
                    letter + std::string(" -"), {14, y + 2, 20, 8});
    label.disabled = disabled;
    controls.push_back(label);
    const char* names[] = {"-section", "-row", "-column"};
    for (int i = 0; i < 3; ++i) {
        ControlTemplate box =
            MakeControl(ControlKind::DropDownList, sectionId + i, prefix + names[i], {},
                        {kSectionX + i * kColumnStep, y, kBoxWidth, kBoxHeight});
        box.disabled = disabled;
        box.verticalScroll = true;
        controls.push_back(box);
    }
}

void AddImportGroup(std::vector<ControlTemplate>& controls) {
    controls.push_back(MakeControl(ControlKind::GroupBox, platform::kStaticId, "import-group",
                                   "Import Geometry/Part File", {7, 7, 218, 50})
                           .Disabled());
    controls.push_back(MakeControl(ControlKind::StaticText, platform::kStaticId,
                                   "import-name-label", "Name", {14, 21, 30, 8})
                           .Disabled());
    controls.push_back(MakeControl(ControlKind::Edit, CDlgPartEntry::kIdImportName, "import-name",
                                   {}, {50, 19, 168, 14})
                           .Border()
                           .Disabled());
    controls.push_back(MakeControl(ControlKind::StaticText, platform::kStaticId,
                                   "import-layer-label", "Import to Layer", {14, 39, 55, 8})
                           .Disabled());
    controls.push_back(MakeControl(ControlKind::Edit, CDlgPartEntry::kIdImportLayer, "import-layer",
                                   {}, {72, 37, 40, 14})
                           .Border()
                           .Disabled());
    controls.push_back(MakeControl(ControlKind::PushButton, CDlgPartEntry::kIdImport, "import",
                                   "Import", {168, 37, 50, 14})
                           .Disabled());
}

void AddFixedPairGroup(std::vector<ControlTemplate>& controls) {
    controls.push_back(MakeControl(ControlKind::GroupBox, platform::kStaticId, "fixed-group",
                                   "TAVRO Fixed Pair Index Fixture", {7, 102, 218, 92}));
    AddHeads(controls, "fixed", 114, /*disabled=*/false);
    AddBoxRow(controls, "fixed", 'A', 125, CDlgPartEntry::kIdFixedASection, /*disabled=*/false);
    AddBoxRow(controls, "fixed", 'B', 141, CDlgPartEntry::kIdFixedBSection, /*disabled=*/true);
    controls.push_back(MakeControl(ControlKind::StaticText, platform::kStaticId, "pin-label",
                                   "Pin Locator", {14, 159, 50, 8}));
    controls.push_back(MakeControl(ControlKind::DropDown, CDlgPartEntry::kIdPinLocator,
                                   "pin-locator", {}, {70, 157, 40, kBoxHeight}));
    controls.push_back(MakeControl(ControlKind::StaticText, platform::kStaticId, "z-height-label",
                                   "Z height", {14, 176, 50, 8}));
    controls.push_back(
        MakeControl(ControlKind::Edit, CDlgPartEntry::kIdZHeight, "z-height", {}, {70, 174, 40, 14})
            .Border());
    controls.push_back(MakeControl(ControlKind::PushButton, CDlgPartEntry::kIdTranslate,
                                   "translate", "Translate into Position", {120, 174, 98, 14}));
}

void AddSlidingPairGroup(std::vector<ControlTemplate>& controls) {
    controls.push_back(MakeControl(ControlKind::GroupBox, platform::kStaticId, "sliding-group",
                                   "TAVRO Sliding Pair Index Fixture", {7, 200, 218, 58})
                           .Disabled());
    AddHeads(controls, "sliding", 212, /*disabled=*/true);
    AddBoxRow(controls, "sliding", 'A', 223, CDlgPartEntry::kIdSlidingASection,
              /*disabled=*/true);
    AddBoxRow(controls, "sliding", 'B', 239, CDlgPartEntry::kIdSlidingBSection,
              /*disabled=*/true);
}

}  // namespace

platform::DialogTemplate CDlgPartEntry::Template() {
    platform::DialogTemplate face;
    face.id = IDD;
    face.caption = "Part Dialog";
    face.width = 232;
    face.height = 314;
    face.style.systemMenu = true;
    std::vector<ControlTemplate>& controls = face.controls;
    AddImportGroup(controls);
    controls.push_back(MakeControl(ControlKind::StaticText, platform::kStaticId, "part-name-label",
                                   "1. Part Name or Number", {7, 65, 90, 8}));
    controls.push_back(
        MakeControl(ControlKind::Edit, kIdPartName, "part-name", {}, {100, 63, 125, 14}).Border());
    controls.push_back(MakeControl(ControlKind::PushButton, kIdPickFixed, "pick-fixed",
                                   "2. Pick Fixed End Circle", {7, 82, 105, 14}));
    controls.push_back(MakeControl(ControlKind::PushButton, kIdPickSliding, "pick-sliding",
                                   "3. Pick Sliding End Circle", {120, 82, 105, 14}));
    AddFixedPairGroup(controls);
    AddSlidingPairGroup(controls);
    controls.push_back(
        MakeControl(ControlKind::PushButton, kIdPreview, "preview", "Preview", {7, 270, 50, 14}));
    controls.push_back(MakeControl(ControlKind::PushButton, platform::kIdCancel, "cancel", "Cancel",
                                   {118, 293, 50, 14}));
    controls.push_back(
        MakeControl(ControlKind::PushButton, platform::kIdOk, "ok", "OK", {175, 293, 50, 14})
            .Default());
    return face;
}
