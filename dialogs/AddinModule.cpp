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

platform::Module& AddinModule() {
    static platform::Module& module = []() -> platform::Module& {
        platform::Module& addin = platform::DefineModule("Tavroset");
        // The grid's factory is code of this library: registered anew at every load.
        gridwidget::RegisterGridControlClass();
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
