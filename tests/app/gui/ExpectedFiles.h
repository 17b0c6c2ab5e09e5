// The settings lines a fresh program writes into its configuration and project files, section
// by section in writing order, so that the file tests compare whole files byte for byte.
#pragma once

#include <string>

#include "platform/ProgramPaths.h"

namespace shelltest {

/// Data loader: its grammar's three lines, then its seven settings (defaults).
inline std::string LoaderRows() {
    return "DataLoadDataType=0\r\n"
           "DataLoadGrammerHead=0 1\r\n"
           "DataLoadGrammerBody=0 1 5 6 7 8\r\n"
           "LastOpenedFile=NONE\r\n"
           "InterpolateType=1\r\n"
           "VariableNumber=0\r\n"
           "LoaderTranslate=0.000000 0.000000 0.000000\r\n"
           "LoaderScale=1.000000\r\n"
           "LoaderScaleValue1=1.000000\r\n"
           "LoaderLogarithm=0\r\n";
}

/// Data exporter: its grammar's three lines, then its two settings (defaults).
inline std::string ExporterRows() {
    return "DataExportDataType=0\r\n"
           "DataExportGrammerHead=0 1\r\n"
           "DataExportGrammerBody=0 1 5 6 7 8\r\n"
           "DataExportLastSavedFile=NONE\r\n"
           "DataExportInitNum=0\r\n";
}

/// The frame's two paths.
inline std::string FrameRows(const std::string& project, const std::string& image = "None") {
    return "LastOpenedFilePTP=" + project + "\r\nLastOpenedFileIMG=" + image + "\r\n";
}

/// Image saving (defaults).
inline std::string ImageSaverRows() {
    return "ImageJpegQuality=95\r\n"
           "ImageMultiThrad=1\r\n";
}

/// The POV-Ray renderer and work folder (defaults: the folder "POV" in the current one).
inline std::string PovPathRows() {
    return "PathPovRay=/usr/bin/povray\r\nPathPovWork=" + platform::WorkingDirectory() + "/POV\r\n";
}

/// The whole configuration file of a program left with its defaults.
inline std::string ConfigFile(const std::string& project, const std::string& image = "None") {
    return LoaderRows() + ExporterRows() + FrameRows(project, image) + PovPathRows() + ImageSaverRows();
}

/// Every POV-Ray setting (defaults), in the order a project holds them.
inline std::string PovSettingsRows() {
    return PovPathRows() +
           "FilePovSnap=povsnap%04d\r\nFilePovAnim=povanim%04d\r\nPovTweaks=0\r\nUseCommonSceneFile=1\r\n"
           "PovRadiosityType=0\r\nPovRadiosityReuse=0\r\nPovRadiosityPathDir=\r\nPovRadiosityCount=35\r\n"
           "PovRadiosityError=1.800000\r\nPovRadiosityMinimumReuse=0.015000\r\n"
           "PovRadiosityRecursionLimit=3\r\nPovRadiosityNearestCount=5\r\n"
           "PovRadiosityTraceStrat=0.080000\r\nPovRadiosityTraceEnd=0.040000\r\n"
           "PovRadiosityZeroAmbient=1\r\nPovRadiosityMedia=0\r\nPovRadiosityNormal=1\r\n"
           "PovRadHighReproduce=0\r\nPovRenderRegion=0\r\nPovRegionCustomMin=0\r\n"
           "PovRegionCustomMax=100\r\nPovRenderAnimNinit=0\r\nPovPhotonsType=0\r\nPovPhotonsCount=20\r\n"
           "PovPhotonsMaxTrace=5\r\nPovFocalBlur=0\r\nPovFocalBlurScale=0.000000\r\n"
           "PovFocalBlurQuality=1\r\nPovFocusLocationType=0\r\nPovFocusDistance=1.000000\r\n"
           "PovFocusLocation=0.000000 0.000000 0.000000\r\nPovOutputFomat=0\r\nPovCameraWidth=640\r\n"
           "PovCameraHeight=480\r\nPovAntialias=0\r\nPovDisplay=1\r\nPovPauseWhenDone=0\r\nPovJitter=0\r\n"
           "PovOutputAlpha=0\r\nPovAntiAliasThreshold=0.150000\r\nPovAntiAliasDepth=3\r\n"
           "PovJitterAmount=1.000000\r\nPovFastColoring=1\r\nPovFileAbsolute=0\r\n"
           "PovBoundingMethod=1\r\nPovMaxTraceLevel=12\r\n";
}

/// Draw options of the Option page (defaults).
inline std::string DrawOptionRows() {
    return "DownSizing=1\r\n"
           "SortOrder=0\r\n"
           "Classify=1\r\n"
           "Shadow=0\r\n";
}

/// The overlay settings, then the Info page's particle index and source (defaults).
inline std::string OverlayRows() {
    return "OverLayTimePos=4\r\n"
           "OverLayTimeFontFamily=2\r\n"
           "OverLayTimeFontPoint=18\r\n"
           "OverLayTimeCustomFont=\r\n"
           "OverLayTimeTag=Time=\r\n"
           "OverLayShowLegend=1 0 0 0\r\n"
           "OverLayLegendPos=3\r\n"
           "OverLayLegendIgnoreAlphe=0\r\n"
           "OverLayLegendIgnoreTics=0\r\n"
           "InformationIndex=0\r\n"
           "InformationType=0\r\n";
}

/// The shadow volumes' settings (defaults).
inline std::string ShadowRows() {
    return "ShadowQuality=1\r\n"
           "ShadowLength=20.000000\r\n";
}

/// Exposure, then the image sequence's initial number and output size (defaults).
inline std::string ExposureRows() {
    return "ExposureLevel=0 1\r\n"
           "ExposureGamma=1.000000\r\n"
           "ExposureHueOffset=0\r\n"
           "ExposureSaturation=0\r\n"
           "ImgSequenceInitNum=0\r\n"
           "ImgSequenceOutputWidth=640\r\n"
           "ImgSequenceOutputHeight=480\r\n";
}

/// The periodic boundary: type, size factors, effect and the three base vectors (defaults).
inline std::string PeriodicRows() {
    return "PeriodicType=0\r\n"
           "PeriodicSize=1.000000 1.000000 1.000000\r\n"
           "PeriodicEffect=0\r\n"
           "PeriodicBaseVector0=10.000000 0.000000 0.000000\r\n"
           "PeriodicBaseVector1=0.000000 10.000000 0.000000\r\n"
           "PeriodicBaseVector2=0.000000 0.000000 10.000000\r\n";
}

/// The stereogram block with its defaults: stereo off, the eye distance keyed 0.1 at time 0.
inline std::string StereoGramRows() {
    return "--StereoGram\n"
           "StereogramType=0\r\n"
           "StereogramEye=0\r\n"
           "StereoGramToeInAngle=0.5\r\n"
           "SterogramDualOutput=1\r\n"
           "-ParamGroup=Stereogram\n"
           "dimension=1\r\n"
           "Start\n"
           "Parameter_Distance of Eye\n"
           "timeDepend=1\r\n"
           "periodic=0\r\n"
           "itemnum 1\n"
           "0.000000000 0 0.100000 0.000000 0.000000 \r\n";
}

/// Preferences: the fifteen mouse lines of the default template, then the two performance
/// lines (defaults).
inline std::string PreferenceRows() {
    return "GUI_GYRATION=0\r\n"
           "GUI_GYRATION_MOD=0 0 0\r\n"
           "GUI_GYRATION_INVERT=0\r\n"
           "GUI_ZOOM=1\r\n"
           "GUI_ZOOM_MOD=0 0 0\r\n"
           "GUI_ZOOM_INVERT=0\r\n"
           "GUI_CENTER=0\r\n"
           "GUI_CENTER_MOD=1 1 0\r\n"
           "GUI_ITEM=0\r\n"
           "GUI_ITEM_MOD=1 0 0\r\n"
           "GUI_MENU=2\r\n"
           "GUI_MENU_MOD=0 0 0\r\n"
           "GUI_HITTEST=2\r\n"
           "GUI_HITTEST_MOD=1 0 0\r\n"
           "GUI_MBUTTON_EMULATE=2\r\n"
           "PREF_SORT_TYPE=0\r\n"
           "PREF_USE_FBO=1\r\n";
}

/// The text of a colour record `name` holding the constant colour `rgba` (its five lines
/// and its default curve, green to red).
inline std::string ColorRecordRows(const std::string& name, const std::string& rgba) {
    std::string out = name + "UseColorCurve=0\r\n" + name + "ConstantColor=" + rgba + "\r\n" + name +
                      "ScalingMin=0.000000\r\n" + name + "ScalingMax=1.000000\r\n" + name +
                      "DependType=0\r\n-ParamGroup=" + name + " ColorCurve\ndimension=4\r\nStart\n";
    const char* channels[4][3] = {{"R", "0", "1"}, {"G", "1", "0"}, {"B", "0", "0"}, {"A", "1", "1"}};
    for (auto& c : channels)
        out += std::string("Parameter_") + c[0] + "\ntimeDepend=1\r\nperiodic=0\r\nitemnum 2\n0.000000000 0 " +
               c[1] + ".000000 0.000000 0.000000 \r\n1.000000000 0 " + c[2] + ".000000 0.000000 0.000000 \r\n";
    return out;
}

/// How particle type `t` of sequence `n` is drawn (defaults): the Ambient, Diffuse,
/// Specular and Col records, then the thirteen settings.
inline std::string AttribRows(int n, int t) {
    const std::string p = "SEQ" + std::to_string(n) + "TYPE" + std::to_string(t);
    const std::string yellow = "1.000000 0.800000 0.200000 1.000000";
    return ColorRecordRows(p + "Ambient", "0.200000 0.160000 0.040000 1.000000") +
           ColorRecordRows(p + "Diffuse", yellow) + ColorRecordRows(p + "Specular", yellow) +
           ColorRecordRows(p + "Col", yellow) + p + "DrawType=0\r\n" + p + "DrawQuality=0\r\n" + p +
           "BlendType=0\r\n" + p + "RadiusType=0\r\n" + p + "RadiusFactor=1.000000\r\n" + p +
           "RadiusFactorForConst=0.001000\r\n" + p + "PointSize=10\r\n" + p + "AlphaType=0\r\n" + p +
           "ShaderType=0\r\n" + p + "AlphaFactro=1.000000\r\n" + p + "AlphaDependBase=1.000000\r\n" + p +
           "AlphaMax=1.000000\r\n" + p + "TexFileBillboard=Texture/ParticleA.png\r\n";
}

/// The four data sequences without files: each its item line, an empty path line and the
/// attribute sets of its four particle types.
inline std::string DataSequenceRows() {
    std::string out;
    for (int n = 0; n < 4; ++n) {
        out += "DataSequence" + std::to_string(n) + "=" + std::to_string(n) + "\r\n\n";
        for (int t = 0; t < 4; ++t) out += AttribRows(n, t);
    }
    return out;
}

/// The GL-wide settings: buffer size and line width, the background and outer colours,
/// the tag font and colour (defaults).
inline std::string GLSettingsRows() {
    return "FBOBufferSize=3\r\nLineWidth=5.000000\r\n" +
           ColorRecordRows("BGColor", "0.000000 0.000000 0.000000 0.000000") +
           ColorRecordRows("OutColor", "0.000000 0.000000 0.000000 0.000000") + "TagFontIndex=4\r\n" +
           ColorRecordRows("TagColor", "1.000000 1.000000 1.000000 1.000000");
}

/// The three filter lists, empty.
inline std::string FilterRows() {
    return "---FilterCtrl0Begin\n---FilterCtrl0End\n"
           "---FilterCtrl1Begin\n---FilterCtrl1End\n"
           "---FilterCtrl2Begin\n---FilterCtrl2End\n";
}

/// The settings of view `view` (defaults: view 0 free, 1 to 3 the side views "From +Z to
/// -Z", "From -X to +X", "From -Y to +Y", 4 the extra view without its info line).
inline std::string ViewRows(int view) {
    static const char* const kChoice[5] = {"0", "6", "1", "3", "0"};
    const std::string p = "Panel" + std::to_string(view);
    const std::string axis = (view >= 1 && view <= 3) ? "1" : "0";
    return p + "ShowMessage=" + (view == 4 ? "0" : "1") + "\r\n" + p + "ShowItems=1\r\n" + p +
           "ShowGrid=1\r\n" + p + "ShowData=1\r\n" + p + "GLPersAngle=35.000000\r\n" + p +
           "GLOrthoScale=1.000000\r\n" + p + "ShowOtherCam=0\r\n" + p + "DrawItemByXOR=0\r\n" + p +
           "GLGeometry=" + axis + "\r\n" + p + "DisplayMode=" + kChoice[view] + "\r\n" + p +
           "PivotMode=0\r\n" + p + "GLPathIndex=0\r\n" + p + "GridType=0\r\n" + p +
           "GridAntialias=0\r\n" + p + "GridShowTag=0\r\n" + p + "Distortion0\r\n" + p +
           "FisheyeGrid0\r\n" + p + "GLDepthMin=0.030000\r\n" + p + "GLDepthMax=5000.000000\r\n";
}

/// Views 0 to 3, then (with `extra`) the extra view.
inline std::string ViewsRows(bool extra) {
    std::string text;
    for (int i = 0; i < (extra ? 5 : 4); ++i) text += ViewRows(i);
    return text;
}

/// One key-framed component with a single key at time 0.
inline std::string OneKeyComponent(const std::string& label, const std::string& value,
                                   const std::string& period = "0") {
    return "Parameter_" + label + "\ntimeDepend=0\r\nperiodic=" + period + "\r\nitemnum 1\n0.000000000 0 " +
           value + " 0.000000 0.000000 \r\n";
}

/// The camera path and anchor sections (defaults).
inline std::string CameraPathRows() {
    return "---CameraPath\r\nCameraGeometry=0\r\nCameraVAngle=35\r\nFishEyeOffset=0.000000\r\n"
           "CareraLookAnchor=0\r\nCameraVisible=1\r\n"
           "-ParamGroup=Camera Translate\ndimension=3\r\nStart\n" +
           OneKeyComponent("x", "-1.500000") + OneKeyComponent("y", "0.000000") +
           OneKeyComponent("z", "1.500000") +
           "-ParamGroup=Camera Rotation\ndimension=3\r\nStart\n" +
           OneKeyComponent("x", "0.000000", "360") + OneKeyComponent("y", "45.000000") +
           OneKeyComponent("z", "0.000000", "360") +
           "---AnchorPath\r\n-ParamGroup=Anchor Translate\ndimension=3\r\nStart\n" +
           OneKeyComponent("x", "0.000000") + OneKeyComponent("y", "0.000000") +
           OneKeyComponent("z", "0.000000");
}

/// The block of light `i` with its starting values (lights 0 and 1 as the program makes
/// them).
inline std::string LightRows(int i) {
    const std::string p = "LightSRC" + std::to_string(i);
    const bool one = i == 1;
    return "---LightSRC " + std::to_string(i) + "\n" + p + "Type=3\r\n" + p + "SpotAngle=35\r\n" + p + "Fade=0\r\n" + p +
           "FadeDistance=1.000000\r\n" + p + "CastShadow=1\r\n" + p + "LightArea=0\r\n" + p +
           "LightAreaSize=0.200000\r\n" + p + "LightAreaQuality=5\r\n" + p + "Target=0\r\n" + p + "Visible=1\r\n" +
           "-ParamGroup=" + p + " Translate\ndimension=3\r\nStart\n" +
           OneKeyComponent("x", one ? "-1.000000" : "1.000000") + OneKeyComponent("y", one ? "-1.000000" : "1.000000") +
           OneKeyComponent("z", one ? "-1.41421356" : "1.41421356") + "-ParamGroup=" + p +
           " Rotation\ndimension=3\r\nStart\n" + OneKeyComponent("x", "0.000000") +
           OneKeyComponent("y", one ? "-45.000000" : "45.000000") +
           OneKeyComponent("z", one ? "45.000000" : "225.000000") + "-ParamGroup=" + p +
           " Strength\ndimension=1\r\nStart\n" + OneKeyComponent("Strength", one ? "0.100000" : "1.000000");
}

/// The light section with its two starting lights.
inline std::string LightSectionRows() {
    return "---AllLightSource\r\nLightNumber=2\r\n" + LightRows(0) + LightRows(1) + "---AllLightSourceEnd\r\n";
}

/// A whole project file of a program left with its defaults except for the time section,
/// given as `timeText` (time settings and the "---TimeRemap" block).
inline std::string ProjectFile(const std::string& project, const std::string& timeText) {
    return ConfigFile(project) + ViewsRows(true) + timeText + DrawOptionRows() + OverlayRows() + ExposureRows() +
           DataSequenceRows() + PeriodicRows() + CameraPathRows() + LightSectionRows() + StereoGramRows() + PovSettingsRows() + PreferenceRows() +
           GLSettingsRows() + ShadowRows() + ViewsRows(false) + FilterRows();
}

}  // namespace shelltest
