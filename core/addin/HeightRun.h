// One job of the add-in from the main dialog to the written program file.
#pragma once

class CSurfcamCtrl;

class HeightRun {
public:
    // Runs the job on the bound controller: the main dialog; after its OK the progress window,
    // the table definition, every post's height, the review and the program file. 0 after a
    // job that went past the main dialog, -1 when the main dialog was not confirmed.
    int Run(CSurfcamCtrl& controller);
};
