// The GL-wide objects of the views and the one-time parts of a view's GL set-up.
#include "view/gui/GLResources.h"

#include <GL/gl.h>

#include <cmath>
#include <memory>

#include <wx/dc.h>
#include <wx/pen.h>

#include "filters/ColorCurve.h"
#include "platform/ProgramPaths.h"
#include "platform/Trace.h"
#include "view/DistortionMesh.h"
#include "view/TagList.h"
#include "view/gui/BitmapText.h"
#include "view/gui/FBO.h"
#include "view/gui/GLInfo.h"
#include "view/gui/GLTexture.h"
#include "view/gui/ShaderProgram.h"
#include "platform/gui/GLEntryPoints.h"

RenderConfig_cls GoRenderConfig;
ColorCurve_cls* GpBGColor = nullptr;
ColorCurve_cls* GpOutColor = nullptr;

namespace {

bool g_created = false;
bool g_infoRead = false;
bool g_gl2 = false;
std::unique_ptr<GLInfo_cls> g_info;
std::unique_ptr<GLTexture_cls> g_mask;
std::unique_ptr<GLTexture_cls> g_grid;

void BuildFisheyeGridTexture(GLTexture_cls& texture) {
    wxDC* dc = texture.CreateCanvas(1024, 1024);
    if (!dc) return;
    dc->SetBackground(*wxBLACK_BRUSH);
    dc->Clear();
    dc->SetPen(wxPen(*wxWHITE, 2));
    const double k = 3.14159 / 180.0;
    for (int n = 9; n >= 1; --n) {
        const double r = (n == 9 ? 0.997 : n / 9.0) * 512;
        wxPoint prev(512 + int(r), 512);
        for (int a = 5; a <= 360; a += 5) {
            const wxPoint p(512 + int(std::lround(r * std::cos(a * k))), 512 + int(std::lround(r * std::sin(a * k))));
            dc->DrawLine(prev, p);
            prev = p;
        }
    }
    for (int a = 0; a <= 360; a += 15)
        dc->DrawLine(512, 512, 512 + int(std::lround(0.997 * 512 * std::cos(a * k))),
                     512 + int(std::lround(0.997 * 512 * std::sin(a * k))));
    texture.UploadCanvas();
}

}  // namespace

void CreateGLResources() {
    if (!g_created) {
        // The settings are registered once per process; the GL objects follow each frame.
        g_created = true;
        GoRenderConfig.group.Register(&GoRenderConfig.bufferSizeIndex, "FBOBufferSize=", "3");
        GoRenderConfig.group.Register(&GoRenderConfig.lineWidth, "LineWidth=", "5");
        GoRenderConfig.bufferSizeIndex.SetRange(0u, 4u);
        // The colour records live as long as the process, like the tag settings: the
        // settings files read and write them whether a frame exists or not.
        GpBGColor = new ColorCurve_cls("BGColor", "", "0 0 0 0", 0, nullptr);
        GpOutColor = new ColorCurve_cls("OutColor", "", "0 0 0 0", 0, nullptr);
        InitTagSettings();
    }
    if (!GpFBOPool) GpFBOPool = new FBOPool_cls;
    if (!GpDistortionMesh) {
        GpDistortionMesh = new DistortionMesh_cls;
        const std::string path = platform::FindProgramData("Resource/distortion.obj");
        std::string error;
        if (!GpDistortionMesh->Load(path, &error)) platform::ReportError(error);
    }
}

void ReleaseGLResources() {
    // The programs belong to the views' context, which goes with the frame: a later frame's
    // first view builds its own.
    ShaderProgram_cls::Destroy();
    delete GpFBOPool;
    GpFBOPool = nullptr;
    delete GpDistortionMesh;
    GpDistortionMesh = nullptr;
    g_mask.reset();
    g_grid.reset();
}

void ReadGLSettings(ParamTextStream_cls& stream, const std::string& line) {
    if (!g_created) return;
    GoRenderConfig.group.OfferLine(wxString::FromUTF8(line));
    GpBGColor->ReadText(stream, line);
    GpOutColor->ReadText(stream, line);
    ReadTagSettings(stream, line);
}

wxString WriteGLSettings() {
    if (!g_created) return wxString();
    return GoRenderConfig.group.WriteAll() + GpBGColor->WriteText() + GpOutColor->WriteText() +
           WriteTagSettings();
}

int RenderBufferSize() {
    static const int kSizes[5] = {256, 512, 1024, 2048, 4096};
    unsigned i = g_created ? GoRenderConfig.bufferSizeIndex.value : 3u;
    if (i > 4) i = 4;
    return kSizes[i];
}

void InitGlutOnce() {
    EnsureGlutInit();
}

void SetDefaultGLState() {
    glClearColor(0, 0, 0, 1);
    glClearStencil(0);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    glLineStipple(2, 0xAAAA);
}

void QueryGLInfoOnce() {
    if (g_infoRead) return;
    g_infoRead = true;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    GLInfoRecord().Query();
    glPopAttrib();
}

GLInfo_cls& GLInfoRecord() {
    if (!g_info) g_info = std::make_unique<GLInfo_cls>();
    return *g_info;
}

void InitSharedGLObjects(wxWindow* view) {
    if (g_mask) return;
    // The OpenGL 2 functions are fetched once per context set-up; the particle and object
    // shaders are built from them (a driver without them leaves every draw to the fixed
    // pipeline).
    g_gl2 = GLVersionAtLeast(2, 0) && LoadGL2EntryPoints() == 0;
    ShaderProgram_cls::Create(view, g_gl2);
    glEnable(GL_TEXTURE_2D);
    g_mask = std::make_unique<GLTexture_cls>();
    g_grid = std::make_unique<GLTexture_cls>();
    const std::string mask = platform::FindProgramData("Resource/DefaultMask.png");
    if (!g_mask->LoadFile(mask, true)) platform::ReportError(mask + ": cannot read the fisheye mask");
    BuildFisheyeGridTexture(*g_grid);
    glDisable(GL_TEXTURE_2D);
}

bool GL2EntryPointsLoaded() { return g_gl2; }

GLTexture_cls* MaskTexture() { return g_mask.get(); }
GLTexture_cls* FisheyeGridTexture() { return g_grid.get(); }
