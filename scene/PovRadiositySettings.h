// Radiosity of the POV-Ray scene: the global block and the .ini lines of the pretrace file.
#pragma once

#include "scene/PageSettings.h"

class PovRayCtrl_cls;

/// Radiosity settings. GUI thread.
class PovRadiositySettings_cls : public PageSettings_cls {
public:
    explicit PovRadiositySettings_cls(PovRayCtrl_cls* controller);

    /// The "\tradiosity {" block of global_settings (and "\tambient_light 0" after it);
    /// empty without radiosity.
    wxString PovGlobalText() const;
    /// The .ini lines of the pretrace file; empty without radiosity.
    wxString IniText() const;
    /// Whether the pretrace file named by the settings can be used: always without
    /// radiosity or reuse; "NONE" never; loading needs a readable file, saving a writable
    /// folder.
    bool CheckPretraceFile() const;
    /// Builds the "Radiosity" page (defined with the windows).
    void CreatePage(wxWindow* parent);
    void UpdateEnables();

    PovRayCtrl_cls* controller;
    ConfItemUINT_cls type;             ///< "PovRadiosityType=" 0 none, 1 pretrace only, 2 fully trace
    ConfItemUINT_cls reuse;            ///< "PovRadiosityReuse=" 0 no, 1 save, 2 load
    ConfItemSTR_cls pathDir;           ///< "PovRadiosityPathDir=" pretrace file
    ConfItemINT_cls count;             ///< "PovRadiosityCount="
    ConfItemFLOAT_cls errorBound;      ///< "PovRadiosityError="
    ConfItemFLOAT_cls minimumReuse;    ///< "PovRadiosityMinimumReuse="
    ConfItemINT_cls recursionLimit;    ///< "PovRadiosityRecursionLimit="
    ConfItemINT_cls nearestCount;      ///< "PovRadiosityNearestCount="
    ConfItemFLOAT_cls traceStart;      ///< "PovRadiosityTraceStrat="
    ConfItemFLOAT_cls traceEnd;        ///< "PovRadiosityTraceEnd="
    ConfItemBOOL_cls zeroAmbient;      ///< "PovRadiosityZeroAmbient="
    ConfItemBOOL_cls media;            ///< "PovRadiosityMedia="
    ConfItemBOOL_cls normal;           ///< "PovRadiosityNormal="
    ConfItemUINT_cls highReproduce;    ///< "PovRadHighReproduce=" 0 off, 1 on

    int itemRecursion = -1, itemCount = -1, itemError = -1, itemMinReuse = -1, itemNearest = -1,
        itemHighReproduce = -1, itemTrace = -1, itemChecks = -1, itemReuse = -1;
};
