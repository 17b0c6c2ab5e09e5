// Settings of the periodic simulation box (type, effect, size factors, base vectors) and the
// correction of position differences of particles that crossed the box.
#pragma once

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"
#include "common/Vec3.h"

/// Values of "PeriodicType=".
enum PeriodicType {
    PERIODIC_NONE = 0,  ///< "No Periodic Boundary Condition"
    PERIODIC_XY = 1,    ///< "Periodic in x-y plane": x and y are corrected
    PERIODIC_XYZ = 2,   ///< "Periodic in xyz space": x, y and z are corrected
};

/// Values of "PeriodicEffect=".
enum PeriodicEffect {
    PERIODIC_GUESS_VELOCITY = 0,  ///< "Guess velocity": minimum image
    PERIODIC_ZERO_VELOCITY = 1,   ///< "Force velocity to be 0"
};

/// A plain copy of what the interpolation needs of the box: type, effect and the three box
/// edges. Value type, any thread (the interpolation workers each hold one).
class PeriodicRule_cls {
public:
    int type = PERIODIC_NONE;              ///< PeriodicType; other values are unknown
    int effect = PERIODIC_GUESS_VELOCITY;  ///< PeriodicEffect; other values are unknown
    float edge[3] = {0.0f, 0.0f, 0.0f};    ///< box edges Lx, Ly, Lz as given

    /// No periodic boundary.
    PeriodicRule_cls() = default;
    /// Edges as given; an edge's sign is ignored and an edge of 0 (or not finite) leaves
    /// its axis uncorrected, since such a box has no width.
    PeriodicRule_cls(int type, int effect, float lx, float ly, float lz);

    /// True for a type of 0..2 with an effect of 0..1. An unknown rule has no rate rule:
    /// the interpolation computes no rates with it (all rates stay 0).
    bool IsKnown() const;
    /// 0 for no boundary (or an unknown rule), 2 for the x-y plane, 3 for xyz space.
    int CorrectedAxes() const;

    /// The position difference `d` along `axis` (0..2) of a particle between two snapshots,
    /// corrected: with effect 0 a difference beyond half the edge (strictly) is moved by one
    /// edge towards zero (one step, not a modulo); with effect 1 it becomes 0. Axes that are
    /// not corrected return `d` unchanged. Computed in float.
    float Correct(float d, int axis) const {
        const float len = box_[axis];
        if (len == 0.0f) return d;
        if (d > len * 0.5f) return effect == PERIODIC_GUESS_VELOCITY ? d - len : 0.0f;
        if (d < len * -0.5f) return effect == PERIODIC_GUESS_VELOCITY ? d + len : 0.0f;
        return d;
    }

    /// |edge| of a corrected axis, 0 for an axis that is not corrected.
    float CorrectedEdge(int axis) const { return box_[axis]; }

private:
    float box_[3] = {0.0f, 0.0f, 0.0f};  ///< |edge| of corrected axes, 0 for the others
};

/// The periodic boundary settings, one instance owned by the central object
/// (`GpPeriodicBoundary`), saved in the configuration and project files. Its dialog lives
/// on the window side. GUI thread only; workers take a PeriodicRule_cls copy.
class PeriodicBoundary_cls {
public:
    ConfItemUINT_cls periodicType;      ///< "PeriodicType=", 0..2 (clamped when read)
    ConfItemFLOATARRAY_cls periodicSize;///< "PeriodicSize=", 3 box size factors ("Box Size")
    ConfItemUINT_cls periodicEffect;    ///< "PeriodicEffect=", 0..1 (clamped when read)
    ConfItemFLOATARRAY_cls baseVector[3];  ///< "PeriodicBaseVector0=".."2=", A, B, C
    ConfItemGroup_cls group;            ///< the six items in writing order

    /// Registers the six items with their defaults.
    PeriodicBoundary_cls();
    PeriodicBoundary_cls(const PeriodicBoundary_cls&) = delete;
    PeriodicBoundary_cls& operator=(const PeriodicBoundary_cls&) = delete;

    /// Registers the items in this order: "PeriodicType=" "0", "PeriodicSize=" "1 1 1",
    /// "PeriodicEffect=" "0", "PeriodicBaseVector0=" "10 0 0", "PeriodicBaseVector1="
    /// "0 10 0", "PeriodicBaseVector2=" "0 0 10".
    void RegisterItems();

    /// out := base vector `axis` multiplied component by component with the size factors:
    /// the displacement of the periodic image along that axis. An axis outside 0..2 gives
    /// (0, 0, 0).
    void GetImageOffset(Vec3f& out, int axis) const;
    /// The box edges of the interpolation: Lx = x of GetImageOffset(0), Ly = y of
    /// GetImageOffset(1), Lz = z of GetImageOffset(2) (only the box diagonal counts).
    void GetBoxEdges(float& lx, float& ly, float& lz) const;
    /// Type, effect and box edges as a copy for the interpolation workers.
    PeriodicRule_cls MakeRule() const;

    /// Offers a configuration or project line to the items; true when one took it.
    bool ReadConfig(const wxString& line);
    /// The six settings lines in registration order ("Key=value\r\n" each).
    wxString WriteConfig() const;
};

/// The program's periodic boundary, created and owned by the central object; null before.
extern PeriodicBoundary_cls* GpPeriodicBoundary;
