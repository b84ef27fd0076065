// The run of one job. Every object of the job is a local here and lives exactly as long as it.
#include "core/addin/HeightRun.h"

#include "core/HeightComputation.h"
#include "core/ProgramFile.h"
#include "core/TableDefinition.h"
#include "dialogs/DlgMain.h"
#include "dialogs/DlgModifyValues.h"
#include "dialogs/DlgPleaseWait.h"

namespace {

// Moves the progress window's bar, when the window could be made.
void SetProgress(const CDlgPleaseWait& wait, int position) {
    if (wait.HasWindow()) wait.Progress().SetPosition(position);
}

}  // namespace

int HeightRun::Run(CSurfcamCtrl& controller) {
    CDlgMain main;
    main.Job.Controller = &controller;
    if (main.DoModal() != platform::kResultOk) return -1;

    CDlgPleaseWait wait;
    if (wait.Create()) wait.Show(true);
    SetProgress(wait, 10);
    TableDefinition table;
    table.Read(main.Job.TableDefinitionPath);  // a missing file leaves the table empty
    SetProgress(wait, 30);
    core::PrepareHeightComputation(controller, table);
    core::ComputeAllHeights(controller, table);
    SetProgress(wait, 100);
    wait.DestroyWindow();

    CDlgModifyValues review;
    review.Table = &table;
    review.Controller = &controller;
    review.DoModal();  // OK or Cancel, the heights are written as they stand
    core::WriteProgramFile(table, main.Job.ProgramFilePath);
    return 0;
}
