// Registration of the add-in's dialog templates in its module.
#include "dialogs/AddinModule.h"

#include "dialogs/DlgMain.h"
#include "dialogs/DlgModifyValues.h"
#include "dialogs/DlgOptions.h"
#include "dialogs/DlgPartEntry.h"
#include "dialogs/DlgPleaseWait.h"
#include "dialogs/Logo.h"
#include "dialogs/Preview.h"
#include "gridwidget/GridCtrl.h"
#include "platform/dialog/ControlClasses.h"

namespace dialogs {

namespace {

// The grid's factory is code of this library: registered at every load, and removed from the
// framework's registry when the library is unloaded, before its code goes.
struct GridClassRegistration {
    GridClassRegistration() { gridwidget::RegisterGridControlClass(); }
    ~GridClassRegistration() { platform::RegisterControlClass(gridwidget::kGridClassName, {}); }
    GridClassRegistration(const GridClassRegistration&) = delete;
    GridClassRegistration& operator=(const GridClassRegistration&) = delete;
};

}  // namespace

platform::Module& AddinModule() {
    static const GridClassRegistration grid;
    static platform::Module& module = []() -> platform::Module& {
        platform::Module& addin = platform::DefineModule("Tavroset");
        // The module outlives the library: loaded again into the same process, the library
        // finds its resources registered by its earlier load.
        if (addin.FindTemplate(CDlgMain::IDD) != nullptr) return addin;
        addin.AddTemplate(CDlgMain::Template());
        addin.AddTemplate(CDlgOptions::Template());
        addin.AddTemplate(CDlgPleaseWait::Template());
        addin.AddTemplate(CDlgModifyValues::Template());
        addin.AddTemplate(CDlgPartEntry::Template());
        addin.AddTemplate(CPreview::Template());
        addin.AddBitmap(CDlgMain::kLogoBitmap, TavroLogo());
        return addin;
    }();
    return module;
}

}  // namespace dialogs
