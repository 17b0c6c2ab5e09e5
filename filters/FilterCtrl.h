// One of the three filter lists (0 visibility, 1 scene additions, 2 world): creating,
// naming, inserting, removing and moving filters, the selection, the project section,
// value access by name, and the services the views and writers reach the filters by.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/string.h>

#include "common/FilterValueTarget.h"
#include "filters/FilterBase.h"
#include "filters/FilterParticles.h"

class FilterCopy_cls;
class FilterBG_cls;
class FilterGLCache_cls;
class GLCamera_cls;
struct ObjectDrawContext;
struct PovObjectStyle_cls;
class FilterDataBoxData_cls;
struct PovBGContext_cls;
class FilterFog_cls;
class TagList_cls;
class FilterListView_cls;
class FilterStick_cls;
class PovRayCtrl_cls;
class Parameter_cls;
class ParamTextStream_cls;

/// An ordered list of owned filters. GUI thread only.
class FilterCtrl_cls : public FilterValueTarget_cls {
public:
    explicit FilterCtrl_cls(int listIndex);
    ~FilterCtrl_cls() override;
    FilterCtrl_cls(const FilterCtrl_cls&) = delete;
    FilterCtrl_cls& operator=(const FilterCtrl_cls&) = delete;

    int ListIndex() const { return listIndex_; }
    /// The page that shows this list (not owned; null: none). It hears every change.
    void SetView(FilterListView_cls* view) { view_ = view; }
    FilterListView_cls* View() const { return view_; }
    /// Selects `filter` in all three lists (the central object's selection; set by it).
    /// Empty: only this list's SelectFilter.
    std::function<void(FilterBase_cls* filter)> selectAcrossLists;
    /// Selects `filter` through selectAcrossLists, or this list alone when that is empty.
    void SelectEverywhere(FilterBase_cls* filter);
    int Count() const { return static_cast<int>(filters_.size()); }

    /// A new filter of `kind` (0..8) at `position` (-1 or Count(): the end; clamped),
    /// with the settings, colours and key frames of `source` when given (T, R, S override
    /// the source's groups), named uniquely from its name pattern (or the source's name).
    /// Null for a kind that is not built or out of range.
    FilterBase_cls* AddFilter(int kind, int position, const FilterData_cls* source,
                              const ParamGroup_cls* t, const ParamGroup_cls* r, const ParamGroup_cls* s);
    /// Removes and deletes filter `index`; an index outside the list does nothing. The
    /// filter's GL objects (a BG filter's textures and lists) are kept for ReleaseRetiredGL:
    /// no GL context need be current here.
    void DeleteFilter(int index);
    /// Deletes the GL objects of the filters deleted since the last call. GUI thread, with
    /// the views' shared GL context current (a view's paint).
    void ReleaseRetiredGL();
    /// Removes and deletes every filter (not undoable).
    void DeleteAll();
    /// Exchanges filters `index` and `index + offset` when both exist.
    void MoveFilter(int index, int offset);
    /// Undoable deletion of the selected filter (one history step).
    void DeleteSelected();
    /// Undoable move of the selected filter by `offset` when it stays inside the list.
    void MoveSelected(int offset);
    /// Renames filter `oldName` to `newName` (blanks trimmed): its settings, registry names
    /// and panel follow. An empty name, or one another filter of the list has, is refused.
    /// Returns the new name, or "" when there is no such filter or the name is refused.
    wxString RenameFilter(const wxString& oldName, const wxString& newName);
    /// Undoable RenameFilter of `filter` (one history step); "" when nothing changed (the
    /// same name, an empty one, or one that is taken).
    wxString RenameUndoable(FilterBase_cls* filter, const wxString& newName);
    /// Selects `filter` (null: none) and deselects the others; true when any changed.
    bool SelectFilter(const FilterBase_cls* filter);

    /// Filter at `index`, or null outside the list.
    FilterBase_cls* GetNode(int index) const;
    /// Index of `filter`, -1 when not in this list.
    int IndexOf(const FilterBase_cls* filter) const;
    /// First filter whose FilterName equals `name` exactly, or null.
    FilterBase_cls* FindByName(const wxString& name) const;
    /// `pattern` expanded with 0, 1, ... (only integer conversions; a pattern without one
    /// is itself) until no filter of the list has that name; after 99 tries the last.
    wxString UniqueName(const wxString& pattern) const;
    /// Filter drawn under pick name `id` (20 + 20 * list + index), or null when the id
    /// names another list or an index beyond this list.
    FilterBase_cls* FilterForPickId(int id) const;
    /// Pick name of filter `index` of this list.
    int PickIdOf(int index) const { return index + 20 * listIndex_ + 20; }

    /// "---FilterCtrl<i>Begin\n", per filter "-FilterBegin\n" text "-FilterEnd\n", and
    /// "---FilterCtrl<i>End\n".
    std::string WriteSection();
    /// When `line` is this list's begin line: reads filters up to the end line. Each
    /// filter goes to the list of its kind (`lists[list]`, or this list when that entry is
    /// null). A block whose kind is unknown or not built is skipped to its "-FilterEnd".
    /// Returns the number of blocks skipped.
    int ReadSection(ParamTextStream_cls& stream, const std::string& line, FilterCtrl_cls* const lists[3]);
    /// What the reads since the last call had to narrow in the filters they read (one line
    /// per filter), then forgets it.
    std::vector<wxString> TakeReadNotes() { return std::move(readNotes_); }

    /// Stores a number into the setting at `address` ("<name>::<key>[::DIM=<j>]"); an
    /// address naming no filter or setting does nothing.
    void SetValueByAddress(const wxString& address, double x, int n);
    /// Stores `text` into the string setting at `address` ("<name>::<key>"); the name
    /// itself is not changed this way (see RenameFilter). Anything else does nothing.
    void SetTextByAddress(const wxString& address, const wxString& text);
    /// Keys group `paramName` ("Filter Scale", ...) of filter `filterName` at the current
    /// time with `values` when it has exactly that many components.
    void SetKeyByNames(const wxString& filterName, const std::string& paramName,
                       const std::vector<double>& values);
    /// First component with that registry name over the filters' containers, or null.
    Parameter_cls* FindParam(const std::string& registryName) const;
    /// When `p` belongs to one of this list's filters, an address that FindByAddress
    /// resolves after the filter was deleted and re-created: this list and the registry
    /// name for a component of the filter's parameter groups (names are unique in a list,
    /// not across lists); this list, the filter's name, the record's name and the component
    /// for a component of a colour record's curve (whose registry name every filter of the
    /// kind shares). "" when `p` is none of these.
    std::string AddressOf(const Parameter_cls& p) const;
    /// The parameter at `address` (made by AddressOf of this list) now, or null when the
    /// address names another list, a missing filter, record or component.
    Parameter_cls* FindByAddress(const std::string& address) const;

    /// Weights of `particles.count` records at data time `time`: 1 each, then every
    /// Boolean and Filtering filter in list order. `weights` holds `count` floats.
    void ComputeWeights(const FilterParticles_cls& particles, double time, float* weights,
                        int threads = 0);
    /// ComputeWeights, then keeps the records of weight above 0 in order with their weight
    /// stored; returns the number kept. R: first field int particle index, float `weight`.
    /// `ids`: the particles' identifiers (particleCount of them), or null when not kept.
    template <class R>
    size_t ApplyToParticles(R* records, const float* positions, size_t particleCount, size_t count,
                            double time, int threads = 0, const int32_t* ids = nullptr) {
        std::vector<float> w(count);
        FilterParticles_cls particles = FilterParticles_cls::FromRecords(records, count, positions, particleCount);
        particles.ids = ids;
        ComputeWeights(particles, time, w.data(), threads);
        return CompactByWeights(records, w.data(), count);
    }

    /// True when an enabled Boolean filter has a BorderFactor other than 0.
    bool HasBorderBoolean() const;
    /// First CopyBox filter, enabled or not.
    FilterCopy_cls* FindCopy() const;
    /// First Fog filter, enabled or not (a disabled first one means no fog at all).
    FilterFog_cls* FindFog() const;
    /// Every Grid filter drawn at scene time t for a view with `camera`, corners labelled
    /// into `tags` (may be null). GL context required (defined in the views' GL layer).
    void DrawGrids(double t, const GLCamera_cls& camera, TagList_cls* tags);
    /// Every enabled BG filter, in list order (the views draw them after the clear).
    std::vector<FilterBG_cls*> GetEnabledBGs() const;
    /// Appends the POV-Ray text of every BG filter at time t (common files through
    /// `context`, whose StartRun the export calls at the start of each run).
    void PovBG(wxString& out, double t, PovBGContext_cls& context);
    /// PovBG for the export run of `ctrl`: common files in its work folder (absolute
    /// prefix), its BG-common-written flag read and set; this list keeps the names written
    /// in the run (a cleared flag starts a new run).
    void PovBG(wxString& out, double t, PovRayCtrl_cls& ctrl);
    /// Every enabled Stick filter, in list order.
    std::vector<FilterStick_cls*> GetEnabledSticks() const;
    /// Data of the first enabled DataBox filter.
    FilterDataBoxData_cls* GetEnabledDataBoxData() const;
    /// True when an Object or Grid filter is enabled and not hidden by its eye.
    bool HasEnabledObjectOrGrid() const;
    /// The mesh declarations of the enabled Object filters that the eye shows,
    /// concatenated. With `dataFrame` >= 0 each of those meshes is loaded for that frame first.
    wxString PovObjectDeclares(const PovObjectStyle_cls& style, int dataFrame = -1);
    /// Appends the POV-Ray objects of the Object and Grid filters, in list order, at
    /// normalised time `time` in `mode` (0 once per scene, 1 once per periodic copy with that
    /// copy's `copyTransform`; grids are written only in mode 0), each indented by
    /// `indentCount` tabs. Grids face away from `style.camera` and are `style.lineWidth`
    /// x 0.002 thick.
    void PovObjects(wxString& out, double time, int mode, unsigned indentCount, const wxString& copyTransform,
                    const PovObjectStyle_cls& style);
    /// True when an enabled Object filter's normal pattern calls f_ridged_mf: the scene
    /// must then include "functions.inc".
    bool ObjectsUseFunctions() const;
    /// The scene writer's forms: the declarations and objects in the POV-Ray controller's
    /// style, each Object filter taking the copy transform set last (SetCopyTransform).
    /// `camera` is what the Grid filters are seen from, `lineWidth` the views' "LineWidth="
    /// that sets their thickness.
    wxString PovObjectDeclares();
    void SetCopyTransform(const wxString& transform) { povCopyTransform_ = transform; }
    void PovObjects(wxString& out, double time, int mode, int indentCount, const GLCamera_cls& camera,
                    float lineWidth = 5.0f);
    /// The Object filters' panels show or hide their rows again (after a time change).
    void RefreshObjectGUIs();
    /// GL: every Object filter draws itself (pass and frame in `context`). GL context
    /// current; defined with the GL code.
    void DrawObjects(const ObjectDrawContext& context);
    /// Every filter's UpdateTransform(time).
    void UpdateTransforms(double time);

    // FilterValueTarget_cls
    wxString GetItemAddress(const void* value) const override;
    CommandItem_cls* MakeValueCommand(const wxString& address, int value, uint64_t updateFlags) override;
    CommandItem_cls* MakeValueCommand(const wxString& address, unsigned value, uint64_t updateFlags) override;
    CommandItem_cls* MakeValueCommand(const wxString& address, float value, uint64_t updateFlags) override;
    CommandItem_cls* MakeValueCommand(const wxString& address, double value, uint64_t updateFlags) override;
    CommandItem_cls* MakeValueCommand(const wxString& address, const wxString& value,
                                      uint64_t updateFlags) override;

private:
    int listIndex_;
    FilterListView_cls* view_ = nullptr;
    std::vector<wxString> readNotes_;  ///< see TakeReadNotes
    wxString povCopyTransform_;  ///< the periodic copy the scene writer writes now
    wxString pendingRenameTo_;  ///< the do half of a name edit, for its undo half
    std::vector<std::unique_ptr<FilterBase_cls>> filters_;
    std::unique_ptr<PovBGContext_cls> bgRun_;  ///< the BG common files of the current export run
    /// GL objects of deleted filters, kept until a view releases them (ReleaseRetiredGL).
    std::vector<std::unique_ptr<FilterGLCache_cls>> retiredGL_;
};

/// A new filter object of `kind` with default data (not in any list), or null when the
/// kind is out of range or not built here.
std::unique_ptr<FilterBase_cls> MakeFilter(int kind, FilterCtrl_cls* list);

/// The three lists of the scene, set by the central object (null before it exists).
extern FilterCtrl_cls* GpFilterCtrls[3];
