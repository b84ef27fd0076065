// One check over every registered template of the add-in, the link library and the installer:
// identifiers and script names unique, controls inside the client area, bitmaps present, and
// every control a dialog of the add-in binds present with a kind that fits.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "dialogs/AddinModule.h"
#include "dialogs/DlgMain.h"
#include "dialogs/DlgModifyValues.h"
#include "dialogs/DlgOptions.h"
#include "dialogs/DlgPartEntry.h"
#include "dialogs/DlgPleaseWait.h"
#include "dialogs/Preview.h"
#include "hostlink/LinkModule.h"
#include "installer/InstallDialog.h"
#include "tests/hostlink/ControllerFixture.h"

namespace {

// What is wrong with `face` of `module`, one line per fault.
std::vector<std::string> FaultsOf(const platform::Module& module,
                                  const platform::DialogTemplate& face) {
    std::vector<std::string> faults;
    std::set<int> ids;
    std::set<std::string> names;
    for (const platform::ControlTemplate& control : face.controls) {
        const std::string what = module.Name() + " " + std::to_string(face.id) + " control " +
                                 (control.name.empty() ? std::to_string(control.id) : control.name);
        if (control.id != platform::kStaticId && !ids.insert(control.id).second)
            faults.push_back(what + ": identifier used twice");
        if (control.name.empty() && control.id == platform::kStaticId)
            faults.push_back(what + ": neither a name nor an identifier");
        if (!control.name.empty() && !names.insert(control.name).second)
            faults.push_back(what + ": name used twice");
        const platform::DialogRect& at = control.place;
        if (at.x < 0 || at.y < 0 || at.width <= 0 || at.height <= 0 ||
            at.x + at.width > face.width || at.y + at.height > face.height)
            faults.push_back(what + ": outside the client area");
        if (control.kind == platform::ControlKind::Bitmap &&
            module.FindBitmap(control.caption) == nullptr)
            faults.push_back(what + ": no bitmap " + control.caption);
    }
    return faults;
}

TEST(TemplatesTest, EveryTemplateHasUniqueControlsInsideItsClientArea) {
    for (const platform::Module* module :
         {&dialogs::AddinModule(), &ravelink::LinkModule(), &installer::InstallerModule()}) {
        EXPECT_FALSE(module->Templates().empty()) << module->Name();
        for (const auto& [id, face] : module->Templates()) {
            EXPECT_EQ(face.id, id);
            EXPECT_FALSE(face.caption.empty() && face.style.systemMenu)
                << module->Name() << " " << id << ": a system menu needs a caption";
            EXPECT_EQ(FaultsOf(*module, face), std::vector<std::string>{});
        }
    }
}

// The add-in's dialogs as the run and the main dialog open them.
class AddinDialogsTest : public ControllerTest {
protected:
    using Factory = std::function<std::unique_ptr<platform::Dialog>()>;
    std::vector<Factory> Dialogs() {
        return {
            [] { return std::make_unique<CDlgMain>(); },
            [] { return std::make_unique<CDlgOptions>(); },
            [] { return std::make_unique<CDlgPleaseWait>(); },
            [this] {
                auto review = std::make_unique<CDlgModifyValues>();
                review->Table = &table_;
                review->Controller = &ctrl_;
                return review;
            },
            [this] {
                auto entry = std::make_unique<CDlgPartEntry>();
                entry->Part.Controller = &ctrl_;
                return entry;
            },
            [] { return std::make_unique<CPreview>(); },
        };
    }
    TableDefinition table_;
};

// A control bound to a field that is missing or of the wrong kind stops the process here.
TEST_F(AddinDialogsTest, EveryDialogCreatesAndMovesItsDataBothWays) {
    Bind();
    const platform::ModuleScope addin(dialogs::AddinModule());
    std::set<int> covered;
    for (const Factory& make : Dialogs()) {
        std::unique_ptr<platform::Dialog> dialog = make();
        ASSERT_TRUE(dialog->Create()) << dialog->CreationError();
        EXPECT_TRUE(dialog->UpdateData(false));
        EXPECT_TRUE(dialog->UpdateData(true));
        dialog->DestroyWindow();
        covered.insert(dialog->TemplateId());
    }
    std::set<int> registered;
    for (const auto& entry : dialogs::AddinModule().Templates()) registered.insert(entry.first);
    EXPECT_EQ(covered, registered) << "a template of the add-in without its dialog here";
}

}  // namespace
