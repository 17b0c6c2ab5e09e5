#include "view/PovDrawnParticles.h"

#include <cstddef>
#include <string>

#include "filters/ColorCurve.h"
#include "platform/Trace.h"
#include "view/DrawOptions.h"
#include "view/ParticleAttrib.h"
#include "view/ParticleRecord.h"
#include "view/Snap.h"

namespace {

void ColourAtZero(ColorCurve_cls& record, float alpha, float out[4]) {
    record.UpdateScaling();
    record.ColorForValue(0.0f, out);
    out[3] = alpha;
}

template <typename Out>
bool WriteDrawn(Out& out, ParticleAttrib_cls* const attribs[4], bool softBooleanBorder, bool singleForm,
                std::string* problem) {
    PovParticleType_cls types[4];
    PovParticleTypesFrom(attribs, softBooleanBorder, types);
    const bool haveFrame = GpSnap != nullptr;
    const PovParticleFrame_cls frame =
        haveFrame ? PovParticleFrameOf(*GpSnap, GpDrawOrder, GpDrawOrder ? GiDrawOrderCount : 0) : PovParticleFrame_cls{};
    const PovParticleCounts_cls counts = PovWriteParticles(out, types, frame, singleForm);
    if (counts.nonFinite > 0 || counts.badRecords > 0)
        platform::Trace("POV-Ray particles: " + std::to_string(counts.written) + " written, " +
                        std::to_string(counts.nonFinite) + " not finite, " + std::to_string(counts.badRecords) +
                        " out of range");
    if (counts.outOfMemory) {
        if (problem)
            *problem = "out of memory after " + std::to_string(counts.written) +
                       " particles; the scene lacks the others";
        return false;
    }
    if (!haveFrame && problem) *problem = "no frame has been drawn yet; the scene holds no particles";
    return haveFrame;
}

}  // namespace

void PovParticleTypesFrom(ParticleAttrib_cls* const attribs[4], bool softBooleanBorder, PovParticleType_cls types[4]) {
    const DrawOptions_cls* options = attribs[0]->drawOptions;
    const float c = PovDownSizingFactor(options ? options->DownSizing() : 1);
    // With "Classify=" 0 the views draw every particle with the first set: so does the scene.
    const bool classified = !options || options->Classify() != 0;
    for (int t = 0; t < 4; ++t) {
        ParticleAttrib_cls& a = *attribs[classified ? t : 0];
        PovParticleType_cls& ty = types[t];
        ty.drawType = static_cast<int>(a.drawType.value);
        ty.fixedRadius = a.radiusType.value == 1;
        ty.radius = a.GetRadiusFactor() * c;
        ty.plainMacro = !softBooleanBorder && !a.ambient->UsesCurve() && !a.diffuse->UsesCurve() &&
                        !a.specular->UsesCurve();
        const float alpha = a.alphaFactro.value;
        ColourAtZero(*a.ambient, alpha, ty.colours.ambient);
        ColourAtZero(*a.diffuse, alpha, ty.colours.diffuse);
        ColourAtZero(*a.specular, alpha, ty.colours.specular);
    }
}

PovParticleFrame_cls PovParticleFrameOf(const Snap_cls& frame, const ParticleRecord_cls* order, int count) {
    PovParticleFrame_cls f;
    if (frame.allocated) {
        f.positions = frame.positions;
        f.radii = frame.radius;
        f.types = frame.type;
        f.particleCount = frame.count;
    }
    if (order && count > 0) {
        f.orderIndex = &order->index;
        f.orderWeight = &order->weight;
        f.orderStride = sizeof(ParticleRecord_cls);
        f.orderCount = count;
    }
    return f;
}

bool PovWriteDrawnParticles(wxString& out, ParticleAttrib_cls* const attribs[4], bool softBooleanBorder,
                            bool singleForm, std::string* problem) {
    return WriteDrawn(out, attribs, softBooleanBorder, singleForm, problem);
}

bool PovWriteDrawnParticles(std::FILE* out, ParticleAttrib_cls* const attribs[4], bool softBooleanBorder,
                            bool singleForm, std::string* problem) {
    return WriteDrawn(out, attribs, softBooleanBorder, singleForm, problem);
}

bool PovWriteDrawnParticles(std::string& out, ParticleAttrib_cls* const attribs[4], bool softBooleanBorder,
                            bool singleForm, std::string* problem) {
    return WriteDrawn(out, attribs, softBooleanBorder, singleForm, problem);
}
