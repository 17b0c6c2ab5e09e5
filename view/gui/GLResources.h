// The GL-wide objects all views share: the render settings ("FBOBufferSize=", "LineWidth="),
// the off-screen buffer pool, the lens mesh, the fisheye mask and grid textures, the GL
// information record, and the one-time GL set-up steps of a view's first paint.
#pragma once

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"

#include <string>

#include <wx/string.h>

class ColorCurve_cls;
class GLInfo_cls;
class ParamTextStream_cls;
class GLTexture_cls;
class wxWindow;

/// "FBOBufferSize=" (unsigned, "3": index into 256, 512, 1024, 2048, 4096) and
/// "LineWidth=" (float, "5").
struct RenderConfig_cls {
    ConfItemGroup_cls group;
    ConfItemUINT_cls bufferSizeIndex;
    ConfItemFLOAT_cls lineWidth;
};
extern RenderConfig_cls GoRenderConfig;

/// The views' background colour ("BGColor", constant "0 0 0 0"); null before the first
/// CreateGLResources, then kept for the process.
extern ColorCurve_cls* GpBGColor;
/// The colour around a composed picture ("OutColor", constant "0 0 0 0"); as GpBGColor.
extern ColorCurve_cls* GpOutColor;

/// Offers a settings line to the render settings, then to BGColor and OutColor (which may
/// read their curve blocks from `stream`), then to the tag settings. GUI thread.
void ReadGLSettings(ParamTextStream_cls& stream, const std::string& line);
/// The render settings' lines, BGColor's, OutColor's and the tag settings' text, in this
/// order (empty before the first CreateGLResources).
wxString WriteGLSettings();

/// Registers the render settings, makes the BGColor, OutColor and tag settings records,
/// makes the buffer pool and reads "Resource/distortion.obj"
/// (a missing or malformed file leaves the mesh unloaded, reported once). Called by the main
/// frame; what exists already is kept.
void CreateGLResources();
/// Deletes what CreateGLResources made and the shared textures (a context of the views
/// should be current when there is one).
void ReleaseGLResources();
/// The buffer size of "FBOBufferSize=", values above 4 taken as 4 (4096).
int RenderBufferSize();

/// glutInit once per process (when a display exists).
void InitGlutOnce();
/// Clear colour (0,0,0,1), stencil 0, back-face culling, depth test, lighting, no colour
/// material, line stipple 2 / 0xAAAA.
void SetDefaultGLState();
/// Reads the GL information record once (context current).
void QueryGLInfoOnce();
/// The objects made by the first view's set-up: the OpenGL 2 entry points and the shader
/// manager GpShaderProgram (its message boxes parented to `view`), the mask texture from
/// "Resource/DefaultMask.png" (mirrored vertically) and the 1024 x 1024 fisheye grid.
void InitSharedGLObjects(wxWindow* view);
/// Whether the first view's set-up found every OpenGL 2 entry point.
bool GL2EntryPointsLoaded();

/// The GL information of the views' context (filled by the first view's set-up).
GLInfo_cls& GLInfoRecord();
/// The fisheye mask and grid textures (null before the first view's set-up).
GLTexture_cls* MaskTexture();
GLTexture_cls* FisheyeGridTexture();
