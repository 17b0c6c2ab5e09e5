// The Stick filter: sticks (bonds) between particles, read from a stick file per data frame
// or found by a distance rule, drawn as lines or cylinders in every periodic copy and
// written into the POV-Ray scene as the "CY" macro and the "STICKS" unions.
#pragma once

#include <functional>
#include <string>

#include <wx/string.h>

#include "filters/FilterBase.h"
#include "scene/StickEngine.h"
#include "scene/TexProperty.h"

/// The periodic box as the sticks see it: the three base vectors and their size factors.
struct StickBox_cls {
    float base[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    float size[3] = {0, 0, 0};
};

class FilterStickData_cls : public FilterData_cls {
public:
    FilterStickData_cls();
    int Kind() const override { return FILTER_STICK; }

    ConfItemUINT_cls calcType;     ///< "CalcType=" 0 load a file, 1 calculate
    ConfItemUINT_cls stickType;    ///< "StickType=" 0 lines, 1 cylinders
    ConfItemSTR_cls stickPath;     ///< "StickPath=" file name pattern (frame, neighbour mask)
    ConfItemFLOAT_cls stickRadius; ///< "StickRadius=" cylinder radius
    ConfItemINT_cls stickWidth;    ///< "StickWidth=" line width in pixels
    ConfItemUINT_cls critType;     ///< "CritType=" 0 step, 1 ramp, 2 step between A and B
    ConfItemFLOAT_cls critA;       ///< "CritA=" distance A
    ConfItemFLOAT_cls critB;       ///< "CritB=" distance B
    ConfItemUINT_cls specType;     ///< "SpecType=" 0 any type, 1 between types A and B
    ConfItemINT_cls specA;         ///< "SpecA=" particle type A
    ConfItemINT_cls specB;         ///< "SpecB=" particle type B
    TexProperty_cls texture;       ///< the surface: its Alpha is the sticks' opacity
    StickEngine_cls engine;        ///< the stick list

    /// The search settings as the engine takes them.
    StickRule_cls Rule() const;
};

/// GUI thread only.
class FilterStick_cls : public FilterBase_cls {
public:
    explicit FilterStick_cls(FilterCtrl_cls* list);
    FilterStickData_cls* Data() const { return static_cast<FilterStickData_cls*>(GetData()); }

    /// Fills and checks the list for one draw (nothing when disabled): CalcType 0 reads the
    /// stick file of `dataFrame` and `mask`, any other computes from `frame` (null: no
    /// frame); then the index check and the box's image offsets. A file that can not be
    /// used is reported once per path (platform::ReportError and `errorSink`).
    void Prepare(const StickFrame_cls* frame, const StickBox_cls& box, int mask, int dataFrame);
    /// Prepare, then the sticks in GL for the copy with neighbour mask `mask` (defined
    /// with the window code).
    void Draw(const StickFrame_cls* frame, const StickBox_cls& box, int mask, int dataFrame);

    /// "#macro CY(...)" ... "#end" with the filter's radius, alpha and texture record.
    wxString PovMacro();
    /// Appends the eight "STICKS" declarations for `positions` when the filter is enabled;
    /// with `addToEarlier` they extend the unions an earlier Stick filter declared.
    void PovSticks(wxString& out, const float* positions, bool addToEarlier = false);

    /// What the POV-Ray scene takes of an enabled Stick filter: PovMacro, then PovSticks.
    /// `positions`: the drawable frame the sticks were last prepared for (may be null:
    /// empty unions). Every enabled Stick filter after the first passes `addToEarlier`:
    /// its macro replaces the earlier one only after their cylinders are made, and its
    /// sticks join theirs.
    void PovMacroAndSticks(wxString& out, const float* positions, bool addToEarlier = false);

    /// Where a stick file failure is shown to the user besides standard error (the panel
    /// installs a message); may be empty.
    std::function<void(const std::string& message)> errorSink;
    /// The last failure reported ("" when the last read worked).
    const std::string& LastError() const { return lastError_; }

private:
    std::string lastError_;
};
