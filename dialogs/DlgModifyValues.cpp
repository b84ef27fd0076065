// The height review's face and behaviour.
#include "dialogs/DlgModifyValues.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "core/TableDefinition.h"
#include "dialogs/HeightText.h"
#include "gridwidget/GridCtrl.h"
#include "hostlink/LinkModule.h"
#include "hostlink/MessageText.h"
#include "hostlink/SurfcamCtrl.h"
#include "platform/MessageService.h"
#include "platform/dialog/ListControls.h"

using platform::ControlKind;
using platform::MakeControl;

namespace {

// The host's scratch layer for the marks of "Add Extension", and the marks' colour.
constexpr int kMarkLayer = 250;
constexpr const char* kMarkLayerName = "Temp for Extension";
constexpr int kMarkColor = 14;
constexpr double kOuterMarkRadius = 3.0;
constexpr double kInnerMarkRadius = 1.5;

// Rows or columns of the grid for the largest post number, one more for the header. The grid
// counts in int, so a post numbered INT_MAX gets no cell.
int GridCountFor(int largest) {
    return static_cast<int>(std::min<long long>(largest + 1LL, INT_MAX));
}

}  // namespace

CDlgModifyValues::CDlgModifyValues(platform::WindowHandle owner) : Dialog(IDD, owner) {
    OnCommand(kIdSections, platform::Notification::SelectionChanged, [this] { SectionChosen(); });
    OnCommand(kIdAddExtension, platform::Notification::Clicked, [this] { AddExtension(); });
}

platform::DialogTemplate CDlgModifyValues::Template() {
    platform::DialogTemplate face;
    face.id = IDD;
    face.caption = "Edit the calculated TAVRO heigh values.";
    face.width = 422;
    face.height = 274;
    face.style.centred = true;
    face.style.systemMenu = true;
    face.controls = {
        MakeControl(ControlKind::ListBox, kIdSections, "sections", {}, {151, 7, 120, 60})
            .VerticalScroll(),
        platform::MakeCustomControl(gridwidget::kGridClassName, kIdHeights, "heights",
                                    {7, 74, 408, 170}),
        MakeControl(ControlKind::PushButton, kIdAddExtension, "add-extension", "Add Extension",
                    {7, 253, 70, 14}),
        MakeControl(ControlKind::PushButton, platform::kIdCancel, "cancel", "Cancel",
                    {311, 253, 50, 14}),
        MakeControl(ControlKind::PushButton, platform::kIdOk, "ok", "OK", {365, 253, 50, 14})
            .Default(),
    };
    return face;
}

gridwidget::GridCtrl& CDlgModifyValues::Grid() const {
    return Item<gridwidget::GridCtrl>(kIdHeights);
}

platform::ListBox& CDlgModifyValues::SectionList() const {
    return Item<platform::ListBox>(kIdSections);
}

bool CDlgModifyValues::OnInitDialog() {
    TAVRO_INVARIANT(Table != nullptr, "set Table to the run's table before DoModal");
    GridRows = GridCountFor(Table->MaxRow);
    GridColumns = GridCountFor(Table->MaxColumn);
    posts_.emplace(*Table, GridRows - 1, GridColumns - 1);
    FillSectionList();
    SetUpGrid();
    ShowSection(CurrentSection);
    Grid().SetFocusCell(1, 1);
    return Dialog::OnInitDialog();
}

void CDlgModifyValues::FillSectionList() {
    listedSections_.clear();
    if (Table->MaxSection <= kListEverySectionUpTo) {
        for (int section = 1; section <= Table->MaxSection; ++section)
            listedSections_.push_back(section);
    } else {
        listedSections_ = posts_->UsedSections();
    }
    platform::EntryList& entries = SectionList().Entries();
    for (std::size_t i = 0; i < listedSections_.size(); ++i)
        entries.Insert(static_cast<int>(i),
                       hostlink::MessageText("Section %d", listedSections_[i]));
    // A table without sections lists nothing; its empty grid then stands for section 1.
    entries.Select(listedSections_.empty() ? -1 : 0);
    CurrentSection = listedSections_.empty() ? 1 : listedSections_.front();
}

void CDlgModifyValues::SetUpGrid() {
    gridwidget::GridCtrl& grid = Grid();
    grid.DeleteAllItems();
    grid.SetRowCount(GridRows);
    grid.SetColumnCount(GridColumns);
    grid.SetSelectionMode(gridwidget::SelectionMode::Cell);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    // The headers are the row and column numbers; made on demand, they cost nothing per row.
    grid.SetNumberedHeaders(true);
}

void CDlgModifyValues::ShowSection(int section) {
    gridwidget::GridCtrl& grid = Grid();
    grid.ClearNonFixedCells();
    for (const dialogs::SectionPosts::Cell& cell : posts_->CellsOf(section))
        grid.SetItemText(cell.row, cell.column,
                         dialogs::heighttext::FormatHeight(cell.post->Height()));
    grid.RedrawNow();
}

void CDlgModifyValues::StoreSection() {
    const gridwidget::GridCtrl& grid = Grid();
    for (const dialogs::SectionPosts::Cell& cell : posts_->CellsOf(CurrentSection))
        cell.post->Hit0.point.z =
            dialogs::heighttext::ReadHeight(grid.ItemText(cell.row, cell.column));
}

void CDlgModifyValues::SectionChosen() {
    const int selected = SectionList().Entries().Selection();
    if (selected < 0 || selected >= static_cast<int>(listedSections_.size())) return;
    const int section = listedSections_[selected];
    if (section == CurrentSection) return;
    StoreSection();
    ShowSection(section);
    CurrentSection = section;
}

void CDlgModifyValues::OnOK() {
    StoreSection();
    EndDialog(platform::kResultOk);
}

void CDlgModifyValues::MarkPost(const CApiPoint& at) {
    for (const double radius : {kOuterMarkRadius, kInnerMarkRadius}) {
        CApiArc circle;
        circle.center = at;
        circle.normal = CApiVect{0.0, 0.0, 1.0};
        circle.startDir = CApiVect{1.0, 0.0, 0.0};
        circle.sweep = 6.283185307179586;
        circle.radius = radius;
        Controller->CreateArc(circle, kMarkLayer, kMarkColor);
    }
    constexpr double kRadiansPerDegree = 0.017453292519943295;
    for (int degrees = 0; degrees < 360; degrees += 15) {
        const double s = std::sin(degrees * kRadiansPerDegree);
        const double k = std::cos(degrees * kRadiansPerDegree);
        for (const double radius : {kInnerMarkRadius, kOuterMarkRadius})
            Controller->CreatePoint(at.x + radius * s, at.y + radius * k, at.z, kMarkLayer,
                                    kMarkColor);
    }
}

void CDlgModifyValues::AddExtension() {
    TAVRO_INVARIANT(Controller != nullptr, "set Controller to the run's controller first");
    const gridwidget::CellId focus = Grid().FocusCell();
    Show(false);
    Controller->CreateLayer(kMarkLayer, kMarkLayerName);
    if (const PostLocation* post = posts_->PostAt(focus.row, focus.column, CurrentSection))
        MarkPost(post->Hit0.point);
    // The user picks the location in the host's window.
    ravelink::EnableAndFocusWindow(Controller->GetSurfcamWindowHandle());
    CApiPoint picked;
    char prompt[] = "";  // the host shows its own prompt
    Controller->GetLocation(prompt, &picked);
    Controller->DeleteElementsOnLayer(kMarkLayer);
    platform::ShowMessage(hostlink::MessageText("Point %f, %f, %f", picked.x, picked.y, picked.z));
    Show(true);
    Enable(true);
    Focus();
}
