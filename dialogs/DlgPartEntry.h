// Part entry and placement: the part's name, its two end circles picked in the host, the index
// fixture posts, and the part geometry moved onto the chosen pin.
#pragma once

#include <optional>

#include "core/JobData.h"
#include "dialogs/PostNumberList.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/DialogTemplate.h"

class CDlgPartEntry : public platform::Dialog {
public:
    // The dialog's template identifier in the add-in's module.
    static constexpr int IDD = 7005;

    // Control identifiers. Each index box row runs section, row, column.
    enum : int {
        kIdImportName = 1001,
        kIdImportLayer,
        kIdImport,
        kIdPartName,
        kIdPickFixed,
        kIdPickSliding,
        kIdFixedASection,
        kIdFixedARow,
        kIdFixedAColumn,
        kIdFixedBSection,
        kIdFixedBRow,
        kIdFixedBColumn,
        kIdPinLocator,
        kIdZHeight,
        kIdTranslate,
        kIdSlidingASection,
        kIdSlidingARow,
        kIdSlidingAColumn,
        kIdSlidingBSection,
        kIdSlidingBRow,
        kIdSlidingBColumn,
        kIdPreview,
    };

    explicit CDlgPartEntry(platform::WindowHandle owner = {});

    // The part being entered. The opener reads Part.Table and sets Part.Controller before
    // DoModal and takes Part.PartName after OK.
    PartSetup Part;

    // The dialog's face.
    [[nodiscard]] static platform::DialogTemplate Template();

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& exchange) override;
    // The host window comes to the front first, then the dialog, whether shown or hidden.
    void OnShowWindow(bool shown) override;

private:
    // The section, row and column chosen in one row of index boxes; a box without a selected
    // entry (an empty table) holds no number.
    struct PostNumbers {
        std::optional<int> section;
        std::optional<int> row;
        std::optional<int> column;
    };

    void UpdateIndexFixtures();
    void PickFixedEnd();
    void PickSlidingEnd();
    void TranslatePart();

    // Hands the selection of one circle to the host with the dialog hidden.
    void PickCircle(CApiArc& circle);
    // The controller, which the opener must have set.
    [[nodiscard]] CSurfcamCtrl& Controller() const;

    void FillIndexBoxes();
    [[nodiscard]] PostNumbers ReadPostNumbers(int sectionBox) const;
    // The post with these numbers, or null (also when a number is missing).
    [[nodiscard]] PostLocation* FindPost(const PostNumbers& numbers);
    // Selects the post's section, row and column in the row of boxes starting at `sectionBox`.
    void SelectPost(int sectionBox, const PostLocation& post);
    void SelectNumber(int box, const dialogs::PostNumberList& list, int number);
    [[nodiscard]] int PinLocator() const;

    dialogs::PostNumberLists numbers_;
};
