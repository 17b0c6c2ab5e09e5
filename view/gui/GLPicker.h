// Picking by OpenGL selection mode: the items under a small region around the pointer are
// drawn with their pick names, and the name lists of the hit records are kept.
#pragma once

#include <vector>

/// One picker for the whole program (GoGLPicker). GUI thread, context current.
class GLPicker_cls {
public:
    /// Enters selection mode for a pick at window pixel (x, y) (from the bottom left) with
    /// a region of `size` pixels, under the projection `projection` and the model-view
    /// `modelview` (column-major) that drew the window rectangle `viewport`. Pushes both
    /// matrices; the caller draws the items with their names and then calls End.
    void Begin(double x, double y, double size, const double modelview[16], const double projection[16],
               const int viewport[4]);
    /// Leaves selection mode, keeps the hit records' name lists in buffer order (the first
    /// record wins, whatever its depth) and pops the matrices. An overflowing buffer, or a
    /// record that claims more names than the buffer holds, gives no hits.
    void End();
    /// Decodes a selection buffer of `count` records in `used` entries (`count` negative:
    /// an overflow, no hits). Every read is checked against `used`.
    void Decode(int count, const unsigned* buffer, int used);

    /// First name of the first hit record; -1 when there is none.
    int FirstName() const;
    /// Second name of the first hit record; -1 when there is none.
    int SecondName() const;
    /// Forgets the hits.
    void Clear() { hits.clear(); }

    static constexpr int kBufferSize = 100;
    unsigned selection[kBufferSize] = {};
    std::vector<std::vector<int>> hits;
    float pickX = 0, pickY = 0;

private:
    bool inSelect_ = false;
};

extern GLPicker_cls GoGLPicker;

/// Draws the pick forms of the scene items that exist at scene time `t`. `request` 1: each
/// Boolean, DataBox and Object filter's box under its pick name (20 + 20 x list + index; filters at
/// index 20 or beyond have no name of their own and are not pickable); 2: the selected
/// scene object's gizmo with its axis names 0, 1, 2 under the object's own name (drawn
/// alone, so an item behind the gizmo never hides the axis). Depth test off.
void DrawScenePickForms(double t, int request);
