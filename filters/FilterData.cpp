// Common part of every filter's data: settings, filter text and value addresses.
#include "filters/FilterData.h"

#include <wx/intl.h>

#include "filters/ColorCurve.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "timeline/ParamTextStream.h"

namespace {

const char* const kKindWords[FILTER_KIND_COUNT] = {"Boolean", "DataBox", "Object",  "Grid", "Fog",
                                                   "Filtering", "CopyBox", "Stick", "BG"};
const int kKindList[FILTER_KIND_COUNT] = {0, 2, 1, 1, 2, 0, 2, 1, 2};

// The words that have catalogue translations, in the order they are replaced.
const char* const kTranslatedWords[] = {"Boolean", "DataBox", "Object",    "Fog",
                                        "Grid",    "Filtering", "CopyBox", "Stick"};

void ReplaceAll(wxString& text, const wxString& from, const wxString& to) {
    if (from.empty() || from == to) return;
    text.Replace(from, to, true);
}

}  // namespace

const char* FilterKindWord(int kind) {
    return kind >= 0 && kind < FILTER_KIND_COUNT ? kKindWords[kind] : "";
}

int FilterListOfKind(int kind) {
    return kind >= 0 && kind < FILTER_KIND_COUNT ? kKindList[kind] : -1;
}

FilterData_cls::FilterData_cls(bool transformInGroup, bool makeTransform)
    : SceneObj_cls("Filter", transformInGroup, makeTransform) {
    settings.Register(&filterValid, "FilterValid=", "1");
    settings.Register(&filterName, "FilterName=", "");
    settings.Register(&filterGUIOpen, "FilterGUIOpen=", "1");
}

FilterData_cls::~FilterData_cls() {
    for (ColorCurve_cls* c : colors) delete c;
}

void FilterData_cls::ReadText(ParamTextStream_cls& stream) {
    std::string line;
    bool have = false;
    while (stream.ReadLine(line)) {
        if (line == "-FilterEnd") break;  // a block without parameter groups (Filtering, CopyBox, Stick)
        if (LineStartsWith(line, kParamGroupHeader)) {
            have = true;
            break;
        }
        settings.OfferLine(wxString::FromUTF8(line));
    }
    LocalizeFilterName(*this, 1);
    if (!have) return;
    // Block phase: the line in hand is offered first, then each following line, so a
    // group header that ended the settings phase reads its block.
    for (;;) {
        if (line == "-FilterEnd") return;
        if (group)
            for (ParamGroup_cls* g : group->children) g->ReadText(stream, line);
        for (ColorCurve_cls* c : colors) c->ReadText(stream, line);
        if (!stream.ReadLine(line)) return;
    }
}

std::string FilterData_cls::WriteBody() {
    LocalizeFilterName(*this, 0);
    std::string out = settings.WriteAll().utf8_string();
    if (group) out += group->WriteText();
    for (const ColorCurve_cls* c : colors) out += c->WriteText().utf8_string();
    LocalizeFilterName(*this, 1);
    return out;
}

void FilterData_cls::CopyFrom(const FilterData_cls& source, const ParamGroup_cls* t,
                              const ParamGroup_cls* r, const ParamGroup_cls* s) {
    // A copy is part of whatever step makes it (an undo snapshot, a restored filter, a
    // project read): the key copies must not push parameter steps of their own.
    const unsigned char undoWas = GbParamUndoEnabled;
    GbParamUndoEnabled = 0;
    settings.CopyValuesFrom(source.settings);
    for (size_t i = 0; i < source.colors.size() && i < colors.size(); ++i)
        colors[i]->CopyFrom(*source.colors[i], false);
    if (translate && source.translate) translate->CopyFrom(t ? *t : *source.translate);
    if (rotation && source.rotation) rotation->CopyFrom(r ? *r : *source.rotation);
    if (scale && source.scale) scale->CopyFrom(s ? *s : *source.scale);
    GbParamUndoEnabled = undoWas;
}

void FilterData_cls::RenameParams(const std::string& name) {
    if (group) group->Rename("Filter", name);
    // Kinds whose transform is not part of the container rename the groups themselves,
    // so that every registry name carries the filter's name.
    if (group && !TransformInGroup())
        for (ParamGroup_cls* g : {translate, rotation, scale})
            if (g) g->Rename("Filter", name);
}

bool FilterData_cls::TransformInGroup() const {
    if (!group || !translate) return false;
    for (const ParamGroup_cls* g : group->children)
        if (g == translate) return true;
    return false;
}

wxString FilterData_cls::KeyOf(const void* value) const { return settings.KeyOf(value); }

void FilterData_cls::SetValueByKey(const wxString& keyText, double x, int n) {
    wxString key = keyText;
    long j = 0;
    const int sep = keyText.Find("::");
    if (sep != wxNOT_FOUND) {
        key = keyText.Left(static_cast<size_t>(sep));
        const wxString rest = keyText.Mid(static_cast<size_t>(sep) + 2);
        const int eq = rest.Find('=');
        if (eq == wxNOT_FOUND || !rest.Mid(static_cast<size_t>(eq) + 1).ToLong(&j)) return;
    }
    ConfItem_cls* item = settings.Find(key);
    if (!item) return;
    auto inArray = [j](const ConfArray_cls& a) { return j >= 0 && j < a.count; };
    switch (item->typeCode) {
        case CONF_INT: static_cast<ConfItemINT_cls*>(item)->value = n; break;
        case CONF_UINT: static_cast<ConfItemUINT_cls*>(item)->value = static_cast<unsigned>(n); break;
        case CONF_FLOAT: static_cast<ConfItemFLOAT_cls*>(item)->value = static_cast<float>(x); break;
        case CONF_DOUBLE: static_cast<ConfItemDOUBLE_cls*>(item)->value = x; break;
        case CONF_INTARRAY: {
            auto* a = static_cast<ConfItemINTARRAY_cls*>(item);
            if (inArray(*a)) a->values[j] = n;
            break;
        }
        case CONF_FLOATARRAY: {
            auto* a = static_cast<ConfItemFLOATARRAY_cls*>(item);
            if (inArray(*a)) a->values[j] = static_cast<float>(x);
            break;
        }
        case CONF_DOUBLEARRAY: {
            auto* a = static_cast<ConfItemDOUBLEARRAY_cls*>(item);
            if (inArray(*a)) a->values[j] = x;
            break;
        }
        default: break;  // strings and bools are edited directly, never by address
    }
}

void LocalizeFilterName(FilterData_cls& data, int mode) {
    wxString name = data.filterName.Value();
    for (const char* word : kTranslatedWords) {
        const wxString plain = wxString::FromUTF8(word);
        const wxString local = wxGetTranslation(plain);
        if (mode == 1)
            ReplaceAll(name, plain, local);
        else
            ReplaceAll(name, local, plain);
    }
    data.filterName.text = name;
}

bool FilterData_cls::ShownByEye() const { return !group || group->visible != 0; }
