// What the POV-Ray scene writer asks of the layers above the scene objects: the main view's
// camera, the time, the particle data, the filters' texts and the lights. The program
// installs one implementation; every call has a neutral answer, so a part whose owner is
// not there writes nothing.
#pragma once

#include <cstdio>
#include <string>

#include <wx/string.h>

#include "common/GLCamera.h"

class PovRayCtrl_cls;

/// The POV-Ray camera that shows what a view of each geometry shows.
enum PovCameraType {
    POV_CAMERA_PERSPECTIVE = 0,  ///< a perspective view
    POV_CAMERA_ORTHOGRAPHIC,     ///< an orthographic view
    POV_CAMERA_FISHEYE,          ///< a fisheye view (equidistant disc)
    POV_CAMERA_SPHERICAL,        ///< a panorama view (band linear in azimuth and elevation)
};

/// The main view's camera as the scene writer needs it.
struct PovViewCamera_cls {
    GLCamera_cls camera;     ///< the view's camera, brought up to the current time
    GLCameraPose_cls pivot;  ///< the views' shared pivot pose (focal blur)
    /// View angle, degrees: vertical for perspective; across the disc for fisheye; for a
    /// panorama half the band's width, which is also its degrees per view height.
    double angle = 35.0;
    int type = POV_CAMERA_PERSPECTIVE;  ///< a PovCameraType
    /// Orthographic: the height in scene units of the box the view shows (its projection's
    /// box); the render keeps it and widens with the image's aspect.
    double orthoHeight = 1.0;
};

/// All calls on the GUI thread, while a scene is written.
class PovSceneSources_cls {
public:
    virtual ~PovSceneSources_cls() = default;

    // View, time and data --------------------------------------------------------------
    /// The views' background colour as "rgb<r,g,b>".
    virtual wxString PovBackground() { return "rgb<0.000,0.000,0.000>"; }
    /// The main view's camera; false when there is no main view (the default camera stays).
    virtual bool MainViewCamera(PovViewCamera_cls& out) { (void)out; return false; }
    /// The normalised scene time of the current frame and sub-frame (0..1).
    virtual double NormalizedTime() { return 0.0; }
    /// The current data frame, the current sequence's frame count, and the data time of the
    /// displayed frame.
    virtual int DataFrame() { return 0; }
    virtual int FrameCount() { return 0; }
    virtual double DataTime() { return 0.0; }
    /// The particle declarations of data frame `frame` ("#declare PARTICLES=..."); false,
    /// with nothing written, when that frame's data is not loaded.
    virtual bool WritePovParticles(wxString& out, PovRayCtrl_cls& ctrl, int frame) {
        (void)out, (void)ctrl, (void)frame;
        return false;
    }
    /// The same written to the open file `out` (UTF-8); a file that refuses the bytes shows in
    /// its error flag. By default the text is made whole and then written.
    virtual bool WritePovParticleFile(std::FILE* out, PovRayCtrl_cls& ctrl, int frame) {
        wxString text;
        const bool ok = WritePovParticles(text, ctrl, frame);
        const std::string bytes = text.utf8_string();
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        return ok;
    }
    /// Why the last WritePovParticles left drawn particles out of the scene (no frame drawn
    /// yet, memory ran out), and forgets it; "" when nothing is missing.
    virtual std::string TakeParticleProblem() { return std::string(); }

    // Lights -----------------------------------------------------------------------------
    /// The light sources at time t.
    virtual wxString PovLights(double t) { (void)t; return wxString(); }
    /// Lights that are active and visible; -1 when the program has no light model.
    virtual int CountVisibleLights() { return -1; }

    // Filters ----------------------------------------------------------------------------
    /// The first Fog filter of the World list, enabled or not: its fog text at t (empty
    /// without one, or when it is disabled).
    virtual wxString PovFog(double t) { (void)t; return wxString(); }
    /// The BG filters of the World list append their texts.
    virtual void PovBG(wxString& out, double t, PovRayCtrl_cls& ctrl) { (void)out, (void)t, (void)ctrl; }
    /// An enabled DataBox filter of the World list, and its transform text (mode 0 for the
    /// particle union, 1 for the filter objects' union).
    virtual bool HasEnabledDataBox() { return false; }
    virtual void DataBoxPovTransform(wxString& out, double t, int mode) { (void)out, (void)t, (void)mode; }
    /// Number of enabled Stick filters of the Object list, and the macro and stick
    /// declarations of the i-th one.
    virtual int GetEnabledSticks() { return 0; }
    virtual void PovSticks(wxString& out, int i) { (void)out, (void)i; }
    /// The first CopyBox filter of the World list: its copy count (1 when disabled), or -1
    /// without one; the translate line of copy k at data time `time` (empty when disabled),
    /// and the neighbour mask of copy k.
    virtual int CopyCount() { return -1; }
    virtual wxString CopyPovTranslate(int k, double time) { (void)k, (void)time; return wxString(); }
    virtual int CopyNeighbourMask(int k) { (void)k; return 0; }
    /// The Object list's mesh declarations.
    virtual wxString PovObjectDeclares() { return wxString(); }
    /// An Object or Grid filter of the Object list is enabled.
    virtual bool HasEnabledObjectOrGrid() { return false; }
    /// The Object list's copy transform (the translate of one periodic copy, or empty).
    virtual void SetCopyTransform(const wxString& transform) { (void)transform; }
    /// The Object and Grid filters' objects (mode 1 per copy, mode 0 once), `indent` tabs,
    /// seen from `camera`.
    virtual void PovObjects(wxString& out, double t, int mode, int indent, const GLCamera_cls& camera) {
        (void)out, (void)t, (void)mode, (void)indent, (void)camera;
    }
};
