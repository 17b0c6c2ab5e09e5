// The POV-Ray output options: image size and format, antialiasing, display and file-name
// options, and the output block of the .ini file.
#pragma once

#include "common/ImgSizeTemplate.h"
#include "scene/PageSettings.h"

class PovRayCtrl_cls;
class wxSizer;

/// Output settings and their .ini block. GUI thread.
class PovOutputSettings_cls : public PageSettings_cls {
public:
    static constexpr unsigned kFormatCount = 8;

    explicit PovOutputSettings_cls(PovRayCtrl_cls* controller);

    /// Takes the line, then selects the size template that matches width and height.
    bool ReadText(const wxString& line) override;
    /// The output block of the .ini file for `iniPath` (a path ending in ".ini"): size,
    /// display, fixed lines, antialias, jitter, bit depth, type, alpha, input and output
    /// file names. Names are the full path with "PovFileAbsolute=" 1, else the bare name.
    wxString IniText(const wxString& iniPath) const;
    /// POV-Ray's output type letter of the format; "S" (system bitmap) is written as "B"
    /// (BMP) here. A format outside the table gives "N".
    static const char* FormatLetter(unsigned format);

    /// Builds the "Format" page (defined with the windows).
    void CreatePage(wxWindow* parent, wxSizer* sizer);
    void UpdateEnables();

    PovRayCtrl_cls* controller;
    ImgSizeTemplate_cls sizeTemplate;    ///< the page's size template choice
    ConfItemUINT_cls format;             ///< "PovOutputFomat=" 0..7
    ConfItemINT_cls width;               ///< "PovCameraWidth=" 1..16384
    ConfItemINT_cls height;              ///< "PovCameraHeight=" 1..16384
    ConfItemBOOL_cls antialias;          ///< "PovAntialias="
    ConfItemBOOL_cls display;            ///< "PovDisplay="
    ConfItemBOOL_cls pauseWhenDone;      ///< "PovPauseWhenDone="
    ConfItemBOOL_cls jitter;             ///< "PovJitter="
    ConfItemBOOL_cls outputAlpha;        ///< "PovOutputAlpha="
    ConfItemFLOAT_cls antialiasThreshold;  ///< "PovAntiAliasThreshold="
    ConfItemINT_cls antialiasDepth;      ///< "PovAntiAliasDepth=" 1..9
    ConfItemFLOAT_cls jitterAmount;      ///< "PovJitterAmount="
    ConfItemBOOL_cls fastColoring;       ///< "PovFastColoring=" single-pigment materials
    ConfItemBOOL_cls fileAbsolute;       ///< "PovFileAbsolute="
    ConfItemUINT_cls boundingMethod;     ///< "PovBoundingMethod=" 0 default, 1 binary partitioning

    int itemSizeGroup = -1;  ///< the "Width,Height" group
};
