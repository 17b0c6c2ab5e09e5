// Object filter: settings, mesh loading and POV-Ray text.
#include "filters/FilterObject.h"

#include <wx/intl.h>

#include "common/CommandHistory.h"
#include "common/UserPattern.h"
#include "filters/CommandFilter.h"
#include "filters/FilterCtrl.h"
#include "filters/ColorCurve.h"
#include "scene/PovRayCtrl.h"
#include "scene/PovText.h"
#include "timeline/ParamGroup.h"

PovObjectStyle_cls PovObjectStyle_cls::FromController() {
    PovObjectStyle_cls s;
    s.singleForm = PovFastColoring();
    s.photons = [](double opacity, double reflectMin, double reflectMax, bool noTarget) {
        return PovPhotonsModifier(opacity, reflectMin, reflectMax, noTarget);
    };
    if (GpPovRayCtrlSelf) {
        s.relativePath = [](const wxString& path) {
            return GpPovRayCtrlSelf ? GpPovRayCtrlSelf->MakeRelativePath(path) : path;
        };
        s.note = [](const std::string& what) {
            if (GpPovRayCtrlSelf) GpPovRayCtrlSelf->sceneNotes.push_back(what);
        };
    }
    return s;
}

FilterObjectData_cls::FilterObjectData_cls() : FilterData_cls(true, true) {
    filterName.Init("FilterName=", wxGetTranslation("Object") + "%02d");
    objectType.SetRange(0, 3);
    settings.Register(&objectType, "ObjectType=", "0");
    settings.Register(&importPath, "ImportPath=", "NONE");
    texture.Register(settings);
    settings.Register(&arrayVector[0], "ArrayVector0=", "1 0 0");
    settings.Register(&arrayVector[1], "ArrayVector1=", "0 1 0");
    settings.Register(&arrayVector[2], "ArrayVector2=", "0 0 1");
    const char* names[3] = {"Ambient", "Diffuse", "Specular"};
    const char* defaults[3] = {"0.2 0.16 0.04 1", "1 0.8 0.2 1", "1 0.8 0.2 1"};
    for (int i = 0; i < 3; ++i) colors.push_back(new ColorCurve_cls(names[i], names[i], defaults[i], 0, nullptr));
}

FilterObjectData_cls::~FilterObjectData_cls() = default;

wxString FilterObjectData_cls::MeshPath(int frame) const {
    const wxString pattern = importPath.Value();
    // Only an integer conversion takes the frame number; any other '%' stays as written.
    if (UserPattern_cls::CountIntConversions(pattern) != 1) return pattern;
    return UserPattern_cls::ExpandOne(pattern, frame);
}

std::string FilterObjectData_cls::LoadMesh(int frame) {
    const wxString path = MeshPath(frame);
    const MeshReadResult r = mesh.Load(path);
    if (r.message.empty()) return std::string();
    // A ".pov" file that cannot be opened is tried on every draw; it is told once.
    if (path == reportedPath_) return std::string();
    reportedPath_ = path;
    return r.message;
}

wxString FilterObjectData_cls::PovMatrix() const {
    wxString out = "\tmatrix<";
    for (int a = 0; a < 3; ++a)
        for (int k = 0; k < 3; ++k) out << wxString::FromCDouble(arrayVector[a].values[k], 6) << ",";
    return out + "0,0,0>";
}

void FilterObjectData_cls::MaterialAt0(MaterialColors_cls& m) const {
    float* out[3] = {m.ambient, m.diffuse, m.specular};
    for (int i = 0; i < 3; ++i) {
        const ColorCurve_cls* c = i < int(colors.size()) ? colors[size_t(i)] : nullptr;
        if (!c) {
            for (int k = 0; k < 4; ++k) out[i][k] = 1.0f;
        } else if (c->UsesCurve()) {
            c->ColorAt(0.0f, out[i]);
        } else {
            for (int k = 0; k < 4; ++k) out[i][k] = c->ConstantColor()[k];
        }
    }
    texture.ApplyAlpha(m.ambient, m.diffuse, m.specular);
}

FilterObject_cls::FilterObject_cls(FilterCtrl_cls* list)
    : FilterBase_cls(list, FILTER_OBJECT, std::make_unique<FilterObjectData_cls>()) {}

wxString FilterObject_cls::PovDeclare(const PovObjectStyle_cls& style, const wxString& name) {
    if (Data()->objectType.value != OBJECT_IMPORT) return wxString();
    std::string note;
    const wxString text = Data()->mesh.WritePov(style.relativePath, name, &note);
    if (!note.empty() && style.note) style.note(note);
    return text;
}

wxString FilterObject_cls::PovObject(double t, const wxString& copyTransform, int mode, const wxString& indent,
                                     const PovObjectStyle_cls& style) {
    FilterObjectData_cls* d = Data();
    if (!d->filterValid.value || !d->ShownByEye()) return wxString();
    const unsigned type = d->objectType.value;
    if (type > OBJECT_IMPORT) return wxString();
    // The solids stand once in the scene; the mesh once per periodic copy.
    if (type == OBJECT_IMPORT ? mode != 1 : mode != 0) return wxString();
    wxString out = indent;
    switch (type) {
        case OBJECT_BOX: out << "box { <-0.5, -0.5, -0.5>, <0.5, 0.5, 0.5>\n"; break;
        case OBJECT_PLANE: out << "polygon { 4, <-0.5, -0.5, 0>, <0.5, -0.5, 0>, <0.5, 0.5, 0>, <-0.5, 0.5, 0>\n"; break;
        case OBJECT_SPHERE: out << "sphere { <0, 0, 0>, 0.5\n"; break;
        default: {
            const wxString name = d->mesh.sceneName.empty() ? wxString("MESH_OBJECT") : d->mesh.sceneName;
            out << "object {\n\t" << name << "\n" << d->PovMatrix() << "\n";
        }
    }
    MaterialColors_cls m;
    d->MaterialAt0(m);
    wxString material =
        PovMaterialTexture(indent + "\t", m, 0.024336f, d->texture.PovReflection(), false, style.singleForm);
    wxString normal = d->texture.PovNormal();
    if (!normal.empty() && !style.singleForm) {
        // POV-Ray cannot lay a normal over the averaged texture of an object: each texture
        // of the map carries the normal instead.
        wxString inline_ = normal;
        inline_.Replace("\t", "");
        inline_.Replace("\n", " ");
        inline_.Trim();
        material.Replace("}]\n", "} " + inline_ + "]\n");
        normal.clear();
    }
    out << material;
    const wxString ior = d->texture.PovIor();
    if (!ior.empty()) out << indent << "\tinterior {" << ior << "}\n";
    if (!normal.empty()) {
        // every line of the normal block carries the indentation
        wxString lines = normal;
        lines.Replace("\n", "\n" + indent);
        out << indent << lines.Left(lines.size() - indent.size());
    }
    if (style.photons)
        out << style.photons(1.0, d->texture.reflectMin.value, d->texture.reflectMax.value, false);
    wxString transform;
    d->PovTransform(transform, t, {});
    out << indent << transform;
    if (!copyTransform.empty()) out << indent << "\t" << copyTransform << "\n";
    out << indent << "}\n";
    return out;
}

bool SetImportPathCommand(CommandHistory_cls& history, FilterObject_cls* filter, const wxString& path) {
    FilterCtrl_cls* list = filter ? filter->List() : nullptr;
    if (!list) return false;
    const wxString old = filter->Data()->importPath.Value();
    if (old == path) return false;
    const wxString address = filter->Data()->filterName.Value() + "::ImportPath=";
    history.Push(new CommandFilterText_cls(list, address, path, UPD_FILTER_EVAL | UPD_VIEWS),
                 new CommandFilterText_cls(list, address, old, UPD_FILTER_EVAL | UPD_VIEWS));
    history.Redo();
    return true;
}

bool SetAffineMapCommand(CommandHistory_cls& history, FilterObject_cls* filter, const float vectors[3][3]) {
    FilterCtrl_cls* list = filter ? filter->List() : nullptr;
    if (!list) return false;
    FilterObjectData_cls* d = filter->Data();
    bool changed = false;
    for (int a = 0; a < 3; ++a)
        for (int k = 0; k < 3; ++k) changed |= d->arrayVector[a].values[k] != vectors[a][k];
    if (!changed) return false;
    const wxString name = d->filterName.Value();
    history.BeginBlock("");
    for (int a = 0; a < 3; ++a)
        for (int k = 0; k < 3; ++k) {
            const wxString address = wxString::Format("%s::ArrayVector%d=::DIM=%d", name, a, k);
            const float old = d->arrayVector[a].values[k];
            history.Push(new CommandFilterValue_cls(list, address, vectors[a][k], 0, UPD_VIEWS | UPD_EXPOSURE_PAGE),
                         new CommandFilterValue_cls(list, address, old, 0, UPD_VIEWS | UPD_EXPOSURE_PAGE));
            history.Redo();
        }
    history.EndBlock("");
    return true;
}
