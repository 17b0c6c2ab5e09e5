// A named group of key-framed components (x, y, z; R, G, B, A; one threshold) or a
// container of child groups: evaluated, keyed, edited, stored and shown together.
#pragma once

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"
#include "timeline/Parameter.h"

#include <cstdint>
#include <string>
#include <vector>

#include "common/KeyedCurves.h"

class wxMouseEvent;
class wxPoint;
class wxSizer;
class wxWindow;
class ParamOwner_cls;
class ParamHeaderView_cls;
class ParamRowView_cls;
class ParamTextStream_cls;

class ParamGroup_cls : public KeyedCurves_cls {
public:
    /// Builds one component per label, named "<name> <label>"; no labels makes a container.
    /// Group names and labels are file syntax and command identity: never translated.
    ParamGroup_cls(const std::string& name, const std::vector<std::string>& labels,
                   uint64_t updateFlags, int timeDependDefault);
    ParamGroup_cls(const ParamGroup_cls&) = delete;
    ParamGroup_cls& operator=(const ParamGroup_cls&) = delete;
    /// Deletes neither the children nor the rows.
    ~ParamGroup_cls() override;

    // ---- evaluation and queries (t -1 / eps -1 as for Parameter_cls) ----
    /// One value per component; with t -1 the components' cachedValue instead. GUI thread.
    std::vector<double> GetValues(double t, double eps);
    /// Components 0..3 at (t, eps); stores cachedValue. GUI thread.
    void GetRGBA(double t, double eps, float out[4]);
    /// The same without storing cachedValue: for worker threads (t must not be -1 there
    /// unless GdCurrentTime is stable). Components missing give 0.
    void GetRGBAConst(double t, double eps, float out[4]) const;
    /// True when no component is time-dependent.
    bool IsConstant() const;
    /// Compares the components' change counters with `counters` and updates it.
    bool CheckChanged(std::vector<int>& counters) const;
    /// Component with that registry name, else the first found in the children.
    Parameter_cls* FindParam(const std::string& registryName);
    /// The owner with that pick id: this group's, else (containers) the first child's.
    ParamOwner_cls* FindOwnerById(int id) const;
    void MarkKeyFrames(std::vector<bool>& marks,
                       const std::function<void(int frame)>& markDataFrame = {}) const;
    bool HasSelectedKeyNear(double t, double dt, double v, double dv) const override;
    /// Number of components used by the loops: the "dimension=" value (0..component count).
    int Dimension() const override;
    int ComponentCount() const { return static_cast<int>(components.size()); }
    /// The curve graph's view of the components (constant evaluation, no cache writes).
    double CurveValue(int component, double t) const override;
    std::vector<CurveKeyPoint> CurveKeys(int component) const override;
    int SelectedCurve() const override { return selectedComponent; }
    void SelectCurve(int component) override { selectedComponent = component; }
    Parameter_cls& Component(int i) { return components[static_cast<size_t>(i)]; }
    const Parameter_cls& Component(int i) const { return components[static_cast<size_t>(i)]; }

    // ---- keying (named blocks when GbParamUndoEnabled is 1; GUI thread) ----
    /// cachedValue := values; keys them at t ("SetKeyFrame") when forced or changed.
    void SetKeyFrame(const std::vector<double>& values, bool force, double t) override;
    /// Keys each component whose cachedValue differs from its curve at t.
    void UpdateChangedKeys(double t);
    /// Keys one component at t (value -9999: the curve value; nothing when a key lies
    /// within 0.015), or with component -1 every component in one "InsertKey" block.
    void InsertKey(int component, double t, double value) override;
    bool DeleteKeyAt(double t);
    void DeleteSelectedKeys() override;
    bool MoveSelectedKeys(double dt, double dv, double eps, double tmin, double tmax, double vmin,
                          double vmax) override;
    void Flip();
    /// Rotates the curves of components 0..n-1 down by one ("Swap"); nothing when the
    /// dimension is 1 or below n.
    void Swap(int n);
    /// Each component takes other's curve ("CopyFromP"); only for equal dimensions.
    void CopyFrom(const ParamGroup_cls& other);
    void SetTimeDependent(bool flag);
    /// Rescales key times; the caller opens the block.
    void ScaleKeyTimes(double x);
    /// The linked key dialog at `position` + (dx, dy) for the key at t (frame shown). GUI
    /// thread; defined in the window library.
    void EditKeyDialog(const wxPoint& position, int dx, int dy, int frame, double t);

    static void BeginBlockIfEnabled(const std::string& name);
    static void EndBlockIfEnabled(const std::string& name);

    // ---- selection ----
    void DeselectKeys() override;
    void SelectKeyAt(double t, double d, int additive, int exclusive);
    bool SelectKeysNear(double t, double dt, double v, double dv, bool stopAtFirst) override;
    bool SelectKeysInRect(double t0, double t1, double y0, double y1, bool state) override;
    /// Selects the owner with that pick id (or that owner) and deselects the others, over
    /// the children first; recolours changed headers. True when any selection changed.
    bool SelectByOwnerId(int id);
    bool SelectByOwner(const ParamOwner_cls* owner);

    // ---- user interface (windows made by the lower panel) ----
    /// Creates the header (nesting `level`: 0 top level) and one row per component as
    /// children of `parent`, adds them to `sizer` (may be null) and attaches them. GUI
    /// thread; defined in the window library.
    void CreateGUI(wxWindow* parent, wxSizer* sizer, int level);
    /// Takes the header and the rows (one per component) made by the window layer.
    void AttachGUI(ParamHeaderView_cls* headerView, const std::vector<ParamRowView_cls*>& rowViews);
    /// Destroys header and rows; header := null, rows emptied.
    void DestroyGUI();
    /// Collapses: rows and link button hidden, children collapsed, folder closed.
    void HideGUI();
    /// Expands: rows shown, children's headers shown, open children expanded.
    void ShowGUI();
    /// Children first; then, when active and expanded, every row updates.
    void RefreshGUI();
    /// The lower panel re-shows and re-lays out every group.
    void UpdateTrackPanel();
    /// active := flag, recursively.
    void SetActive(bool flag);
    void SetMarked(bool flag);
    /// Strip fronts of the linked edits: passed to every component's strip.
    void SetPressTime(double t);
    void EndStripDrag();
    void StripDragMotion(wxMouseEvent& event);
    void StripDragStart(double t, bool setType, bool toStep);

    // ---- text and names ----
    /// A container: its children's texts back to back; otherwise "-ParamGroup=<name>\n",
    /// "dimension=<n>\r\n", "Start\n" and each component's text.
    std::string WriteText() const;
    /// Reads the block when `line` equals "-ParamGroup=<name>"; clamps "dimension=" to
    /// 0..component count.
    void ReadText(ParamTextStream_cls& stream, const std::string& line);
    /// POV-Ray text of every component, identifiers from the registry names with '_' for
    /// blanks.
    std::string GetPovCode() const;
    /// GUI thread; defined in the window library.
    void CopyPovCodeToClipboard() const;
    /// Replaces `from` by `to` in displayName and every registry name, recursively.
    void Rename(const std::string& from, const std::string& to);

    // ---- fields ----
    std::vector<Parameter_cls> components;
    std::vector<ParamRowView_cls*> rows;      ///< while the user interface exists; not owned
    std::vector<ParamGroup_cls*> children;    ///< not owned
    std::string name;                         ///< header of the text block
    std::string displayName;                  ///< shown in the header row and dialog title
    ParamHeaderView_cls* header = nullptr;
    ParamOwner_cls* owner = nullptr;          ///< animated object, or null; not owned
    int32_t selectedComponent = -1;           ///< -1: operations act on all components
    uint8_t container = 0;
    uint8_t listed = 1;
    uint8_t active = 1;
    uint8_t linked = 1;
    uint8_t visible = 1;
    uint8_t marked = 0;
    ConfItemGroup_cls settings;               ///< holds "dimension="
    ConfItemINT_cls dimension;

private:
    bool UsesComponent(int i) const { return selectedComponent == -1 || selectedComponent == i; }
};
