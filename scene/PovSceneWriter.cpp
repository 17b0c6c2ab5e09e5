// Scene file assembly.
#include "scene/PovSceneWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/ChildProcess.h"
#include "scene/PovOutputSettings.h"
#include "scene/PovRayCtrl.h"
#include "scene/PovSceneSources.h"
#include "scene/StickEngine.h"

namespace {

PovSceneSources_cls& NoSources() {
    static PovSceneSources_cls none;
    return none;
}

/// Writes the whole file; on failure `failure` names the file and the reason.
bool WriteWhole(const wxString& path, const wxString& text, std::string& failure) {
    FILE* f = std::fopen(path.utf8_string().c_str(), "wb");
    if (!f) {
        failure = "cannot write " + path.utf8_string() + ": " + std::strerror(errno);
        return false;
    }
    const std::string bytes = text.utf8_string();
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) == 0 && ok) return true;
    failure = "cannot write " + path.utf8_string() + ": " + std::strerror(errno);
    return false;
}

}  // namespace

PovSceneWriter_cls::PovSceneWriter_cls(PovRayCtrl_cls* ctrl, PovSceneSources_cls* sources)
    : ctrl_(ctrl), sources_(sources ? sources : &NoSources()) {}

bool PovSceneWriter_cls::CheckPovLights() {
    if (sources_->CountVisibleLights() != 0) return true;
    return !askNoLight || askNoLight();
}

bool PovSceneWriter_cls::ExportPovSnapshot(bool forRender) {
    failure.clear();
    if (!CheckPovLights()) return false;
    ConfItemBOOL_cls& absolute = ctrl_->output->fileAbsolute;
    const bool a = absolute.value;
    absolute.value = true;
    const wxString dataPath = ctrl_->GetPovFileName(PovRayCtrl_cls::FILE_COMMON);
    // POV-Ray renders in the work folder and cannot open names with letters other than
    // ASCII: a render names the scene's own files relative to that folder.
    absolute.value = !forRender && a;
    const wxString includeName = ctrl_->GetPovFileName(PovRayCtrl_cls::FILE_COMMON);
    const wxString base = ctrl_->GetPovFileName(PovRayCtrl_cls::FILE_SNAPSHOT);
    ctrl_->commonWritten = 0;
    ctrl_->bgCommonWritten = 0;
    platform::MakeDirectories(ctrl_->pathPovWork.text.utf8_string());
    const bool r1 = WriteIni(base + ".ini");
    const bool r2 = WritePovScene(base + ".pov", includeName, dataPath);
    absolute.value = a;
    // A scene without its .ini, or an .ini without its scene, renders nothing sound.
    return r1 && r2 && failure.empty();
}

void PovSceneWriter_cls::NoteParticleProblem() {
    const std::string problem = sources_->TakeParticleProblem();
    if (!problem.empty() && failure.empty()) failure = "particles: " + problem;
}

bool PovSceneWriter_cls::WriteIni(const wxString& iniPath) {
    if (ctrl_->WriteIni(iniPath)) return true;
    failure = "cannot write " + iniPath.utf8_string() + ": " + std::strerror(errno);
    return false;
}

bool PovSceneWriter_cls::ExportPovAnimationFrame() {
    ConfItemBOOL_cls& absolute = ctrl_->output->fileAbsolute;
    const bool a = absolute.value;
    const bool forRender = ctrl_->renderAfter;
    absolute.value = true;
    const wxString dataPath = ctrl_->GetPovFileName(PovRayCtrl_cls::FILE_COMMON);
    absolute.value = !forRender && a;  // relative names for a render, as for a snapshot
    const wxString includeName = ctrl_->GetPovFileName(PovRayCtrl_cls::FILE_COMMON);
    const wxString base = ctrl_->GetPovFileName(PovRayCtrl_cls::FILE_ANIMATION);
    ctrl_->NextAnimFrame();
    failure.clear();
    platform::MakeDirectories(ctrl_->pathPovWork.text.utf8_string());
    const bool r1 = WriteIni(base + ".ini");
    const bool r2 = WritePovScene(base + ".pov", includeName, dataPath);
    absolute.value = a;
    // A scene without its .ini, or an .ini without its scene, renders nothing sound.
    return r1 && r2 && failure.empty();
}

bool PovSceneWriter_cls::WritePovData(const wxString& dataPath, int frame, int stickCount,
                                      bool& particlesWritten) {
    // The particles go to the file batch by batch as they are formatted (a million of them
    // make tens of megabytes): the whole text is never held. The sticks follow.
    FILE* f = std::fopen(dataPath.utf8_string().c_str(), "wb");
    if (!f) {
        failure = "cannot write " + dataPath.utf8_string() + ": " + std::strerror(errno);
        return false;
    }
    particlesWritten = sources_->WritePovParticleFile(f, *ctrl_, frame);
    NoteParticleProblem();
    wxString text;
    for (int i = 0; i < stickCount; ++i) sources_->PovSticks(text, i);
    const std::string bytes = text.utf8_string();
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && !std::ferror(f);
    const int savedErrno = errno;
    if (std::fclose(f) != 0 || !ok) {
        failure = "cannot write " + dataPath.utf8_string() + ": " + std::strerror(ok ? errno : savedErrno);
        return false;
    }
    // A file without the particles (their frame not loaded yet) is written again by the
    // next step of the run: the steps after it include the file and instance PARTICLES.
    if (particlesWritten) ctrl_->commonWritten = 1;
    return true;
}

void PovSceneWriter_cls::WritePovObjects(wxString& out, int indent, int stickCount) {
    const int copies = sources_->CopyCount();
    const double time = sources_->DataTime();
    ctrl_->objectIndent = indent;
    if (copies >= 0) {
        for (int k = 0; k < copies; ++k) {
            ctrl_->objectModifier = sources_->CopyPovTranslate(k, time);
            out += ctrl_->WrapObject("PARTICLES");
            // Every Stick filter's own unions: the plain sticks in every copy, those to a
            // periodic image in the copies that have that neighbour.
            const int mask = stickCount > 0 ? sources_->CopyNeighbourMask(k) : 0;
            for (int i = 0; i < stickCount; ++i)
                for (int j = 0; j <= 7; ++j)
                    if ((j & mask) == j) out += ctrl_->WrapObject(wxString::FromUTF8(StickUnionName(i, j)));
        }
    } else {
        ctrl_->objectModifier.clear();
        out += ctrl_->WrapObject("PARTICLES");
        for (int i = 0; i < stickCount; ++i) out += ctrl_->WrapObject(wxString::FromUTF8(StickUnionName(i, 0)));
    }
    ctrl_->objectModifier.clear();
}

void PovSceneWriter_cls::WritePovFilterObjects(wxString& out, double t, int indent) {
    PovViewCamera_cls view;
    sources_->MainViewCamera(view);
    const int copies = sources_->CopyCount();
    const double time = sources_->DataTime();
    if (copies >= 0) {
        for (int k = 0; k < copies; ++k) {
            sources_->SetCopyTransform(sources_->CopyPovTranslate(k, time));
            sources_->PovObjects(out, t, 1, indent, view.camera);
        }
    } else {
        sources_->SetCopyTransform(wxString());
        sources_->PovObjects(out, t, 1, indent, view.camera);
    }
    sources_->SetCopyTransform(wxString());
    sources_->PovObjects(out, t, 0, indent, view.camera);
}

bool PovSceneWriter_cls::WritePovScene(const wxString& povPath, const wxString& includeName,
                                       const wxString& dataPath) {
    ctrl_->sceneFailure.clear();
    ctrl_->sceneNotes.clear();
    notes.clear();
    // Created (and emptied) first, so a failure further on leaves no stale scene behind.
    if (!WriteWhole(povPath, wxString(), failure)) return false;
    wxString a = ctrl_->WriteGlobalSettings(sources_->PovBackground());
    PovViewCamera_cls view;
    sources_->MainViewCamera(view);
    const double t = sources_->NormalizedTime();
    a += PovRayCtrl_cls::WriteCameraAngle(view.angle, view.type == POV_CAMERA_FISHEYE);
    a += ctrl_->WriteCamera(view);
    a += sources_->PovLights(t);

    wxString b = sources_->PovFog(t);
    sources_->PovBG(b, t, *ctrl_);
    const bool dataBox = sources_->HasEnabledDataBox();
    const int frame = sources_->DataFrame();
    const int sticks = sources_->GetEnabledSticks();

    bool ok = false;
    if (ctrl_->useCommonSceneFile.value && sources_->FrameCount() == 1) {
        if (ctrl_->commonWritten == 0) {
            if (!WritePovData(dataPath, frame, sticks, ok)) return false;
        } else {
            ok = true;
        }
        b << "#include \"" << includeName << "\"\n";
    } else {
        ok = sources_->WritePovParticles(b, *ctrl_, frame);
        NoteParticleProblem();
        for (int i = 0; i < sticks; ++i) sources_->PovSticks(b, i);
    }

    wxString c;
    if (ok) {
        if (!dataBox) {
            WritePovObjects(c, 0, sticks);
        } else {
            c << "union {\n";
            WritePovObjects(c, 1, sticks);
            sources_->DataBoxPovTransform(c, t, 0);
            c << "}\n";
        }
    }
    b += sources_->PovObjectDeclares();
    if (sources_->HasEnabledObjectOrGrid()) {
        if (!dataBox) {
            WritePovFilterObjects(c, t, 0);
        } else {
            c << "union {\n";
            WritePovFilterObjects(c, t, 1);
            sources_->DataBoxPovTransform(c, t, 1);
            c << "}\n";
        }
    }
    for (const std::string& n : ctrl_->sceneNotes) notes += (notes.empty() ? "" : "\n") + n;
    if (!WriteWhole(povPath, a + b + c, failure)) return false;
    // A file the scene includes is missing: the scene does not parse.
    if (ctrl_->sceneFailure.empty()) return true;
    failure = ctrl_->sceneFailure;
    return false;
}
