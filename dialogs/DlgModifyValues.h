// The height review: the computed heights of one table section at a time in an editable grid,
// stored back into the posts.
#pragma once

#include <optional>
#include <vector>

#include "dialogs/SectionPosts.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/DialogTemplate.h"

class CSurfcamCtrl;
class TableDefinition;
class CApiPoint;

namespace gridwidget {
class GridCtrl;
}
namespace platform {
class ListBox;
}

class CDlgModifyValues : public platform::Dialog {
public:
    // The dialog's template identifier in the add-in's module.
    static constexpr int IDD = 7004;

    // Control identifiers.
    enum : int {
        kIdSections = 1000,
        kIdHeights,
        kIdAddExtension,
    };

    // Up to this many sections the list offers every number from 1 to the table's largest;
    // beyond it (a mistyped section number) only the numbers that posts use.
    static constexpr int kListEverySectionUpTo = 1000;

    explicit CDlgModifyValues(platform::WindowHandle owner = {});

    // Set by the opener before DoModal; borrowed, never freed here.
    TableDefinition* Table = nullptr;
    CSurfcamCtrl* Controller = nullptr;
    // The section on display (from 1), and the grid's size including its header row/column.
    int CurrentSection = -1;
    int GridRows = 15;
    int GridColumns = 10;

    // The dialog's face.
    [[nodiscard]] static platform::DialogTemplate Template();

protected:
    // Fills the section list and the grid and shows the first listed section.
    bool OnInitDialog() override;
    // Stores the section on display, then closes with OK.
    void OnOK() override;

    // Writes the heights of `section` into the grid; every other non-header cell is emptied.
    void ShowSection(int section);
    // Reads every cell of the section on display that stands for a post into its height.
    void StoreSection();
    // Marks the focus cell's post on the host's scratch layer while the user picks a location
    // in the host, then reports the location. Changes no data.
    void AddExtension();

    [[nodiscard]] gridwidget::GridCtrl& Grid() const;
    [[nodiscard]] platform::ListBox& SectionList() const;

private:
    void FillSectionList();
    void SetUpGrid();
    void SectionChosen();
    void MarkPost(const CApiPoint& at);

    std::optional<dialogs::SectionPosts> posts_;
    std::vector<int> listedSections_;  // the section number of each list entry
};
