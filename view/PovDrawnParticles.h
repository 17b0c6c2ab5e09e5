// The particles the views show, handed to the POV-Ray particle writer: the per-type tables
// built from the four types' drawing attributes, and the drawn frame with its draw order.
#pragma once

#include <cstdio>
#include <string>

#include <wx/string.h>

#include "scene/PovParticleText.h"

class ParticleAttrib_cls;
class Snap_cls;
struct ParticleRecord_cls;

/// Fills the four types' tables from `attribs` (all non-null): draw type, RadiusType 1 as a
/// fixed radius, GetRadiusFactor() × the down-sizing factor of the first set's draw options
/// (1 without them), the Ambient, Diffuse and Specular colours at value 0 with the alpha
/// replaced by "AlphaFactro=", and the plain macro unless one of the three colours uses its
/// curve or `softBooleanBorder` (an enabled Boolean filter of list 0 with a border factor) is
/// set. With "Classify=" 0 in the first set's draw options every type takes the first set's
/// attributes, as the views draw them. Updates the colour records' scaling first. GUI thread.
void PovParticleTypesFrom(ParticleAttrib_cls* const attribs[4], bool softBooleanBorder, PovParticleType_cls types[4]);

/// The writer's view of `frame` and `count` records of `order` (borrowed; may be null when
/// count is 0).
PovParticleFrame_cls PovParticleFrameOf(const Snap_cls& frame, const ParticleRecord_cls* order, int count);

/// Appends the particle text of the last draw (GpSnap in the order of GpDrawOrder) to `out`:
/// the macros and the "PARTICLES" union. Without a drawable frame the union is declared
/// empty, so the scene still parses, and false is returned; false too when memory ran out
/// and particles are missing. `problem` (may be null) then says which, for the caller to
/// report. GUI thread.
bool PovWriteDrawnParticles(wxString& out, ParticleAttrib_cls* const attribs[4], bool softBooleanBorder,
                            bool singleForm, std::string* problem = nullptr);
/// The same written to an open file, batch by batch (the whole text is never held). A file
/// that refuses the bytes shows in its error flag.
bool PovWriteDrawnParticles(std::FILE* out, ParticleAttrib_cls* const attribs[4], bool softBooleanBorder,
                            bool singleForm, std::string* problem = nullptr);
/// The same into bytes (UTF-8).
bool PovWriteDrawnParticles(std::string& out, ParticleAttrib_cls* const attribs[4], bool softBooleanBorder,
                            bool singleForm, std::string* problem = nullptr);
