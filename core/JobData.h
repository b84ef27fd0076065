// The data of the main dialog (JobSettings) and of one part entry (PartSetup).
#pragma once

#include <string>

#include "core/TableDefinition.h"
#include "hostlink/ApiGeometry.h"

class CSurfcamCtrl;

// Stored in a circle centre's x: the circle has not been picked.
inline constexpr double NotSet = -99999.999;

namespace core {

// A default arc whose centre x says "not picked".
inline CApiArc UnpickedCircle() {
    CApiArc arc;
    arc.center.x = NotSet;
    return arc;
}

}  // namespace core

struct JobSettings {
    std::string ProgramFilePath = "c:\\Tavro.txt";
    std::string TableDefinitionPath = "c:\\TavroLoc.txt";
    CSurfcamCtrl* Controller = nullptr;  // set by the run; borrowed, never freed here
    int PartCount = 0;
    std::string LayerText = "251";
    int Millimetre = 1;     // check state of the "Millimeter" box
    std::string AboutText;  // formatted by the main dialog when it is constructed
};

struct PartSetup {
    std::string PartName;
    CSurfcamCtrl* Controller = nullptr;  // set by the main dialog; borrowed
    std::string ImportFileName;
    std::string ImportLayer;
    CApiArc FixedEndCircle = core::UnpickedCircle();
    CApiArc SlidingEndCircle = core::UnpickedCircle();
    TableDefinition Table;  // read when the part dialog opens
    std::string ZHeight = "100.0";
};
