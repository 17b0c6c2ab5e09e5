// The particle attribute page.
#include "view/gui/ParticleAttribPanel.h"

#include <wx/intl.h>
#include <wx/sizer.h>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/gui/MultiInputPanel.h"
#include "common/gui/WidgetCommon.h"
#include "filters/gui/ColorCurveBtn.h"
#include "view/ParticleAttrib.h"

void ParticleAttrib_cls::CreatePanelBinding(wxWindow* parent) {
    if (releasePanel) releasePanel();
    panel = new ParticleAttribPanel_cls(this, parent);
    releasePanel = [this]() {
        delete panel;
        panel = nullptr;
        releasePanel = nullptr;
    };
}

ParticleAttribPanel_cls::ParticleAttribPanel_cls(ParticleAttrib_cls* a, wxWindow* p) : attrib(a), parent(p) {}

void ParticleAttribPanel_cls::CreateControls(wxSizer* sizer) {
    static int twoMembers = 2;
    auto tr = [](const char* const* names, int n, wxString* out) {
        for (int i = 0; i < n; ++i) out[i] = wxGetTranslation(names[i]);
    };
    static const char* const kDraw[5] = {"Point", "Billboard", "Sphere", "Both", "Hide"};
    static const char* const kQuality[3] = {"Low", "Middle", "High"};
    static const char* const kBlend[2] = {"AlphaBlend", "Additive"};
    static const char* const kShader[4] = {"original", "Gouroud", "Phong", "Toon"};
    static const char* const kRadius[2] = {"Use Data", "Constant (unity)"};
    static const char* const kAlpha[2] = {"Constant (unity)", "Depend on R (power -2)"};
    wxString draw[5], quality[3], blend[2], shader[4], radius[2], alpha[2];
    tr(kDraw, 5, draw);
    tr(kQuality, 3, quality);
    tr(kBlend, 2, blend);
    tr(kShader, 4, shader);
    tr(kRadius, 2, radius);
    tr(kAlpha, 2, alpha);

    panel = CreateMultiInputPanel(&panel, parent);
    MultiInputPanel_cls* p = panel;
    p->labelWidth = 80;
    p->defaultControlWidth = -1;
    // A committed value changes how the frame is drawn and coloured.
    p->updateFlags = UPD_VIEWS | UPD_SNAP_REFRESH;
    ParticleAttrib_cls* a = attrib;
    p->AddItem(MI_GROUP, &twoMembers, wxGetTranslation("Type/Quality"));
    p->AddChoiceItem(MI_COMBO, &a->drawType.value, 5, draw, "");
    p->AddChoiceItem(MI_COMBO, &a->drawQuality.value, 3, quality, "");
    p->AddItem(MI_GROUP, &twoMembers, wxGetTranslation("Modes"));
    p->AddChoiceItem(MI_COMBO, &a->blendType.value, 2, blend, "");
    shaderItem = p->AddChoiceItem(MI_COMBO, &a->shaderType.value, 4, shader, "");
    radiusItem = p->AddChoiceItem(MI_COMBO, &a->radiusType.value, 2, radius, wxGetTranslation("Radius"));
    radiusFactorItem = p->AddItem(MI_FLOAT_TEXT, &a->radiusFactor.value, wxGetTranslation("Radius Factor"));
    radiusFactorConstItem =
        p->AddItem(MI_FLOAT_TEXT, &a->radiusFactorForConst.value, wxGetTranslation("Radius Factor"));
    pointSizeItem = p->AddValueWithSlider(MI_INT_TEXT, &a->pointSize.value, wxGetTranslation("Point Size"),
                                          MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_TWO, 1, 50, 0);
    p->AddChoiceItem(MI_COMBO, &a->alphaType.value, 2, alpha, wxGetTranslation("Alpha"));
    alphaFactorItem = p->AddValueWithSlider(MI_FLOAT_TEXT, &a->alphaFactro.value, wxGetTranslation("Alpha Factor"),
                                            MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_ITEM, 0, 100, 100);
    baseMaxItem = p->AddItem(MI_GROUP, &twoMembers, wxGetTranslation("Base/Max"));
    p->AddItem(MI_FLOAT_TEXT, &a->alphaDependBase.value, "");
    p->AddItem(MI_FLOAT_TEXT, &a->alphaMax.value, "");
    static int oneMember = 1, threeMembers = 3;
    colorButton = new ColorCurveBtn_cls(p, a->col.get(), true, true, false);
    ambientButton = new ColorCurveBtn_cls(p, a->ambient.get(), true, true, false);
    diffuseButton = new ColorCurveBtn_cls(p, a->diffuse.get(), true, true, false);
    specularButton = new ColorCurveBtn_cls(p, a->specular.get(), true, true, false);
    colorItem = p->AddItem(MI_GROUP, &oneMember, wxGetTranslation("Color"));
    p->AddItem(MI_CUSTOM, colorButton, "");
    materialItem = p->AddItem(MI_GROUP, &threeMembers, wxGetTranslation("Material"));
    p->AddItem(MI_CUSTOM, ambientButton, wxGetTranslation("Ambient"));
    p->AddItem(MI_CUSTOM, diffuseButton, wxGetTranslation("Diffuse"));
    p->AddItem(MI_CUSTOM, specularButton, wxGetTranslation("Specular"));
    p->CreateAndAddToSizer(sizer);
    // A click on a colour button may change how the frame is coloured.
    p->AddCallback([this](void*, void*) {
        if (panel) panel->UpdateWidgets(MI_ALL_ITEMS);
        GbSnapDataRefresh = true;
        if (parent) WidgetCommon_cls::PostMenuCommand(wxGetTopLevelParent(parent), ID_REDRAW_VIEWS);
    }, MIE_CLICK, nullptr);

    p->AddCallback([this](void*, void*) {
        if (panel) panel->UpdateWidgets(MI_ALL_ITEMS);
    }, MIE_COMMITTED, nullptr);
    p->AddCallback([this](void*, void*) {
        if (onSelect)
            onSelect();
        else
            Sync();
    }, MIE_SELECT, nullptr);
    Sync();
}

void ParticleAttribPanel_cls::Sync() {
    if (!panel) return;
    const int drawType = int(attrib->drawType.value), alphaType = int(attrib->alphaType.value),
              radiusType = int(attrib->radiusType.value);
    if (drawType == lastDrawType && alphaType == lastAlphaType && radiusType == lastRadiusType) return;
    MultiInputPanel_cls* p = panel;
    if (drawType != 0) {
        p->ShowItem(pointSizeItem, false);
        p->ShowItem(radiusFactorItem, radiusType != 1);
        p->ShowItem(radiusFactorConstItem, radiusType == 1);
        p->EnableItem(radiusItem, true);
    } else {
        p->ShowItem(radiusFactorItem, false);
        p->ShowItem(radiusFactorConstItem, false);
        p->ShowItem(pointSizeItem, true);
        p->EnableItem(radiusItem, false);
    }
    p->ShowItem(colorItem, drawType < 2);
    p->ShowItem(materialItem, drawType >= 2);
    p->ShowItem(alphaFactorItem, alphaType != 1);
    p->ShowItem(baseMaxItem, alphaType == 1);
    p->Layout();
    p->Refresh();
    if (parent) parent->Layout();
    lastDrawType = drawType;
    lastAlphaType = alphaType;
    lastRadiusType = radiusType;
}

void ParticleAttribPanel_cls::RefreshAll() {
    if (panel) panel->UpdateWidgets(MI_ALL_ITEMS);
}
