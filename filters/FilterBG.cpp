// BG filter: settings, the star field, the fisheye rim repair and the POV-Ray text.
#include "filters/FilterBG.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>

#include "filters/ColorCurve.h"
#include "platform/Trace.h"
#include "scene/PovText.h"
#include "timeline/ParamGroup.h"

FilterBGData_cls::FilterBGData_cls() : FilterData_cls(true, true) {
    // "BG" has no translation: the name pattern is the same in every language.
    filterName.Init("FilterName=", "BG%02d");
    colors.push_back(new ColorCurve_cls("BGColor", "BGColor", "0.1 0.3 0.5 1", 0, nullptr));
    bgType.SetRange(0, 2);
    starNumber.SetRange(0, kMaxStars);  // none for 0 or less, as before
    mappingType.SetRange(0, 1);
    colorMap.SetRange(0, 1);
    brightness.SetRange(0.0f, kMaxBGBrightness);
    settings.Register(&bgType, "BGType=", "0");
    settings.Register(&starNumber, "BGStarNumber=", "4000");
    settings.Register(&bgScale, "BGScale=", "1000");
    settings.Register(&starScale, "StarScale=", "3");
    settings.Register(&brightness, "BGBrightness=", "1");
    settings.Register(&mappingType, "BGMappingType=", "0");
    settings.Register(&textureA, "BGTectureA=", "NONE");
    settings.Register(&textureB, "BGTectureB=", "NONE");
    settings.Register(&colorMap, "BGColorMap=", "1");
}

float FilterBGData_cls::Brightness() const {
    const float b = brightness.value;
    if (!(b > 0.0f)) return 0.0f;  // NaN too
    return std::min(b, kMaxBGBrightness);
}

std::vector<BGStar_cls> MakeStarField(int count, float bgScale, float starScale) {
    std::vector<BGStar_cls> stars;
    if (count <= 0) return stars;
    count = std::min(count, kMaxStars);
    stars.reserve(static_cast<size_t>(count));
    StarRandom_cls random(1);
    for (int i = 0; i < count; ++i) {
        float p[3];
        for (float& c : p) c = random.Next() / 32767.0f - 0.5f;
        const float g = float(i) / float(count);
        const float alpha = g < 0.5f ? 1.0f / ((0.5f - g) * 10.0f + 1.0f) : 1.0f;
        BGStar_cls s;
        s.size = std::sqrt(std::sqrt(g * 99.0f + 1.0f)) * starScale / std::sqrt(alpha);
        const float len = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]) + 0.00001f;
        for (int k = 0; k < 3; ++k) s.position[k] = p[k] * bgScale / len;
        static const float kColours[4][3] = {{1, 1, 1}, {1, 1, 1}, {1, 0.9f, 0.8f}, {0.8f, 0.9f, 1}};
        for (int k = 0; k < 3; ++k) s.color[k] = kColours[i % 4][k];
        s.color[3] = alpha;
        stars.push_back(s);
    }
    return stars;
}

void FixFisheyeEdge(unsigned char* rgb, unsigned char* alpha, int w, int h) {
    if (!rgb || !alpha || w != h || w <= 0) return;
    const double W = w;
    auto inside = [w](int x, int y) { return x >= 0 && y >= 0 && x < w && y < w; };
    for (double e : {1.0, 0.5, 0.0, -0.5}) {
        for (double phi = 0; phi < 6.28318; phi += 0.5 / W) {
            const double c = std::cos(phi), s = std::sin(phi);
            const double fo = (W - e) / W, fi = (W - e - 1.5) / W;
            const int ox = int((0.5 * c * fo + 0.5) * W), oy = int((0.5 * s * fo + 0.5) * W);
            const int ix = int((0.5 * c * fi + 0.5) * W), iy = int((0.5 * s * fi + 0.5) * W);
            // The outermost ring reaches past the image's edge: those pixels do not exist.
            if (!inside(ox, oy) || !inside(ix, iy)) continue;
            const size_t o = size_t(oy) * size_t(w) + size_t(ox), in = size_t(iy) * size_t(w) + size_t(ix);
            for (int k = 0; k < 3; ++k) rgb[3 * o + size_t(k)] = rgb[3 * in + size_t(k)];
            alpha[o] = alpha[in];
        }
    }
}

FilterBG_cls::FilterBG_cls(FilterCtrl_cls* list)
    : FilterBase_cls(list, FILTER_BG, std::make_unique<FilterBGData_cls>()) {}

FilterBG_cls::~FilterBG_cls() = default;

bool FilterBG_cls::IsStatic() const {
    const FilterBGData_cls* d = Data();
    for (const ParamGroup_cls* g : {d->translate, d->rotation, d->scale})
        if (g && !g->IsConstant()) return false;
    return true;
}

wxString FilterBG_cls::PovFinish() const {
    return "finish { ambient " + PovScalar(Data()->Brightness(), 2) + " diffuse 0 specular 0}";
}

void FilterBG_cls::WritePov(wxString& out, double t, PovBGContext_cls& context) {
    FilterBGData_cls* d = Data();
    // A disabled background is not drawn in the views: it is not rendered either.
    if (!d->filterValid.value) return;
    if (d->bgType.value == 1) {
        // A texture POV-Ray cannot open is left out (its dome or sphere with it) and told.
        const ConfItemSTR_cls* textures[2] = {&d->textureA, &d->textureB};
        for (int which = 0; which < (d->mappingType.value == 0 ? 2 : 1); ++which) {
            const wxString file = textures[which]->Value();
            if (file != "NONE" && !PovPathUsable(file)) context.notes.push_back(PovPathRefusal(file) + "; the texture is left out of the scene");
        }
    }
    switch (d->bgType.value) {
        case 0: PovStarMacro(out); break;
        case 1:
            if (d->mappingType.value == 0) PovDomeDeclares(out);
            break;
        case 2: PovSkySphere(out, t); return;  // a colour sky has no union
        default: break;
    }
    if (IsStatic()) {
        // A clear flag starts a run (the export clears it at the start of each): every
        // static background's common file is written once in it.
        if (!context.commonWritten) context.writtenCommon.clear();
        // The file is named from a safe form of the filter's name: a "/", a '"' or a letter
        // POV-Ray cannot open would give no file, or one the include cannot name.
        const std::string name = PovSafeFileName(d->filterName.Value());
        if (!context.writtenCommon.count(name)) {
            wxString body;
            WritePovUnion(body, t);
            const std::string path = context.pathPrefix + "Common" + name + ".pov";
            std::ofstream file(path, std::ios::binary | std::ios::trunc);
            const std::string bytes = body.utf8_string();
            file.write(bytes.data(), std::streamsize(bytes.size()));
            file.close();
            if (!file && context.failure.empty())
                context.failure = "cannot write " + path + ": " + std::strerror(errno);
            context.writtenCommon.insert(name);
        }
        out << "#include \"Common" << name << ".pov\"\n";
    } else {
        WritePovUnion(out, t);
    }
    context.commonWritten = 1;
}

void FilterBG_cls::WritePovUnion(wxString& out, double t) {
    FilterBGData_cls* d = Data();
    out << "union{\n";
    if (d->bgType.value == 0) {
        PovStars(out);
    } else if (d->bgType.value == 1) {
        if (d->mappingType.value == 0) {
            PovDome(out, 0);
            PovDome(out, 1);
        } else {
            PovSphere(out);
        }
    }
    d->PovTransform(out, t, {});
    out << "\tno_shadow\n";
    out << "}\n";
}

void FilterBG_cls::PovStarMacro(wxString& out) {
    out << "#macro SP(POS, R, RGBT)\n";
    out << "#local RGBT2 = <RGBT.red, RGBT.green, RGBT.blue, 1 - (1 - RGBT.t) * 0.2>;\n";
    out << "sphere{ POS, R\n";
    out << "\tpigment { aoi color_map{[0 rgbt <0,0,0,1>] [0.8 rgbt RGBT2][1 rgbt RGBT]} }" << PovFinish() << "}\n";
    out << "#end\n";
    out << "\n";
}

void FilterBG_cls::PovStars(wxString& out) {
    FilterBGData_cls* d = Data();
    for (const BGStar_cls& s : MakeStarField(d->starNumber.value, d->bgScale.value, d->starScale.value))
        out << PovVector3f("SP(", s.position, 1) << "," << PovScalar(s.size * 0.125f, 2) << ","
            << PovColor(s.color, 2, false) << ")\n";
}

void FilterBG_cls::PovDomeDeclares(wxString& out) {
    FilterBGData_cls* d = Data();
    out << "#declare FE_CONVERT = function {\n";
    out << "\tatan2(sqrt(x*x+y*y),z)*2/pi/sqrt(x*x+y*y)\n";
    out << "}\n";
    out << "\n";
    const ConfItemSTR_cls* textures[2] = {&d->textureA, &d->textureB};
    for (int which = 0; which < 2; ++which) {
        const wxString file = textures[which]->Value();
        if (!PovTextureWritten(which)) continue;
        out << (which == 0 ? "#declare DOMEA = function {\n" : "#declare DOMEB = function {\n");
        out << "\tpigment{\n";
        out << "\t\t" << PovImageMap(file, false);
        out << "\n";
        out << "\t\ttranslate <-0.5, -0.5, 0>\n";
        out << "\t\tscale 2\n";
        out << "\t}\n";
        out << "}\n";
    }
}

wxString FilterBG_cls::PovImageMap(const wxString& file, bool spherical) {
    wxString type;
    const int dot = file.Find('.', true);
    const wxString ext = dot == wxNOT_FOUND ? wxString() : file.Mid(size_t(dot)).Lower();
    if (ext == ".png")
        type = "png";
    else if (ext == ".jpg" || ext == ".jpeg")
        type = "jpeg";
    wxString out = "image_map { " + type + " \"" + file + "\" interpolate 2";
    if (spherical) out << " map_type 1";
    out << "}\n";
    return out;
}

bool FilterBG_cls::PovTextureWritten(int which) const {
    const wxString file = (which == 0 ? Data()->textureA : Data()->textureB).Value();
    return file != "NONE" && PovPathUsable(file);
}

void FilterBG_cls::PovDome(wxString& out, int which) {
    FilterBGData_cls* d = Data();
    if (!PovTextureWritten(which)) return;
    const wxString id = which == 0 ? "DOMEA" : "DOMEB";
    const wxString call = id + "(x*FE_CONVERT(x,y,z),y*FE_CONVERT(x,y,z),z)";
    out << "\tintersection {\n";
    out << "\t\tsphere{ <0,0,0>,1\n";
    out << "\t\t\tpigment{\n";
    out << "\t\t\t\taverage\n";
    out << "\t\t\t\tpigment_map{\n";
    out << "\t\t\t\t\t[1 function {" << call << ".red} color_map {[0 rgbt 0][1 rgbt <4,0,0,0>]}]\n";
    out << "\t\t\t\t\t[1 function {" << call << ".green} color_map {[0 rgbt 0][1 rgbt <0,4,0,0>]}]\n";
    out << "\t\t\t\t\t[1 function {" << call << ".blue} color_map {[0 rgbt 0][1 rgbt <0,0,4,0>]}]\n";
    out << "\t\t\t\t\t[1 function {" << call << ".transmit} color_map {[0 rgbt 0][1 rgbt <0,0,0,4>]}]\n";
    out << "\t\t\t\t}\n";
    out << "\t\t\t}\n";
    out << "\t\t\t" << PovFinish() << "\n";
    out << "\t\t}\n";
    out << "\t\tbox{ <-1.1,-1.1,0>, <1.1,1.1,1.1> pigment { rgbt <0,0,0,1>}}\n";
    out << "\t\tscale " << PovScalar(d->bgScale.value, 2) << "\n";
    out << "\t\tscale <1,-1,1>\n";
    if (which == 1) out << "\t\trotate <180, 0, 0>\n";
    out << "\t}\n";
}

void FilterBG_cls::PovSphere(wxString& out) {
    FilterBGData_cls* d = Data();
    if (!PovTextureWritten(0)) return;
    out << "\tsphere { <0,0,0>,1\n";
    out << "\t\ttexture { pigment { rgbt <0,0,0,1> } }\n";
    out << "\t\tinterior_texture {\n";
    out << "\t\t\tpigment {" << PovImageMap(d->textureA.Value(), true);
    out << "}\n";
    out << "\t\t\t" << PovFinish() << "\n";
    out << "\t\t}\n";
    out << "\t\tscale " << PovScalar(d->bgScale.value, 2) << "\n";
    out << "\t\trotate <90, 0, 0>\n";
    out << "\t}\n";
}

void FilterBG_cls::PovSkySphere(wxString& out, double t) {
    FilterBGData_cls* d = Data();
    out << "sky_sphere{\n";
    out << "\tpigment{\n";
    if (d->colorMap.value == 0)
        out << "\t\tfunction{asin(z)/3.14159 + 0.5}\n";
    else
        out << "\t\tfunction{abs(asin(z)*2/3.14159)}\n";
    if (!d->colors.empty()) d->colors[0]->PovColorMap(out, "\t\t\t");
    out << "\t}\n";
    out << "\temission rgb <1, 1, 1>\n";
    d->PovTransform(out, t, {});
    out << "}\n";
}
