// The "Info" page's settings: which particle of the displayed frame is shown, and whether
// its values come from the snapshot as read or from the drawable frame; and the values of
// that particle, taken from either.
#pragma once

#include <cstdint>
#include <functional>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"

class InfoPage_cls;
class ParticleData_cls;
class Snap_cls;
class wxWindow;

/// The values the Info page shows for one particle. All 0 for "no such particle".
struct InfoParticle {
    float x = 0, y = 0, z = 0;     ///< position
    float vx = 0, vy = 0, vz = 0;  ///< velocity (raw data only)
    int type = 0;                  ///< particle type 0..3
    int id = 0;                    ///< identifier (raw data only; 0 when IDs are not kept)
    float radius = 0;
    float value = 0;               ///< value1
};

/// Particle `index` of a snapshot as read: every field; all 0 when `data` is null, holds no
/// arrays, or `index` is negative or at or beyond its count.
InfoParticle RawInfoParticle(const ParticleData_cls* data, int64_t index);

/// Particle `index` of a drawable frame: position, type, radius and value; velocity and ID
/// are taken from `previous` (the frame carries neither). All 0 (velocity and ID kept) when
/// `frame` is null or holds no arrays, `index` is out of range, or the frame's stride skips
/// the particle (its entries were never evaluated and hold nothing meaningful).
InfoParticle DrawnInfoParticle(const Snap_cls* frame, int64_t index, const InfoParticle& previous);

/// Owned by the central object; GUI thread only. The two items are written into projects
/// (after the overlay settings) and read from any file.
class InfoSettings_cls {
public:
    /// Registers "InformationIndex=" ("0", 0 to 500000000) and "InformationType=" ("0",
    /// 0 "Interp." or 1 "Raw Data").
    InfoSettings_cls();
    /// Deletes the page record (its windows belong to their parent).
    ~InfoSettings_cls();
    InfoSettings_cls(const InfoSettings_cls&) = delete;
    InfoSettings_cls& operator=(const InfoSettings_cls&) = delete;

    /// Makes the page record on `parent` and publishes it as GpInfoPage (defined with the
    /// page); a second call replaces it.
    void CreatePage(wxWindow* parent);

    int Index() const { return index.value; }
    bool RawData() const { return type.value != 0; }

    /// The values to show for `snapshot` and its drawable frame `frame` (either may be
    /// null): from the snapshot with "Raw Data", else from the frame; `previous` supplies
    /// what the frame lacks.
    InfoParticle Pick(const ParticleData_cls* snapshot, const Snap_cls* frame,
                      const InfoParticle& previous) const;

    ConfItemGroup_cls group;
    ConfItemINT_cls index;   ///< "InformationIndex="
    ConfItemUINT_cls type;   ///< "InformationType="
    InfoPage_cls* page = nullptr;  ///< owned; null until CreatePage

    /// Set by CreatePage: deletes the page record.
    std::function<void()> releasePage;
};
