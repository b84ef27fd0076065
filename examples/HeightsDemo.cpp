// heights-demo: a job on the stand-in host without dialogs. It opens a part drawing, selects its
// surfaces as the holding surfaces, reads the table definition, computes every post's height
// through the link library, writes the program file and saves the drawing with the
// construction on layer 252. It stands in for the host calling the add-in until the add-in's
// own run drives the dialogs.
#include <cstdio>
#include <string>

#include "core/HeightComputation.h"
#include "core/JobData.h"
#include "core/ProgramFile.h"
#include "host/Host.h"
#include "host/HostApiTable.h"
#include "hostlink/SurfcamCtrl.h"
#include "platform/Paths.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: heights-demo [--drive-root DIR] DRAWING RESULT_DRAWING\n"
                 "  the table definition and program file are the job's: c:\\TavroLoc.txt and "
                 "c:\\Tavro.txt\n");
    return 2;
}

// Selects every surface of the drawing: the holding surfaces of the job.
std::size_t SelectSurfaces(host::Drawing& drawing) {
    std::size_t selected = 0;
    drawing.ForEach([&](host::Entity& entity) {
        if (host::KindOf(entity.geometry) != HostKind::Surface) return;
        entity.selected = true;
        ++selected;
    });
    return selected;
}

int CountOutcome(const TableDefinition& table, bool programmed) {
    int count = 0;
    for (size_t i = 0; i < table.PostCount(); ++i)
        if ((table.PostAt(i).Height() > 0.0) == programmed) ++count;
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    std::string paths[2];
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--drive-root" && i + 1 < argc)
            platform::SetDriveRoot(argv[++i]);
        else if (word.starts_with("-") || positional == 2)
            return Usage();
        else
            paths[positional++] = word;
    }
    if (positional != 2) return Usage();

    host::Host cad;
    if (!cad.OpenDrawing(paths[0], /*merge=*/false)) return 1;
    HostApi api = host::HostApiFor(cad);
    const std::size_t surfaces = SelectSurfaces(cad.drawing());

    JobSettings job;
    CSurfcamCtrl ctrl;
    ctrl.Setup(&api);
    TableDefinition table;
    if (table.Read(job.TableDefinitionPath) != 0)
        std::fprintf(stderr, "heights-demo: no table definition at %s\n",
                     job.TableDefinitionPath.c_str());
    PrepareHeightComputation(ctrl, table);
    ComputeAllHeights(ctrl, table);
    const bool written = WriteProgramFile(table, job.ProgramFilePath);
    ctrl.Shutdown();

    const std::string saved = cad.SaveDrawing(paths[1]);
    std::printf("%zu holding surface(s), %zu posts: %d raised, %d not programmed\n", surfaces,
                table.PostCount(), CountOutcome(table, true), CountOutcome(table, false));
    if (written)
        std::printf("program file written to %s (%s)\n", job.ProgramFilePath.c_str(),
                    platform::MapPath(job.ProgramFilePath).c_str());
    if (saved.empty())
        std::printf("drawing with the construction on layer 252 saved to %s\n", paths[1].c_str());
    return written && saved.empty() ? 0 : 1;
}
