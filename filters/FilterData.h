// The data half of a filter: a scene object with the common settings ("FilterValid=",
// "FilterName=", "FilterGUIOpen="), the kind's settings and colour records, its filter
// text, and the value addresses through which undoable edits find their setting.
#pragma once

#include <string>
#include <vector>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "scene/SceneObj.h"

class ColorCurve_cls;
class ParamTextStream_cls;

/// Kind codes of the filters (the "FilterType=" value).
enum FilterKind {
    FILTER_BOOLEAN = 0,
    FILTER_DATABOX = 1,
    FILTER_OBJECT = 2,
    FILTER_GRID = 3,
    FILTER_FOG = 4,
    FILTER_FILTERING = 5,
    FILTER_COPY = 6,
    FILTER_STICK = 7,
    FILTER_BG = 8,
    FILTER_KIND_COUNT = 9,
};

/// Untranslated kind word of `kind` ("Boolean", "DataBox", ..., "CopyBox", ..., "BG");
/// "" for a code outside 0..8.
const char* FilterKindWord(int kind);
/// List (0, 1 or 2) that holds filters of `kind`; -1 for a code outside 0..8.
int FilterListOfKind(int kind);

/// Data of one filter. Owns its colour records. GUI thread only; the weighting workers
/// get copies of the values they need and never touch this object.
class FilterData_cls : public SceneObj_cls {
public:
    /// `transformInGroup`: Translate, Rotation and Scale are children of the container
    /// (shown in the parameter panel and written); `makeTransform`: the groups exist.
    FilterData_cls(bool transformInGroup, bool makeTransform);
    ~FilterData_cls() override;

    /// Kind code of this data (fixed by the concrete class).
    virtual int Kind() const = 0;

    /// Reads the rest of one filter block (after its "FilterType=" line) up to and
    /// including "-FilterEnd", or to the end of the stream: settings lines first, then the
    /// parameter blocks and colour records. Foreign lines are ignored.
    void ReadText(ParamTextStream_cls& stream);
    /// Settings lines (CR LF each) then the container's parameter blocks and the colour
    /// records' text, with kind words untranslated in the name.
    std::string WriteBody();

    /// Copies settings (the name too), colour records and the key frames of Translate,
    /// Rotation and Scale (from t, r, s when given, else from the source's own groups).
    /// `source` must be data of the same kind.
    virtual void CopyFrom(const FilterData_cls& source, const ParamGroup_cls* t,
                          const ParamGroup_cls* r, const ParamGroup_cls* s);
    /// True when Translate, Rotation and Scale are children of the container (written and
    /// listed with the filter); kinds that keep them apart may still list groups of their own.
    bool TransformInGroup() const;
    /// Replaces "Filter" by `name` in the registry names of the container's groups.
    void RenameParams(const std::string& name);
    /// Key text of the settings value at `value` ("BorderFactor=", "ShearArray1=::DIM=2"),
    /// "" when the value is not one of this data's settings.
    wxString KeyOf(const void* value) const;
    /// Stores a number into the item named by `keyText` (key, optionally "::DIM=<j>"):
    /// int and unsigned items take `n`, float and double items `x`; string, bool and
    /// unknown keys change nothing; an element index outside the array changes nothing.
    void SetValueByKey(const wxString& keyText, double x, int n);
    /// Brings settings that were read from a file or typed by the user back into what the
    /// views and the POV-Ray export can afford. Returns a message saying what was changed,
    /// "" when every value could stay.
    virtual wxString BoundValues() { return wxString(); }

    std::string Name() const { return filterName.Value().utf8_string(); }
    /// False while the eye of the filter's group in the parameter panel is closed: the
    /// views then leave out what the filter adds to the scene, and so does the POV-Ray text.
    bool ShownByEye() const;

    ConfItemBOOL_cls filterValid;   ///< "FilterValid=": enabled
    ConfItemSTR_cls filterName;     ///< "FilterName=": unique in its list
    ConfItemBOOL_cls filterGUIOpen; ///< "FilterGUIOpen=": panel expanded
    std::vector<ColorCurve_cls*> colors;  ///< owned, fixed order per kind
};

/// Mode 1: every untranslated kind word in the data's name is replaced by its translation
/// (the message catalogue's; the word itself when there is none); mode 0 the reverse.
/// "BG" is never translated.
void LocalizeFilterName(FilterData_cls& data, int mode);
