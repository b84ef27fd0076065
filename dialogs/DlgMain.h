// The main dialog: the job's numbered steps from the part units to the program file, with the
// table top drawn into the host, the parts entered one by one, a preview and the options.
#pragma once

#include <string>

#include "core/JobData.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/WindowHandle.h"

class CDlgMain : public platform::Dialog {
public:
    // The dialog's template identifier in the add-in's module.
    static constexpr int IDD = 7001;

    // Control identifiers.
    enum : int {
        kIdInch = 1001,
        kIdMeter,
        kIdCentimeter,
        kIdMillimetre,
        kIdDrawTableTop,
        kIdLayer,
        kIdPartList,
        kIdAddSetup,
        kIdPreview,
        kIdDeletePart,
        kIdHoldingColour,
        kIdTableFile,
        kIdTableBrowse,
        kIdClsInputFile,
        kIdClsInputBrowse,
        kIdClsOutputFile,
        kIdClsOutputBrowse,
        kIdProgramFile,
        kIdProgramBrowse,
        kIdLogo,
        kIdAbout,
        kIdOptions,
    };

    // The layer and colour of the table top's circles, and the layer's name.
    static constexpr int kTableTopColour = 12;
    static constexpr const char* kTableLayerName = "Table Layout";
    // The logo's bitmap resource in the add-in's module.
    static constexpr const char* kLogoBitmap = "TAVRO_LOGO";

    // The job at its defaults, with the about text formatted from the build's date and time.
    explicit CDlgMain(platform::WindowHandle owner = {});

    // The dialog's data. The opener sets Job.Controller before DoModal and reads the two paths
    // after it.
    JobSettings Job;

    // The dialog's face.
    [[nodiscard]] static platform::DialogTemplate Template();

    // The about text for a version and a build date ("Jul 19 2006") and time ("17:17:51").
    [[nodiscard]] static std::string FormatAboutText(const char* version, const char* date,
                                                     const char* time);

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& exchange) override;
    void OnOK() override;

private:
    void DrawTableTop();
    void AddSetup();
    void ShowPreview();
    void KeepMillimetre();
    void OpenOptions();
    // The host's main window through the controller.
    [[nodiscard]] platform::WindowHandle HostWindow() const;
};
