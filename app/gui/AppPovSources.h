// The program's answers to the POV-Ray scene writer: the main view's camera, the time, the
// current data sequence (its particle text) and the filter lists (copies, the data box,
// sticks, objects and grids). Lights, fog and the BG filters plug in through std::function
// seams that write nothing while they are empty; the other seams, when set, replace the
// built-in answer.
#pragma once

#include <functional>

#include "scene/PovSceneSources.h"

class AppCore_cls;
class AppPovSources_cls;

/// Fills the filter seams of `sources` (fog, BG, objects and grids) with the filter lists'
/// POV-Ray text (GpFilterCtrls, looked up at each call).
void ConnectFilterPovText(AppPovSources_cls& sources);

class AppPovSources_cls : public PovSceneSources_cls {
public:
    explicit AppPovSources_cls(AppCore_cls* core) : m_core(core) {}

    wxString PovBackground() override;
    bool MainViewCamera(PovViewCamera_cls& out) override;
    double NormalizedTime() override;
    int DataFrame() override;
    int FrameCount() override;
    double DataTime() override;
    bool WritePovParticles(wxString& out, PovRayCtrl_cls& ctrl, int frame) override;
    bool WritePovParticleFile(std::FILE* out, PovRayCtrl_cls& ctrl, int frame) override;
    std::string TakeParticleProblem() override;
    wxString PovLights(double t) override;
    int CountVisibleLights() override;
    wxString PovFog(double t) override;
    void PovBG(wxString& out, double t, PovRayCtrl_cls& ctrl) override;
    bool HasEnabledDataBox() override;
    void DataBoxPovTransform(wxString& out, double t, int mode) override;
    int GetEnabledSticks() override;
    void PovSticks(wxString& out, int i) override;
    int CopyCount() override;
    wxString CopyPovTranslate(int k, double time) override;
    int CopyNeighbourMask(int k) override;
    wxString PovObjectDeclares() override;
    bool HasEnabledObjectOrGrid() override;
    void SetCopyTransform(const wxString& transform) override;
    void PovObjects(wxString& out, double t, int mode, int indent, const GLCamera_cls& camera) override;

    // Seams for the owners that join later (GUI thread; empty: that part writes nothing).
    /// `DataSequence_cls::WritePovParticles` of the current sequence for data frame `frame`.
    std::function<bool(wxString& out, PovRayCtrl_cls& ctrl, int frame)> writeParticles;
    /// `LightSRCCtrl_cls::PovLights`(t) and `LightSRCCtrl_cls::CountVisibleLights`.
    std::function<wxString(double t)> povLights;
    std::function<int()> countVisibleLights;
    /// `FilterCtrl_cls::FindFog` of the World list and its `FilterFog_cls::PovFog`(t).
    std::function<wxString(double t)> povFog;
    /// `FilterCtrl_cls::PovBG` of the World list.
    std::function<void(wxString& out, double t, PovRayCtrl_cls& ctrl)> povBG;
    /// `FilterCtrl_cls::GetEnabledSticks` of the Object list: their count, and the i-th
    /// one's `FilterStick_cls::PovMacro` + `FilterStick_cls::PovSticks` text.
    std::function<int()> enabledStickCount;
    std::function<void(wxString& out, int i)> povSticks;
    /// `FilterCtrl_cls::PovObjectDeclares`, `FilterCtrl_cls::HasEnabledObjectOrGrid` and
    /// `FilterCtrl_cls::PovObjects` of the Object list, and its copy transform.
    std::function<wxString()> povObjectDeclares;
    std::function<bool()> hasEnabledObjectOrGrid;
    std::function<void(const wxString& transform)> setCopyTransform;
    std::function<void(wxString& out, double t, int mode, int indent, const GLCamera_cls& camera)> povObjects;

private:
    AppCore_cls* m_core;
    std::string m_particleProblem;  ///< why the last particle text lacks drawn particles
};
