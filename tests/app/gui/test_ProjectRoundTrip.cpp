// A project saved and opened again in a fresh scene shows what the user had set up: how
// each particle type is drawn, and every other setting the pages and dialogs edit.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ViewPixels.h"

#include <gtest/gtest.h>

#include <wx/choice.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/gui/TopHalfPanel.h"
#include "app/ConfigSections.h"
#include "common/CommandIds.h"
#include "data/DataLoader.h"
#include "data/DataSequenceSet.h"
#include "filters/FilterBase.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterData.h"
#include "scene/AnchorPath.h"
#include "scene/CameraPath.h"
#include "scene/LightSRC.h"
#include "scene/LightSRCCtrl.h"
#include "scene/gui/LightSRCGUI.h"
#include "platform/TextDecoding.h"
#include "timeline/TimeCtrl.h"
#include "view/ImageSaver.h"
#include "view/ShadowVolume.h"
#include "view/StereoGram.h"
#include "view/TagList.h"
#include "view/gui/GLResources.h"
#include "view/gui/ImgSequence.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "view/InfoSettings.h"
#include "view/OverlaySettings.h"
#include "view/gui/ParticleAttribPanel.h"

using shelltest::Shell;
using testsupport::ReadFile;
using testsupport::TempDir;

namespace {

const float kTypeColours[4][4] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0.4f, 1, 1}, {1, 1, 1, 1}};
const float kDefaultColour[4] = {1, 0.8f, 0.2f, 1};

bool Near(const unsigned char* p, const float c[4]) {
    for (int k = 0; k < 3; ++k)
        if (std::abs(int(p[k]) - int(std::lround(c[k] * 255))) > 40) return false;
    return true;
}

/// Pixels of the main view's last picture in each type colour and in the default colour.
struct Picture {
    bool taken = false;
    int type[4] = {0, 0, 0, 0};
    int defaultColour = 0;
};

void Look(MainGLCanvas_cls& v, Picture& pic) {
    if (v.ViewIndex() != 0 || !GpSnap || !GpSnap->allocated || GpSnap->count == 0) return;
    const wxSize size = v.GetClientSize();
    const std::vector<unsigned char> rgba = viewpixels::ReadBack(size.x, size.y);
    Picture p;
    p.taken = true;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
        for (int t = 0; t < 4; ++t)
            if (Near(&rgba[i], kTypeColours[t])) ++p.type[t];
        if (Near(&rgba[i], kDefaultColour)) ++p.defaultColour;
    }
    pic = p;
}

/// The text of a choice on `w` or below it showing one of `names`, or "" when none does.
wxString ChoiceShowing(wxWindow* w, const std::vector<wxString>& names) {
    if (auto* c = dynamic_cast<wxChoice*>(w))
        for (const wxString& n : names)
            if (c->GetStringSelection() == n) return n;
    for (wxWindow* child : w->GetChildren()) {
        const wxString found = ChoiceShowing(child, names);
        if (!found.empty()) return found;
    }
    return wxString();
}

}  // namespace

// The user draws each type in its own colour and point size, makes type 1 high-quality
// Phong points with a keyed colour curve on its material and a texture of its own, and
// saves; the program started again opens the project: the main view shows the four
// colours (no particle in the default yellow), the Attrib 1 page shows the saved choices,
// and every set of every sequence holds the values it was saved with.
TEST(ProjectRoundTrip, EachParticleTypeIsDrawnAsSavedAfterReopening) {
    TempDir dir;
    const std::string cfg = dir.File("Pelthorn3Configure.txt");
    const std::string first = viewpixels::WriteSequence(dir, 200, 2);
    const std::string project = dir.File("types.ptp");
    std::vector<wxString> sets;
    {
        Shell shell(cfg);
        GpDataLoader->SetFileAndLoad(wxString::FromUTF8(first));
        ASSERT_EQ(GpDataSequenceSet->GetFrameCount(), 2);
        shell.core->GetOverlaySettings()->showLegend.values[0] = false;
        ParticleAttrib_cls* const* a = shell.core->GetSequenceRenderer()->Attribs(0);
        for (int t = 0; t < 4; ++t) {
            std::copy(kTypeColours[t], kTypeColours[t] + 4, a[t]->col->constantColor.values);
            a[t]->pointSize.value = 5 + t;
        }
        a[1]->drawQuality.value = 2;
        a[1]->shaderType.value = 2;
        a[1]->radiusFactor.value = 2.5f;
        a[1]->alphaDependBase.value = 0.25f;
        a[1]->texFileBillboard.text = "Texture/Star.png";
        a[1]->diffuse->useColorCurve.value = true;
        a[1]->diffuse->curve->InsertKey(2, 0.5, 0.75);
        std::copy(kTypeColours[2], kTypeColours[2] + 4, a[1]->specular->constantColor.values);
        // another sequence's set is kept apart from the first one's
        shell.core->GetSequenceRenderer()->Attribs(3)[2]->drawType.value = 3;
        for (int s = 0; s < 4; ++s)
            for (int t = 0; t < 4; ++t) sets.push_back(shell.core->GetSequenceRenderer()->Attribs(s)[t]->WriteConfig());
        shell.prompts.fileAnswer = wxID_OK;
        shell.prompts.filePath = wxString::FromUTF8(project);
        shell.Post(ID_SAVE_PROJECT_AS);
        EXPECT_NE(ReadFile(project).find("SEQ0TYPE1DrawQuality=2\r\n"), std::string::npos);
    }

    Picture pic;
    MainGLCanvas_cls::SetPaintProbe([&pic](MainGLCanvas_cls& v) { Look(v, pic); });
    struct ProbeGuard {
        ~ProbeGuard() { MainGLCanvas_cls::SetPaintProbe(nullptr); }
    } guard;
    Shell shell(cfg);
    shell.frame->SetSize(800, 700);
    shell.ParticlesOnly();
    ParticleAttrib_cls* const* a = shell.core->GetSequenceRenderer()->Attribs(0);
    EXPECT_EQ(a[1]->pointSize.value, 10) << "a fresh start draws every type by default";
    shell.prompts.fileAnswer = wxID_OK;
    shell.prompts.filePath = wxString::FromUTF8(project);
    shell.Post(ID_OPEN_PROJECT);
    EXPECT_TRUE(testsupport::ModalMessages().empty()) << testsupport::ModalMessages()[0];

    size_t k = 0;
    for (int s = 0; s < 4; ++s)
        for (int t = 0; t < 4; ++t, ++k)
            EXPECT_EQ(shell.core->GetSequenceRenderer()->Attribs(s)[t]->WriteConfig(), sets[k])
                << "sequence " << s << " type " << t;

    ASSERT_NE(a[1]->panel, nullptr);
    testsupport::Pump(50);
    EXPECT_EQ(ChoiceShowing(a[1]->panel->parent, {"Low", "Middle", "High"}), "High");
    EXPECT_EQ(ChoiceShowing(a[1]->panel->parent, {"original", "Gouroud", "Phong", "Toon"}), "Phong");

    pic = Picture();
    shell.frame->GetTopPanel()->RedrawViews();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return pic.taken; }, 20000));
    for (int t = 0; t < 4; ++t) EXPECT_GT(pic.type[t], 0) << "no particle of type " << t << " in its colour";
    EXPECT_EQ(pic.defaultColour, 0) << "particles drawn in the default colour";
}

namespace {

/// The registered settings item of `key`, or null.
ConfItem_cls* FindItem(Shell& shell, const std::string& key) {
    for (const auto& g : shell.core->Sections().SettingsGroups())
        if (ConfItem_cls* item = g.group->Find(wxString::FromUTF8(key))) return item;
    return nullptr;
}

std::string Line(const ConfItem_cls* item) { return std::string(item->WriteLine().utf8_str()); }

/// The items of `key` that outlive a central object (settings of process-wide objects).
std::vector<ConfItem_cls*> GlobalItems(const std::string& key) {
    std::vector<ConfItem_cls*> out;
    for (ConfItemGroup_cls* g : {&GoShadowConfig.group, &GoRenderConfig.group, &GoTagConfig.group, &GoImageSaver.group,
                                 GpBGColor ? &GpBGColor->settings : nullptr})
        if (g)
            if (ConfItem_cls* item = g->Find(wxString::FromUTF8(key))) out.push_back(item);
    return out;
}

/// Every value of the scene: each registered item's line by group, and the text of every
/// block a project holds (filters, lights, paths, time, stereogram).
std::map<std::string, std::string> EveryValue(Shell& shell) {
    std::map<std::string, std::string> all;
    for (const auto& g : shell.core->Sections().SettingsGroups())
        for (const ConfItem_cls* item : g.group->Items())
            all[g.name + " " + std::string(item->key.utf8_str())] = Line(item);
    for (int i = 0; i < 3; ++i) all["filter list " + std::to_string(i)] = shell.core->GetFilterCtrl(i)->WriteSection();
    all["lights"] = shell.core->GetLights()->WriteSection();
    all["camera path"] = GpCameraPath->WriteSection();
    all["anchor path"] = GpAnchorPath->WriteSection();
    all["time"] = std::string(shell.core->GetTimeCtrl()->WriteText().utf8_str());
    all["stereogram"] = shell.core->GetStereoGram()->WriteConfig();
    return all;
}

/// One value a user changes on a page or in a dialog: its key and the new value text.
/// Rows marked program-wide also come back from the configuration file that Quit writes.
struct SettingRow {
    const char* page;
    const char* key;
    const char* value;
    bool programWide;
};

const SettingRow kSettingRows[] = {
    {"Attrib 0 page", "SEQ0TYPE0DrawType=", "2", false},
    {"Attrib 1 page", "SEQ0TYPE1RadiusFactor=", "2.5", false},
    {"Attrib 2 page", "SEQ0TYPE2ColConstantColor=", "0 0.4 1 1", false},
    {"Attrib 3 page", "SEQ0TYPE3AlphaType=", "1", false},
    {"Option page", "DownSizing=", "3", false},
    {"Option page shadows", "ShadowLength=", "40", false},
    {"Overlay page", "OverLayTimePos=", "1", false},
    {"Exposure page", "ExposureGamma=", "2.2", false},
    {"Info page", "InformationIndex=", "7", false},
    {"Image sequence dialog", "ImgSequenceOutputWidth=", "1920", false},
    {"Light editor", "LightSRC1SpotAngle=", "20", false},
    {"Light count", "LightNumber=", "3", false},
    {"Camera dialog", "CameraVAngle=", "50", false},
    {"View bar", "Panel0GLPersAngle=", "50", false},
    {"Extra view bar", "Panel4ShowGrid=", "0", false},
    {"Stereogram dialog", "StereogramType=", "1", false},
    {"POV-Ray dialog output", "PovCameraWidth=", "320", false},
    {"POV-Ray dialog photons page", "PovPhotonsCount=", "40", false},
    {"POV-Ray dialog paths", "PathPovRay=", "/opt/povray/bin/povray", true},
    {"Periodic boundary dialog", "PeriodicType=", "2", false},
    {"Scene dialog", "LineWidth=", "2.5", false},
    {"Scene dialog background", "BGColorConstantColor=", "0.1 0.2 0.3 1", false},
    {"Time bar", "TimeAnimStep=", "2", false},
    {"Loader dialog", "LoaderScale=", "2", true},
    {"Exporter dialog", "DataExportInitNum=", "5", true},
    {"Image saving", "ImageJpegQuality=", "80", true},
    {"Snapshot file dialog", "LastOpenedFileIMG=", "/pictures/shot.png", true},
    {"Preferences mouse", "GUI_ZOOM=", "2", false},
    {"Preferences performance", "PREF_SORT_TYPE=", "2", false},
};

/// The filters of every kind the Filter menu adds, each with one of its own values changed.
const int kFilterMenu[] = {ID_ADD_BOOLEAN, ID_ADD_DATABOX, ID_ADD_OBJECT,  ID_ADD_GRID, ID_ADD_FOG,
                           ID_ADD_FILTERING, ID_ADD_COPYBOX, ID_ADD_STICK, ID_ADD_BG};

/// The first number of a filter's own settings (not its target or visibility), changed:
/// its line after the change, or "" when none could be changed.
std::string ChangeOneValue(FilterBase_cls* filter) {
    for (ConfItem_cls* item : filter->GetData()->settings.Items()) {
        const int c = item->typeCode;
        if (c != CONF_INT && c != CONF_UINT && c != CONF_FLOAT && c != CONF_DOUBLE) continue;
        if (item->key.EndsWith("Target=") || item->key.EndsWith("Visible=")) continue;
        const std::string before = Line(item);
        const double v = std::atof(item->ValueText().utf8_str());
        for (double next : {v + 1.25, v - 1.25, v + 1, v - 1}) {
            item->ParseLine(item->key + wxString::FromCDouble(c == CONF_INT || c == CONF_UINT ? std::floor(next) : next));
            if (Line(item) != before) return Line(item);
        }
    }
    return std::string();
}

}  // namespace

// One value changed on every page and dialog a user can reach, the project saved and the
// program quit; the program started again has the program-wide ones back from its
// configuration file, and the project opened in the fresh scene brings back every value:
// each row's own, and every other settings item and block as it was saved.
TEST(ProjectRoundTrip, EveryPageAndDialogComesBackFromTheProject) {
    TempDir dir;
    const std::string cfg = dir.File("Pelthorn3Configure.txt");
    const std::string project = dir.File("everything.ptp");
    std::map<std::string, std::string> saved;
    std::map<std::string, std::string> rowLines, startLines;
    // Some settings live as long as the process (the scene dialog's, the shadows'): they are
    // put back whatever happens, so that later tests start from the defaults.
    struct PutBack {
        std::map<std::string, std::string>& lines;
        ~PutBack() {
            for (const SettingRow& r : kSettingRows)
                for (ConfItem_cls* item : GlobalItems(r.key)) item->ParseLine(wxString::FromUTF8(lines[r.key]));
        }
    } putBack{startLines};
    struct FilterRow {
        int list, index;
        std::string line;
    };
    std::vector<FilterRow> filterRows;
    {
        Shell shell(cfg);
        for (const SettingRow& r : kSettingRows) {
            ConfItem_cls* item = FindItem(shell, r.key);
            ASSERT_NE(item, nullptr) << r.page << ": " << r.key << " is not registered";
            const std::string before = Line(item);
            startLines[r.key] = before;
            item->ParseLine(wxString::FromUTF8(std::string(r.key) + r.value));
            rowLines[r.key] = Line(item);
            EXPECT_NE(rowLines[r.key], before) << r.page << ": the row changes nothing";
        }
        for (int id : kFilterMenu) shell.Post(id);
        for (int l = 0; l < 3; ++l)
            for (int i = 0; i < shell.core->GetFilterCtrl(l)->Count(); ++i) {
                FilterBase_cls* f = shell.core->GetFilterCtrl(l)->GetNode(i);
                const std::string line = ChangeOneValue(f);
                EXPECT_FALSE(line.empty()) << "filter kind " << f->Kind() << " has no value to change";
                filterRows.push_back({l, i, line});
            }
        EXPECT_EQ(filterRows.size(), std::size(kFilterMenu));
        // key frames of the camera, the anchor and a light
        GpCameraPath->translate->InsertKey(0, 0.5, 2.0);
        GpAnchorPath->translate->InsertKey(2, 0.5, -1.0);
        shell.core->GetLights()->Light(1).translate->InsertKey(1, 0.25, 3.0);
        shell.prompts.fileAnswer = wxID_OK;
        shell.prompts.filePath = wxString::FromUTF8(project);
        shell.Post(ID_SAVE_PROJECT_AS);
        saved = EveryValue(shell);
        shell.prompts.yes = true;
        shell.Post(ID_QUIT);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return shell.core->GetFrameMain() == nullptr; }));
        EXPECT_TRUE(testsupport::ModalMessages().empty()) << testsupport::ModalMessages()[0];
    }

    // The program started again: what outlives a central object in this test process is
    // set back first, so that only the configuration file can bring it.
    for (const SettingRow& r : kSettingRows)
        for (ConfItem_cls* item : GlobalItems(r.key)) item->ParseLine(wxString::FromUTF8(startLines[r.key]));
    Shell shell(cfg);
    for (const SettingRow& r : kSettingRows) {
        ConfItem_cls* item = FindItem(shell, r.key);
        if (r.programWide) {
            EXPECT_EQ(Line(item), rowLines[r.key]) << r.page << ": not kept by the configuration file";
            continue;
        }
        EXPECT_EQ(std::string(ReadFile(cfg)).find(std::string(r.key)), std::string::npos)
            << r.page << ": a project setting in the configuration file";
        EXPECT_EQ(Line(item), startLines[r.key]) << r.page << ": not a fresh scene";
    }
    shell.prompts.fileAnswer = wxID_OK;
    shell.prompts.filePath = wxString::FromUTF8(project);
    shell.Post(ID_OPEN_PROJECT);
    EXPECT_TRUE(testsupport::ModalMessages().empty()) << testsupport::ModalMessages()[0];
    for (const SettingRow& r : kSettingRows) EXPECT_EQ(Line(FindItem(shell, r.key)), rowLines[r.key]) << r.page;
    for (const FilterRow& r : filterRows) {
        ASSERT_LT(r.index, shell.core->GetFilterCtrl(r.list)->Count()) << "list " << r.list;
        FilterBase_cls* f = shell.core->GetFilterCtrl(r.list)->GetNode(r.index);
        bool found = false;
        for (const ConfItem_cls* item : f->GetData()->settings.Items()) found = found || Line(item) == r.line;
        EXPECT_TRUE(found) << "filter kind " << f->Kind() << ": " << r.line;
    }
    const std::map<std::string, std::string> reopened = EveryValue(shell);
    for (const auto& [name, value] : saved) {
        auto it = reopened.find(name);
        ASSERT_NE(it, reopened.end()) << name;
        EXPECT_EQ(it->second, value) << name;
    }
}

// Every settings item the program registers is written into the file it belongs to: the
// program-wide ones into the configuration file (and projects), all others into projects.
// The attribute sets of every sequence's four types, and the filters' own settings, are
// among them.
TEST(ProjectRoundTrip, EveryRegisteredItemIsWrittenIntoItsFile) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    ConfigSections_cls& sections = shell.core->Sections();
    // every light is on, so that every light's block is written
    shell.core->GetLights()->lightNumber.value = LightSRCCtrl_cls::kLights;
    const std::vector<std::string> projectLines = platform::SplitLines(sections.WriteText(true));
    const std::vector<std::string> configLines = platform::SplitLines(sections.WriteText(false));
    auto written = [](const std::vector<std::string>& lines, const wxString& key) {
        const std::string k(key.utf8_str());
        for (const std::string& l : lines)
            if (l.compare(0, k.size(), k) == 0) return true;
        return false;
    };
    const std::vector<ConfigSections_cls::NamedGroup> groups = sections.SettingsGroups();
    size_t items = 0;
    for (const auto& g : groups)
        for (const ConfItem_cls* item : g.group->Items()) {
            ++items;
            EXPECT_TRUE(written(projectLines, item->key)) << g.name << ": " << item->key << " is written nowhere";
        }
    EXPECT_GT(items, 500u);
    for (const char* programWide : {"data loader", "data exporter", "frame", "image saver"})
        for (const auto& g : groups)
            if (g.name == programWide) {
                for (const ConfItem_cls* item : g.group->Items())
                    EXPECT_TRUE(written(configLines, item->key)) << g.name << ": " << item->key;
            }
    for (const char* key : {"PathPovRay=", "PathPovWork="}) EXPECT_TRUE(written(configLines, key)) << key;

    // the groups a user edits on the Attrib pages and the Info page are listed
    auto listed = [&](const ConfItemGroup_cls* group) {
        for (const auto& g : groups)
            if (g.group == group) return true;
        return false;
    };
    for (int s = 0; s < 4; ++s)
        for (int t = 0; t < 4; ++t) {
            ParticleAttrib_cls* a = shell.core->GetSequenceRenderer()->Attribs(s)[t];
            EXPECT_TRUE(listed(&a->settings)) << a->keyPrefix;
            for (const ColorCurve_cls* c : {a->col.get(), a->ambient.get(), a->diffuse.get(), a->specular.get()})
                EXPECT_TRUE(listed(&c->settings)) << c->name;
        }
    EXPECT_TRUE(listed(&shell.core->GetInfoSettings()->group));
    EXPECT_TRUE(listed(&shell.core->GetImgSequence()->group));

    // the filters' own settings are written inside their list's block
    for (int id : kFilterMenu) shell.Post(id);
    std::vector<std::string> filterLines;
    for (int l = 0; l < 3; ++l)
        for (const std::string& line : platform::SplitLines(shell.core->GetFilterCtrl(l)->WriteSection()))
            filterLines.push_back(line);
    for (int l = 0; l < 3; ++l)
        for (int i = 0; i < shell.core->GetFilterCtrl(l)->Count(); ++i)
            for (const ConfItem_cls* item : shell.core->GetFilterCtrl(l)->GetNode(i)->GetData()->settings.Items())
                EXPECT_TRUE(written(filterLines, item->key)) << "filter " << l << "." << i << ": " << item->key;
}

// The light editor (made hidden at the start) shown after a project has been opened lists
// the opened project's lights at once, not the ones it was made with.
TEST(ProjectRoundTrip, TheLightEditorShownAfterAnOpenListsTheOpenedLights) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    LightSRCCtrl_cls* lights = shell.core->GetLights();
    LightSRCGUICtrl_cls* editor = shell.core->GetLightEditor();
    lights->AddLight();
    ASSERT_EQ(lights->LightNumber(), 3);
    const std::string project = dir.File("lights.ptp");
    ASSERT_TRUE(shell.core->WriteConfig(project, true));
    lights->RemoveLight();
    ASSERT_EQ(lights->LightNumber(), 2);

    ASSERT_NE(editor->gui, nullptr);
    ASSERT_FALSE(editor->gui->IsShown());
    EXPECT_EQ(editor->gui->icons.size(), 2u);

    ASSERT_TRUE(shell.frame->OpenProjectFile(wxString::FromUTF8(project)));
    testsupport::Pump(200);  // the open and the paints it asks for are over
    EXPECT_EQ(lights->LightNumber(), 3);
    // as the menu command does; the editor appears as it is now, whether or not a view
    // happens to paint afterwards
    editor->Show(shell.frame);
    ASSERT_TRUE(editor->gui->IsShown());
    EXPECT_EQ(editor->gui->icons.size(), 3u) << "the editor shows the lights of the scene before the open";
}
