// Tag list bookkeeping and the tag settings.
#include "view/TagList.h"

#include "filters/ColorCurve.h"

TagSettings_cls GoTagConfig;
ColorCurve_cls* GpTagColor = nullptr;

bool TagList_cls::Contains(const wxString& text) const {
    for (const Tag_cls& t : tags)
        if (t.text == text) return true;
    return false;
}

bool TagList_cls::Add(const wxString& text, float x, float y, float z) {
    if (Contains(text)) return false;
    Tag_cls t;
    t.text = text;
    t.x = x;
    t.y = y;
    t.z = z;
    tags.push_back(t);
    return true;
}

void InitTagSettings() {
    if (GpTagColor) return;
    GoTagConfig.fontIndex.SetRange(0, 4);  // an index past the font table selects nothing
    GoTagConfig.group.Register(&GoTagConfig.fontIndex, "TagFontIndex=", "4");
    // Lives as long as the process, like the views that read it.
    GpTagColor = new ColorCurve_cls("TagColor", "TagColor", "1 1 1 1", 0, nullptr);
}

void ReadTagSettings(ParamTextStream_cls& stream, const std::string& line) {
    GoTagConfig.group.OfferLine(wxString::FromUTF8(line));
    if (GpTagColor) GpTagColor->ReadText(stream, line);
}

wxString WriteTagSettings() {
    wxString out = GoTagConfig.group.WriteAll();
    if (GpTagColor) out += GpTagColor->WriteText();
    return out;
}
