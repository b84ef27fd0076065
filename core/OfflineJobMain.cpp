// tavro-offline: reads a table definition and writes the program file of a job in which no
// holding surface is selected. Paths are system paths, mapped by the path service.
#include <cstdio>
#include <string>

#include "core/JobData.h"
#include "core/OfflineJob.h"
#include "core/ProgramFile.h"
#include "platform/Paths.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: tavro-offline [--drive-root DIR] [TABLE_DEFINITION [PROGRAM_FILE]]\n"
                 "  defaults: the job's own paths, c:\\TavroLoc.txt and c:\\Tavro.txt\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    JobSettings job;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--drive-root" && i + 1 < argc) {
            platform::SetDriveRoot(argv[++i]);
        } else if (word.starts_with("-")) {
            return Usage();
        } else if (positional == 0) {
            job.TableDefinitionPath = word;
            ++positional;
        } else if (positional == 1) {
            job.ProgramFilePath = word;
            ++positional;
        } else {
            return Usage();
        }
    }
    TableDefinition table;
    if (table.Read(job.TableDefinitionPath) != 0) {
        std::fprintf(stderr, "tavro-offline: cannot read %s (%s)\n",
                     job.TableDefinitionPath.c_str(),
                     platform::MapPath(job.TableDefinitionPath).c_str());
        return 1;
    }
    AssignOwnHeights(table);
    if (!WriteProgramFile(table, job.ProgramFilePath)) return 1;
    std::printf("%zu posts read from %s\nprogram file written to %s (%s)\n", table.PostCount(),
                job.TableDefinitionPath.c_str(), job.ProgramFilePath.c_str(),
                platform::MapPath(job.ProgramFilePath).c_str());
    return 0;
}
