// The part entry dialog's behaviour: initial display, the index fixture boxes, the two circle
// picks in the host and the move of the part geometry onto the chosen pin.
#include "dialogs/DlgPartEntry.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/NumberText.h"
#include "hostlink/LinkModule.h"
#include "hostlink/SurfcamCtrl.h"
#include "platform/MessageService.h"
#include "platform/dialog/DataExchange.h"
#include "platform/dialog/ListControls.h"
#include "platform/dialog/Window.h"

using platform::ComboBox;
using platform::Notification;

namespace {

// A sliding centre may lie this far above or below the fixed centre and still count as level.
constexpr double kLevelTolerance = 0.001;
// Coordinates are binary: 20.001 - 20 comes out a little above 0.001, yet the circle lies 0.001
// off. Far below any difference that matters (0.0011 is refused).
constexpr double kRoundingSlack = 1e-9;
constexpr int kPinCount = 6;

// Each row of index boxes runs section, row, column from its section box.
constexpr int kRowOffset = 1;
constexpr int kColumnOffset = 2;
constexpr int kSectionBoxes[] = {CDlgPartEntry::kIdFixedASection, CDlgPartEntry::kIdFixedBSection,
                                 CDlgPartEntry::kIdSlidingASection,
                                 CDlgPartEntry::kIdSlidingBSection};

[[nodiscard]] bool IsPicked(const CApiArc& circle) { return circle.center.x != NotSet; }

[[nodiscard]] bool IsFinite(const CApiPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// The whole decimal number of an entry's text, none for any other text.
[[nodiscard]] std::optional<int> EntryNumber(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

CDlgPartEntry::CDlgPartEntry(platform::WindowHandle owner) : Dialog(IDD, owner) {
    OnCommand(kIdPickFixed, Notification::Clicked, [this] { PickFixedEnd(); });
    OnCommand(kIdPickSliding, Notification::Clicked, [this] { PickSlidingEnd(); });
    OnCommand(kIdTranslate, Notification::Clicked, [this] { TranslatePart(); });
    for (const int box : {kIdFixedASection, kIdFixedARow, kIdFixedAColumn, kIdPinLocator})
        OnCommand(box, Notification::SelectionChanged, [this] { UpdateIndexFixtures(); });
}

CSurfcamCtrl& CDlgPartEntry::Controller() const {
    TAVRO_INVARIANT(Part.Controller != nullptr,
                    "the part dialog drives the host: set Part.Controller before DoModal");
    return *Part.Controller;
}

void CDlgPartEntry::DoDataExchange(platform::DataExchange& exchange) {
    exchange.Text(kIdPartName, Part.PartName);
    exchange.Text(kIdImportName, Part.ImportFileName);
    exchange.Text(kIdImportLayer, Part.ImportLayer);
    exchange.Text(kIdZHeight, Part.ZHeight);
}

bool CDlgPartEntry::OnInitDialog() {
    UpdateData(false);
    ComboBox& pin = Item<ComboBox>(kIdPinLocator);
    for (int i = 1; i <= kPinCount; ++i) pin.Insert(-1, std::to_string(i));
    UpdateData(true);
    FillIndexBoxes();
    pin.Select(pin.Entries().FindExact("1"));
    UpdateData(false);
    return true;
}

void CDlgPartEntry::FillIndexBoxes() {
    numbers_ = dialogs::ListPostNumbers(Part.Table);
    const dialogs::PostNumberList* lists[] = {&numbers_.sections, &numbers_.rows,
                                              &numbers_.columns};
    for (const int sectionBox : kSectionBoxes) {
        for (int offset = 0; offset < 3; ++offset) {
            ComboBox& box = Item<ComboBox>(sectionBox + offset);
            for (const int number : lists[offset]->Numbers())
                box.Insert(-1, std::to_string(number));
            SelectNumber(sectionBox + offset, *lists[offset], 1);
        }
    }
}

void CDlgPartEntry::OnShowWindow(bool shown) {
    (void)shown;
    // The dialog may be shown before the opener's controller is of use (a face check).
    if (Part.Controller != nullptr)
        platform::SetForegroundWindow(
            ravelink::WindowOfHost(Part.Controller->GetSurfcamWindowHandle()));
    BringToForeground();
}

CDlgPartEntry::PostNumbers CDlgPartEntry::ReadPostNumbers(int sectionBox) const {
    const auto number = [this](int id) -> std::optional<int> {
        const ComboBox& box = Item<ComboBox>(id);
        if (box.Selection() < 0) return std::nullopt;
        return EntryNumber(box.SelectedText());
    };
    return {number(sectionBox), number(sectionBox + kRowOffset),
            number(sectionBox + kColumnOffset)};
}

PostLocation* CDlgPartEntry::FindPost(const PostNumbers& numbers) {
    if (!numbers.section || !numbers.row || !numbers.column) return nullptr;
    return Part.Table.Find(*numbers.row, *numbers.column, *numbers.section);
}

void CDlgPartEntry::SelectNumber(int box, const dialogs::PostNumberList& list, int number) {
    const int index = list.IndexOf(number);
    if (index >= 0) Item<ComboBox>(box).Select(index);
}

void CDlgPartEntry::SelectPost(int sectionBox, const PostLocation& post) {
    SelectNumber(sectionBox, numbers_.sections, post.Section);
    SelectNumber(sectionBox + kRowOffset, numbers_.rows, post.Row);
    SelectNumber(sectionBox + kColumnOffset, numbers_.columns, post.Column);
}

int CDlgPartEntry::PinLocator() const {
    // Only the chosen entry counts; text typed into the box's edit field is never read.
    const ComboBox& pin = Item<ComboBox>(kIdPinLocator);
    return EntryNumber(pin.SelectedText()).value_or(0);
}

void CDlgPartEntry::UpdateIndexFixtures() {
    UpdateData(true);
    const PostLocation* a = FindPost(ReadPostNumbers(kIdFixedASection));
    if (a != nullptr) {
        // Copied: every lookup below may hand out another post.
        const CApiPoint at = a->Post.point;
        const TableDefinition& t = Part.Table;
        if (const PostLocation* b = Part.Table.FindNearest(at.x + t.FixtureLength, at.y))
            SelectPost(kIdFixedBSection, *b);
        const double xs =
            at.x + (t.FixtureLength - t.FixturePinLength) * 0.5 + PinLocator() * t.FixturePinDist +
            (Part.SlidingEndCircle.center.x - Part.FixedEndCircle.center.x) - t.FixtureLength * 0.5;
        if (const PostLocation* sa = Part.Table.FindNearest(xs, at.y))
            SelectPost(kIdSlidingASection, *sa);
        if (const PostLocation* sb = Part.Table.FindNearest(xs + t.FixtureLength, at.y))
            SelectPost(kIdSlidingBSection, *sb);
    }
    UpdateData(false);
}

void CDlgPartEntry::PickCircle(CApiArc& circle) {
    CSurfcamCtrl& host = Controller();
    Show(false);
    platform::SetForegroundWindow(ravelink::WindowOfHost(host.GetSurfcamWindowHandle()));
    // A selection the user cancelled (or that found no arc) picks nothing: the first arc of
    // the drawing is not the circle the user meant.
    if (host.Select(kHostSelectArcs)) host.GetArc(&circle);
    host.UnSelect();
    Show(true);
    BringToForeground();
}

void CDlgPartEntry::PickFixedEnd() {
    UpdateData(true);
    PickCircle(Part.FixedEndCircle);
}

void CDlgPartEntry::PickSlidingEnd() {
    UpdateData(true);
    if (!IsPicked(Part.FixedEndCircle)) {
        platform::ShowMessage("Please Select the Fixed Arc First");
        return;
    }
    PickCircle(Part.SlidingEndCircle);
    if (std::fabs(Part.SlidingEndCircle.center.y - Part.FixedEndCircle.center.y) >
        kLevelTolerance + kRoundingSlack) {
        platform::ShowMessage(
            "The Fixed Point and the Sliding Point are not horzontal\nPlease re-select the "
            "Sliding Circle");
        Part.SlidingEndCircle.center.x = NotSet;
    }
}

void CDlgPartEntry::TranslatePart() {
    UpdateData(true);
    const char* refusal = !IsPicked(Part.FixedEndCircle)     ? "Fixed Center is not set"
                          : !IsPicked(Part.SlidingEndCircle) ? "Slide Center is not set"
                          : Part.PartName.empty()            ? "The Part Name is Empty"
                                                             : nullptr;
    if (refusal != nullptr) {
        platform::ShowMessage(refusal);
        return;
    }
    const PostNumbers numbers = ReadPostNumbers(kIdFixedASection);
    const PostLocation* a = FindPost(numbers);
    const TableDefinition& t = Part.Table;
    CApiPoint target;
    if (a != nullptr) {
        // A height that is no finite number lifts by 0, as text that is no number does.
        const double lift = core::numbertext::LeadingDouble(Part.ZHeight.c_str());
        target = a->Post.point;
        target.x +=
            (PinLocator() - 1) * t.FixturePinDist + (t.FixtureLength - t.FixturePinLength) * 0.5;
        target.z += std::isfinite(lift) ? lift : 0.0;
    }
    // A post whose location is not a finite point cannot take the part: the host would refuse
    // every moved entity after deleting it.
    if (a == nullptr || !IsFinite(target)) {
        char text[96];
        std::snprintf(text, sizeof text, "ERROR: Sec = %d, Row = %d, Col = %d",
                      numbers.section.value_or(0), numbers.row.value_or(0),
                      numbers.column.value_or(0));
        platform::ShowMessage(text);
        return;
    }
    CSurfcamCtrl& host = Controller();
    host.update_message("Moving the Part");
    CApiPoint& fixed = Part.FixedEndCircle.center;
    CApiPoint& sliding = Part.SlidingEndCircle.center;
    host.Translate2Pnts(fixed, target, false);
    // Both circles move with the part; only their centres' coordinates change.
    const double dx = sliding.x - fixed.x, dy = sliding.y - fixed.y, dz = sliding.z - fixed.z;
    fixed.x = target.x;
    fixed.y = target.y;
    fixed.z = target.z;
    sliding.x = target.x + dx;
    sliding.y = target.y + dy;
    sliding.z = target.z + dz;
    host.Screen_Fit();
    host.Screen_UnZoom();
    host.Screen_UnZoom();
    host.update_message("");
}
