// A key-framed scalar over the normalised scene time: evaluation by five interpolation
// rules, key searches and selection, undoable key editing, project text and POV-Ray text.
#pragma once

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"
#include "timeline/ParamKey.h"

#include <wx/string.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class wxMouseEvent;
class ParamGroup_cls;
class ParamStripView_cls;
class ParamTextStream_cls;
class CommandItem_cls;
class ParamUndoBlock_cls;

/// Current normalised scene time 0..1; written only by the time model (GUI thread) before
/// the workers that read it are started.
extern double GdCurrentTime;
/// Copy of the scene length in frames (100 at start).
extern int GiSceneFrameCount;
/// Sub-steps per frame (1 at start).
extern int GiSceneSubSteps;
/// Default matching width: 1 / frame count / sub-steps (0.01 at start).
extern double GdSceneTimeStep;
/// 1: key edits go through the command history; 0: some edits change keys directly.
extern unsigned char GbParamUndoEnabled;
/// Display names of the five interpolation types, in type order.
extern wxString GoInterpTypeNames[5];

/// Stores frame count and sub-steps and sets GdSceneTimeStep = 1 / count / subSteps
/// (1 when count <= 0; sub-steps below 1 count as 1).
void SetSceneFrameCount(int count, int subSteps);
/// Builds GoInterpTypeNames through the translation lookup (all but the third name).
/// Call once at start-up, after the language is chosen.
void InitInterpTypeNames();

/// The image of `b` (b + k * period) nearest to `a`; a tie keeps the image on b's side of
/// a. A period of 0 returns b; a negative period counts as its absolute value; non-finite
/// input returns b.
double WrapNearest(double a, double b, double period);

/// Time `x` snapped to the nearest of `n` + 1 frame points (halves upward); n -1 means
/// GiSceneFrameCount, n 0 gives 0.
double SnapTimeToFrame(double x, int n);

class Parameter_cls {
public:
    /// One cleared key (time 0, value 0, linear); "timeDepend=" defaults to the low byte of
    /// `timeDependDefault`, "periodic=" to 0.
    Parameter_cls(const std::string& registryName, const std::string& label, uint64_t updateFlags,
                  int timeDependDefault);
    Parameter_cls(const Parameter_cls& other);
    Parameter_cls& operator=(const Parameter_cls& other) { Assign(other); return *this; }
    ~Parameter_cls();

    /// Copies names, flags, settings values, cachedValue and keys; owner and row are copied too.
    void Assign(const Parameter_cls& other);

    // ---- evaluation (t -1 = GdCurrentTime, eps -1 = GdSceneTimeStep) ----

    /// Value at t; stores it in cachedValue. GUI thread.
    double GetValue(double t = -1, double eps = -1);
    /// The same value without touching cachedValue; safe from several worker threads while
    /// nobody edits the keys.
    double Evaluate(double t, double eps) const;
    int GetKeyCount() const { return static_cast<int>(keys.size()); }
    /// Time of key i, -1 when i is out of range.
    double GetKeyTime(int i) const;
    /// Chord slope from key i to key j (the value of j wrapped toward i); 0 when i == j or
    /// either is -1, and when both keys share one time.
    double GetSlope(int i, int j) const;
    /// Recomputes tangent (and ease for HERMITE (AUTO)) of the automatic key types.
    void UpdateAutoTangents();
    /// Stable sort by time.
    void SortKeys();

    /// "timeDepend=": true when the value follows the keys.
    bool IsTimeDependent() const;
    /// "periodic=" value (never negative).
    int GetPeriod() const;
    /// Sets "timeDepend=" directly (no history).
    void SetTimeDependentValue(bool on);
    void SetPeriod(int period);

    // ---- key searches (GUI thread; t -1 and eps -1 resolved unless said) ----
    /// First key with t - eps/2 <= time < t + eps/2; else, with orBefore 1, the key before
    /// the first one past t + eps/2 (0 or the last key at the ends); else -1.
    int FindKey(double t, double eps, int orBefore) const;
    /// Last key with |time - t| < eps/2; eps is used as given.
    int FindLastKeyWithin(double t, double eps) const;
    /// Last key with t - d < time < t + d; -1 when none.
    int FindKeyNear(double t, double d) const;
    /// First key whose time exceeds t + eps/2, else the key count.
    int GetInsertIndex(double t, double eps) const;
    /// At a key: that index + dir (clamped); else dir -1 the last key before t (0 when
    /// none), +1 the first after t (the last when none), other dirs 0. -1 without keys.
    int NeighbourKeyIndex(double t, int dir) const;
    /// Type of FindKey(t, -1, 1), 0 when none.
    int GetKeyTypeAt(double t) const;
    /// Time of the first key above t + eps/2 (the last key's time when none; t when no keys).
    double GetNextKeyTime(double t, double eps) const;
    /// Time of the last key below t - eps/2 (0 when none; t when no keys).
    double GetPrevKeyTime(double t, double eps) const;
    /// A key lies at t; always true when not time-dependent.
    bool HasKeyAt(double t, double eps) const;
    /// True when cachedValue differs from the curve at t (time 0 when not time-dependent);
    /// cachedValue is kept.
    bool IsChangedAt(double t);
    /// Index of the first selected key, -1 when none.
    int GetFirstSelectedKey() const;
    int GetSelectedKeyCount() const;

    // ---- selection (not part of the history) ----
    void DeselectKeys();
    /// Click at t with tolerance d: selects the first key strictly within d; with
    /// `exclusive` 1 and a hit that was not selected (or a miss when not `additive`) the
    /// other keys are deselected. The hit (or -1) becomes the strip's current key.
    void SelectKeyAt(double t, double d, int additive, int exclusive);
    /// Selects keys strictly inside the box (t +- dt, v +- dv); true when any.
    bool SelectKeysNear(double t, double dt, double v, double dv, bool stopAtFirst);
    /// Sets `state` on keys inside the closed rectangle (time only when y0 == y1).
    bool SelectKeysInRect(double t0, double t1, double y0, double y1, bool state);
    bool HasSelectedKeyNear(double t, double dt, double v, double dv) const;

    // ---- text ----
    /// "Parameter_<label>\n", the two settings lines (CR LF), "itemnum <n>\n", the key lines.
    std::string WriteText() const;
    /// Reads the block that `line` (already read) opens when it is "Parameter_<label>"
    /// (a trailing CR or LF aside; "Parameter_XY" is not the line of label "X"); otherwise
    /// nothing happens. The key count is taken from a line starting with "itemnum ". Clamps "periodic=" to its absolute value and a negative
    /// "itemnum" to 0.
    void ReadText(ParamTextStream_cls& stream, const std::string& line);
    /// "Parameter_<label>\nitemnum <n>\n" and the lines of the selected keys; empty when no
    /// key is selected.
    std::string SelectedKeysText() const;
    /// Puts SelectedKeysText on the system clipboard (nothing when empty or the clipboard
    /// cannot be opened). GUI thread; defined in the window library.
    void CopySelectedKeysToClipboard() const;
    /// POV-Ray text declaring `identifier` as this curve of the variable t0.
    std::string GetPovCode(const std::string& identifier) const;

    /// For each key sets bit (int)(GiSceneFrameCount * time + 0.1) of `marks` when in range
    /// and hands that frame to `markDataFrame` when given (the time model maps it to a data
    /// frame and marks that in the data set).
    void MarkKeyFrames(std::vector<bool>& marks,
                       const std::function<void(int frame)>& markDataFrame = {}) const;

    // ---- key editing (history when GbParamUndoEnabled is 1; GUI thread) ----
    /// Adds the key, or overwrites the last key within eps/2 of its time; one undo step.
    /// Without undo the keys change directly.
    void SetKey(const ParamKey_cls& key, double eps);
    /// Keys (t, value, tangent, ease) with the type found at t; t -1 keys the curve's
    /// own value at the current time.
    void SetKeyAt(double t, double value, double tangent, double ease);
    /// Keys cachedValue at t (time 0 when not time-dependent), keeping the selection of a
    /// key that lay there. Returns the new value at t.
    double KeyCachedValue(double t, double tangent, double ease, double eps);
    /// Deletes the first key lying at t (one undo step). The only key is never deleted: it
    /// moves to time 0 (no undo step) and the result is false.
    bool DeleteKeyAt(double t, double eps);
    /// Deletes every selected key in one block; true when any was deleted.
    bool DeleteSelectedKeys();
    /// Drags key `index` by dt snapped to `grid` frames (-1: the scene's frames), clamped
    /// to 0..1; dropped on another key it merges into it. 0 nothing, 1 moved, 3 merged.
    int DragKey(int index, double dt, int grid);
    /// Moves the selected keys by dt (snapped to the scene's steps) and dv within the
    /// limits (a limit pair of 0, 0 is no limit). Its block opens only when something
    /// changes, inside `outer` when given; a move that changes nothing leaves the history
    /// untouched. True when anything changed.
    bool MoveSelectedKeys(double dt, double dv, double eps, double tmin, double tmax,
                          double vmin, double vmax, ParamUndoBlock_cls* outer = nullptr);
    /// Multiplies every key time by x (snapped to frames, one block per key).
    void ScaleKeyTimes(double x);
    /// Takes source's curve (keys, settings values, flags); names stay.
    void CopyFromUndoable(const Parameter_cls& source);
    /// Mirrors the curve in time (t -> 1 - t).
    void FlipUndoable();
    void SetKeyTypeUndoable(int index, int type);
    void SetSelectedKeysType(int type);
    /// Resets the curve to one HERMITE (AUTO) key of cachedValue at the current time and
    /// sets the flag; one block, whose undo restores keys and flag.
    void SetTimeDependentUndoable(bool flag);

    // ---- primitives run by the undo commands ----
    void ResetToKey(double value, double time);
    void MoveKeyTime(double from, double to, double eps);
    void AddKey(double time, double value, int type, double tangent, double ease);
    /// Takes source's keys, settings values, updateFlags and cachedValue (names stay).
    void CopyCurveFrom(const Parameter_cls& source);

    // ---- linked operations: to the whole group when the owner group is linked ----
    bool IsLinked() const;
    void AddKeyLinked(double t);
    void DeleteKeyLinked(double t);
    void MoveSelectedKeysLinked(double dt, double dv, double eps, double tmin, double tmax,
                                double vmin, double vmax);
    void SelectKeyAtLinked(double t, double d, int additive, int exclusive);
    void SelectKeysInRectLinked(double t0, double t1, double y0, double y1, bool state);
    void SetPressTimeLinked(double t);
    void EndDragLinked();
    void DragMotionLinked(wxMouseEvent& event);
    void DragStartLinked(double t, bool setType, bool toStep);
    void RefreshGroupRows();

    // ---- fields ----
    std::vector<ParamKey_cls> keys;  ///< sorted by time after every edit
    ConfItemGroup_cls settings;      ///< "timeDepend=" then "periodic="
    ConfItemBOOL_cls timeDepend;
    ConfItemINT_cls periodic;
    ParamGroup_cls* owner = nullptr;     ///< group of which this is a component; not owned
    ParamStripView_cls* row = nullptr;   ///< key strip showing this parameter; not owned
    std::string registryName;            ///< "<group name> <label>": identity for undo
    std::string label;                   ///< component label ("X", "R", "Time")
    uint64_t updateFlags = 0;            ///< update bits reported by every command on it
    int32_t changeCounter = 0;           ///< +1 per executed command
    double cachedValue = 0.0;            ///< last GetValue, or a value an editor is about to key

private:
    void RegisterSettings();
    double ResolveTime(double t) const;
    static double ResolveEps(double eps);
    static void PushAndRun(CommandItem_cls* doCmd, CommandItem_cls* undoCmd);
};
