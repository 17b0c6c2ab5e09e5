// The GL side of the BG filter: the star field, the fisheye domes, the textured or coloured
// sky sphere, and the textures and display lists they are made of.
#include <GL/gl.h>

#include <wx/image.h>

#include <cmath>
#include <memory>

#include "filters/ColorCurve.h"
#include "filters/FilterBG.h"
#include "platform/ProgramPaths.h"
#include "timeline/ParamGroup.h"
#include "view/IcoSphere.h"
#include "view/gui/GLTexture.h"

namespace {

/// The textures and lists of one BG filter, in the views' shared context. When the filter is
/// deleted its list keeps them until a view's paint releases them (ReleaseGL).
class FilterBGGL_cls : public FilterGLCache_cls {
public:
    void ReleaseGL() override {
        for (GLTexture_cls* t : {&star, &textureA, &textureB, &colour}) t->Release();
        for (GLuint* list : {&starList, &domeList}) {
            if (*list != 0) glDeleteLists(*list, 1);
            *list = 0;
        }
    }

    GLTexture_cls star, textureA, textureB, colour;
    bool starLoaded = false;
    GLuint starList = 0;
    int starCount = -1;
    float starScale = -1.0f, bgScale = -1.0f;
    GLuint domeList = 0;
    // The colour texture's inputs as last built.
    bool useCurve = false;
    unsigned colorMap = 0;
    float constant[3] = {-1, -1, -1};
    bool colourBuilt = false;
    wxString fileA, fileB;  ///< the settings the textures were last loaded for
    bool triedA = false, triedB = false;
};

FilterBGGL_cls& CacheOf(FilterBG_cls& f) {
    if (!f.glCache) f.glCache = std::make_unique<FilterBGGL_cls>();
    return static_cast<FilterBGGL_cls&>(*f.glCache);
}

void DrawStarQuad(const float p[3], float size) {
    glPushMatrix();
    glTranslatef(p[0], p[1], p[2]);
    double len = std::sqrt(double(p[0]) * p[0] + double(p[1]) * p[1] + double(p[2]) * p[2]);
    if (len <= 0) len = 1;
    const double n[3] = {-p[0] / len, -p[1] / len, -p[2] / len};  // towards the origin
    // Up edge towards +z: z made perpendicular to n.
    double u[3] = {-n[0] * n[2], -n[1] * n[2], 1 - n[2] * n[2]};
    double ul = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]);
    if (ul < 1e-9) {
        u[0] = 1, u[1] = 0, u[2] = 0;  // a star at a pole: any perpendicular will do
        ul = 1;
    }
    for (double& c : u) c /= ul;
    const double r[3] = {n[1] * u[2] - n[2] * u[1], n[2] * u[0] - n[0] * u[2], n[0] * u[1] - n[1] * u[0]};
    const GLdouble m[16] = {r[0], r[1], r[2], 0, u[0], u[1], u[2], 0, -n[0], -n[1], -n[2], 0, 0, 0, 0, 1};
    glMultMatrixd(m);
    glScalef(size, size, size);
    glBegin(GL_QUADS);
    glNormal3f(0, 0, 0);
    glTexCoord2f(0, 1);
    glVertex3f(-0.25f, 0.25f, 0);
    glTexCoord2f(1, 1);
    glVertex3f(0.25f, 0.25f, 0);
    glTexCoord2f(1, 0);
    glVertex3f(0.25f, -0.25f, 0);
    glTexCoord2f(0, 0);
    glVertex3f(-0.25f, -0.25f, 0);
    glEnd();
    glPopMatrix();
}

void BuildStarList(FilterBGGL_cls& c, const FilterBGData_cls& d) {
    if (!c.starList) c.starList = glGenLists(1);
    glNewList(c.starList, GL_COMPILE);
    for (const BGStar_cls& s : MakeStarField(d.starNumber.value, d.bgScale.value, d.starScale.value)) {
        glColor4fv(s.color);
        DrawStarQuad(s.position, s.size);
    }
    glEndList();
}

void DrawStars(FilterBGGL_cls& c, const FilterBGData_cls& d) {
    if (!c.starLoaded) {
        c.starLoaded = true;
        c.star.LoadFile(platform::FindProgramData("Texture/Star.png"), false);
    }
    if (d.starNumber.value != c.starCount || d.bgScale.value != c.bgScale || d.starScale.value != c.starScale) {
        BuildStarList(c, d);
        c.starCount = d.starNumber.value;
        c.bgScale = d.bgScale.value;
        c.starScale = d.starScale.value;
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    c.star.Bind();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    for (int i = 0; float(i) < d.Brightness(); ++i) glCallList(c.starList);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void BuildDomeList(FilterBGGL_cls& c) {
    if (!c.domeList) c.domeList = glGenLists(1);
    glNewList(c.domeList, GL_COMPILE);
    const double pi = 3.14159;
    double v[19][73][3], tc[19][73][2];
    for (int k = 0; k <= 18; ++k)
        for (int j = 0; j <= 72; ++j) {
            const double e = 5.0 * k * pi / 180.0, a = 5.0 * j * pi / 180.0;
            v[k][j][0] = std::cos(e) * std::cos(a);
            v[k][j][1] = std::cos(e) * std::sin(a);
            v[k][j][2] = std::sin(e);
            const double r = (1.0 - 5.0 * k / 90.0) * 0.5;
            tc[k][j][0] = r * std::cos(a) + 0.5;
            tc[k][j][1] = 0.5 - r * std::sin(a);
        }
    for (int k = 1; k <= 18; ++k) {
        glBegin(GL_QUAD_STRIP);
        for (int j = 0; j <= 72; ++j) {
            glTexCoord2dv(tc[k - 1][j]);
            glVertex3dv(v[k - 1][j]);
            glTexCoord2dv(tc[k][j]);
            glVertex3dv(v[k][j]);
        }
        glEnd();
    }
    glEndList();
}

/// Loads `setting` into `texture` when it changed since the last load ("NONE" releases).
void UpdateTexture(GLTexture_cls& texture, wxString& loadedFrom, bool& tried, const wxString& setting) {
    if (tried && setting == loadedFrom) return;
    tried = true;
    loadedFrom = setting;  // also after a failure: a missing file is not retried every frame
    if (setting == "NONE") {
        texture.Release();
        return;
    }
    wxImage image;
    {
        wxLogNull quiet;  // a missing or foreign file keeps the old texture, without a box
        EnsureImageHandlers();
        if (!image.LoadFile(setting, wxBITMAP_TYPE_ANY) || !image.IsOk()) return;
    }
    FixFisheyeEdge(image.GetData(), image.HasAlpha() ? image.GetAlpha() : nullptr, image.GetWidth(),
                   image.GetHeight());
    texture.UploadImage(image.Mirror(false));
}

void DrawDomePasses(FilterBGGL_cls& c, const FilterBGData_cls& d, GLTexture_cls& t, bool lower) {
    if (!t.name) return;
    t.Bind();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    for (int i = 0; float(i) < d.Brightness(); ++i) {
        glBlendFunc(GL_SRC_ALPHA, i == 0 ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE);
        glColor4f(1, 1, 1, d.Brightness() - float(i));
        if (!c.domeList) BuildDomeList(c);
        glPushMatrix();
        glScalef(d.bgScale.value, d.bgScale.value, d.bgScale.value);
        if (lower) glRotatef(180, 1, 0, 0);
        glCallList(c.domeList);
        glPopMatrix();
    }
}

void DrawFisheyeDomes(FilterBGGL_cls& c, const FilterBGData_cls& d) {
    UpdateTexture(c.textureA, c.fileA, c.triedA, d.textureA.Value());
    UpdateTexture(c.textureB, c.fileB, c.triedB, d.textureB.Value());
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    DrawDomePasses(c, d, c.textureA, false);
    DrawDomePasses(c, d, c.textureB, true);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void UpdateColourTexture(FilterBGGL_cls& c, FilterBGData_cls& d) {
    ColorCurve_cls* record = d.colors.empty() ? nullptr : d.colors[0];
    if (!record) return;
    const bool curveChanged = record->curve && record->curve->CheckChanged(d.colorCounters);
    const float* k = record->ConstantColor();
    // One comparison updates every cached input.
    bool inputsChanged = !c.colourBuilt;
    inputsChanged |= c.useCurve != record->UsesCurve();
    inputsChanged |= c.colorMap != d.colorMap.value;
    for (int i = 0; i < 3; ++i) inputsChanged |= c.constant[i] != k[i];
    c.useCurve = record->UsesCurve();
    c.colorMap = d.colorMap.value;
    for (int i = 0; i < 3; ++i) c.constant[i] = k[i];
    if (!curveChanged && !inputsChanged && c.colour.name) return;
    c.colourBuilt = true;
    const std::vector<unsigned char> table = record->MakeTable(256, int(d.colorMap.value));
    c.colour.UploadRGBA(table.data(), 1, 256);
}

void DrawSphere(FilterBGGL_cls& c, FilterBGData_cls& d, int kind) {
    GLTexture_cls* t = nullptr;
    if (kind == 0) {
        UpdateTexture(c.textureA, c.fileA, c.triedA, d.textureA.Value());
        t = &c.textureA;
    } else {
        UpdateColourTexture(c, d);
        t = &c.colour;
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glScalef(d.bgScale.value, d.bgScale.value, d.bgScale.value);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    // The sky may be drawn before any particle made the shared sphere.
    if (!GpIcoSphere) GpIcoSphere = new IcoSphere_cls;
    if (t->name) {
        t->Bind();
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        const GLint wrap = kind == 0 ? GL_REPEAT : GL_CLAMP_TO_EDGE;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
        for (int i = 0; float(i) < d.Brightness(); ++i) {
            glBlendFunc(GL_SRC_ALPHA, i == 0 ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE);
            glColor4f(1, 1, 1, d.Brightness() - float(i));
            GpIcoSphere->CallTextured(3);
        }
    }
    glPopAttrib();
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
}

}  // namespace

void FilterBG_cls::Draw(double t) {
    FilterBGData_cls* d = Data();
    if (!d->filterValid.value) return;
    FilterBGGL_cls& c = CacheOf(*this);
    glPushMatrix();
    d->UpdateTransform(t);
    d->ApplyGLTransform();
    // The background lies behind everything: it writes no depth, so nothing in front of
    // the sphere (or beyond it, far from the origin) is hidden by it.
    const GLboolean depthWrite = [] {
        GLboolean v = GL_TRUE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &v);
        return v;
    }();
    glDepthMask(GL_FALSE);
    switch (d->bgType.value) {
        case 0: DrawStars(c, *d); break;
        case 1:
            if (d->mappingType.value == 0)
                DrawFisheyeDomes(c, *d);
            else if (d->mappingType.value == 1)
                DrawSphere(c, *d, 0);
            break;
        case 2: DrawSphere(c, *d, 1); break;
        default: break;
    }
    glDepthMask(depthWrite);
    glPopMatrix();
}
