// Settings and colour records of one particle type's drawing attributes.
#include "view/ParticleAttrib.h"

#include "filters/ColorCurve.h"
#include "timeline/ParamTextStream.h"

ParticleAttrib_cls::ParticleAttrib_cls(DataSequence_cls* owner_, int sequenceIndex, int typeIndex_,
                                       DrawOptions_cls* drawOptions_)
    : owner(owner_), drawOptions(drawOptions_), typeIndex(typeIndex_) {
    keyPrefix = "SEQ" + std::to_string(sequenceIndex) + "TYPE" + std::to_string(typeIndex);
    label = wxString::Format("Attrib %d", typeIndex);
    const wxString prefix = wxString::FromUTF8(keyPrefix);

    col.reset(new ColorCurve_cls(keyPrefix + "Col", label + " : Color", "1 0.8 0.2 1", 0, nullptr));
    ambient.reset(new ColorCurve_cls(keyPrefix + "Ambient", label + " : Ambient", "0.2 0.16 0.04 1", 0, nullptr));
    diffuse.reset(new ColorCurve_cls(keyPrefix + "Diffuse", label + " : Diffuse", "1 0.8 0.2 1", 0, nullptr));
    specular.reset(new ColorCurve_cls(keyPrefix + "Specular", label + " : Specular", "1 0.8 0.2 1", 0, nullptr));

    // Choices are clamped to their lists so that a damaged file cannot index past them.
    drawType.SetRange(0, 4);
    drawQuality.SetRange(0, 2);
    blendType.SetRange(0, 1);
    radiusType.SetRange(0, 1);
    pointSize.SetRange(1, 50);
    alphaType.SetRange(0, 1);
    shaderType.SetRange(0, 3);
    settings.Register(&drawType, prefix + "DrawType=", "0");
    settings.Register(&drawQuality, prefix + "DrawQuality=", "0");
    settings.Register(&blendType, prefix + "BlendType=", "0");
    settings.Register(&radiusType, prefix + "RadiusType=", "0");
    settings.Register(&radiusFactor, prefix + "RadiusFactor=", "1");
    settings.Register(&radiusFactorForConst, prefix + "RadiusFactorForConst=", "0.001");
    settings.Register(&pointSize, prefix + "PointSize=", "10");
    settings.Register(&alphaType, prefix + "AlphaType=", "0");
    settings.Register(&shaderType, prefix + "ShaderType=", "0");
    settings.Register(&alphaFactro, prefix + "AlphaFactro=", "1");
    settings.Register(&alphaDependBase, prefix + "AlphaDependBase=", "1");
    settings.Register(&alphaMax, prefix + "AlphaMax=", "1");
    settings.Register(&texFileBillboard, prefix + "TexFileBillboard=", "Texture/ParticleA.png");
}

// The shared shader manager is not touched here: it belongs to the GL context's owner and
// outlives every attribute set (one set going away must not take the shaders of the others).
ParticleAttrib_cls::~ParticleAttrib_cls() {
    if (releasePanel) releasePanel();
    panel = nullptr;
}

float ParticleAttrib_cls::GetRadiusFactor() const {
    return radiusType.value == 1 ? radiusFactorForConst.value : radiusFactor.value;
}

void ParticleAttrib_cls::ReadConfig(ParamTextStream_cls& stream, const std::string& line) {
    ambient->ReadText(stream, line);
    diffuse->ReadText(stream, line);
    specular->ReadText(stream, line);
    col->ReadText(stream, line);
    settings.OfferLine(wxString::FromUTF8(line));
}

wxString ParticleAttrib_cls::WriteConfig() const {
    wxString out = ambient->WriteText();
    out += diffuse->WriteText();
    out += specular->WriteText();
    out += col->WriteText();
    out += settings.WriteAll();
    return out;
}

std::vector<unsigned char> ParticleAttrib_cls::BillboardBytes(const unsigned char* rgb, const unsigned char* alpha,
                                                              int width, int height) {
    if (!rgb || width <= 0 || height <= 0) return {};
    const size_t n = size_t(width) * size_t(height);
    std::vector<unsigned char> out(4 * n);
    for (size_t p = 0; p < n; ++p) {
        out[4 * p] = rgb[3 * p];
        out[4 * p + 1] = rgb[3 * p + 1];
        out[4 * p + 2] = rgb[3 * p + 2];
        out[4 * p + 3] = alpha ? alpha[p] : 255;
    }
    return out;
}
