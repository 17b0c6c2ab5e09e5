// The data loader settings: the record grammar of snapshot files, interpolation and
// particle matching, the load transforms and the last opened file.
#pragma once

#include <functional>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "data/GrammerBase.h"
#include "data/SnapshotReader.h"

class AppCore_cls;
class DataLoaderGUI_cls;
class MenuCommandPoster_cls;
class wxWindow;
class PeriodicBoundary_cls;

/// The program-wide loader settings. One instance, made by the central object and
/// published in `GpDataLoader`. The readers copy its values (MakeLoadSettings) when a read
/// begins, so a change applies to files read afterwards. GUI thread only.
///
/// Its settings lines, in order: "DataLoadDataType=", "DataLoadGrammerHead=",
/// "DataLoadGrammerBody=", "LastOpenedFile=", "InterpolateType=", "VariableNumber=",
/// "LoaderTranslate=", "LoaderScale=", "LoaderScaleValue1=", "LoaderLogarithm=".
class DataLoader_cls : public GrammerBase_cls {
public:
    AppCore_cls* appCore;                    ///< borrowed; may be null
    PeriodicBoundary_cls* periodic = nullptr;///< borrowed; set once both exist
    DataLoaderGUI_cls* gui = nullptr;        ///< the dialog, a window of the main frame; null until shown
    /// The central object's undoable load of a sequence by its first file (set by the shell).
    std::function<void(const wxString& path)> loadData;

    ConfItemSTR_cls lastOpenedFile;     ///< first file of the last opened sequence; "NONE" when none
    ConfItemUINT_cls interpolateType;   ///< 0 "Linear", 1 "Hermite", 2 "No Interpolate"
    ConfItemUINT_cls variableNumber;    ///< 0 "Constant", 1 "Variable", 2 "Sort by ID"
    ConfItemFLOATARRAY_cls translate;   ///< 3 floats added to every position
    ConfItemFLOAT_cls scale;            ///< positions, velocities, radii; 0 = no scaling
    ConfItemFLOAT_cls scaleValue1;      ///< value1 factor; 0 = no scaling
    ConfItemUINT_cls logarithm;         ///< 0 "Raw Data", 1 "Take log10"

    /// The grammar with prefix "DataLoad", then the seven items with their defaults.
    explicit DataLoader_cls(AppCore_cls* core = nullptr);
    ~DataLoader_cls();
    DataLoader_cls(const DataLoader_cls&) = delete;
    DataLoader_cls& operator=(const DataLoader_cls&) = delete;

    /// Offers one configuration or project line to the group; true when an item took it.
    bool ReadConfig(const wxString& line);
    /// The loader's block of settings lines (each ending in CR LF).
    wxString WriteConfig() const;

    /// Creates the "Data Loader" dialog on first use, shows it when hidden, focuses and
    /// raises it. Window code: defined with the dialog. `poster` gets the dialog's posts.
    void ShowDialog(wxWindow* mainFrame, MenuCommandPoster_cls* poster);
    /// Hands `path` to the central object's load, then remembers it as the last opened file.
    void SetFileAndLoad(const wxString& path);
    /// Translate 0 0 0, scale 1, value scale 1, logarithm 0.
    void ResetTransforms();

    /// A plain copy of everything a snapshot read takes from the settings.
    SnapshotLoadSettings MakeLoadSettings() const;
};

/// The data loader, or null outside the central object's life.
extern DataLoader_cls* GpDataLoader;
