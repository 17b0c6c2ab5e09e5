// Assembles the POV-Ray scene file of one image from the controller's text pieces and the
// texts of the scene's owners, and exports a snapshot or one frame of an animation run.
#pragma once

#include <functional>
#include <string>

#include <wx/string.h>

class PovRayCtrl_cls;
class PovSceneSources_cls;

/// GUI thread. Holds no scene state of its own.
class PovSceneWriter_cls {
public:
    /// `ctrl` and `sources` are not owned and must outlive the writer; a null `sources`
    /// writes a scene of the controller's own parts only.
    PovSceneWriter_cls(PovRayCtrl_cls* ctrl, PovSceneSources_cls* sources);

    /// Asked when no light is both active and visible: true writes the scene all the same.
    std::function<bool()> askNoLight;
    /// Why the last export could not write a file ("cannot write <path>: <reason>") or left
    /// drawn particles out ("particles: <reason>"); empty when every file was written whole
    /// (or the user declined a scene without lights).
    std::string failure;
    /// What the last scene left out (paths POV-Ray cannot open), one line each; empty when
    /// nothing. The scene is still whole and renders.
    std::string notes;

    /// Writes the .ini and the .pov of the snapshot (the common file anew); `forRender`
    /// names the scene's files relative to the work folder, where POV-Ray runs, whatever
    /// "PovFileAbsolute=" says. True only when both files were written whole; otherwise
    /// `failure` says what went wrong. False, with nothing written, when the user declines a
    /// scene without lights.
    bool ExportPovSnapshot(bool forRender);
    /// Writes the .ini and .pov of the next animation frame and advances the counter; true
    /// as ExportPovSnapshot.
    bool ExportPovAnimationFrame();
    /// The scene file: global settings, camera, lights, fog, BG, particles and sticks (or
    /// the include of the common file), mesh declarations, object instances. False when
    /// povPath or the common file cannot be written.
    bool WritePovScene(const wxString& povPath, const wxString& includeName, const wxString& dataPath);
    /// The common file of a one-frame sequence: particles and sticks of data frame `frame`.
    /// Marks it written for the run only when the particles went into it.
    bool WritePovData(const wxString& dataPath, int frame, int stickCount, bool& particlesWritten);
    /// The PARTICLES and STICKS instances, once per periodic copy.
    void WritePovObjects(wxString& out, int indent, int stickCount);
    /// The Object and Grid filters' objects, once per periodic copy and once more.
    void WritePovFilterObjects(wxString& out, double t, int indent);

private:
    bool CheckPovLights();
    /// Takes the sources' particle problem into `failure` (a file failure named first stays).
    void NoteParticleProblem();
    bool WriteIni(const wxString& iniPath);

    PovRayCtrl_cls* ctrl_;
    PovSceneSources_cls* sources_;
};
