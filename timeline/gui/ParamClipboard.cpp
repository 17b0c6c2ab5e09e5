// Key-frame text on the system clipboard: selected keys as parameter text, and a group's
// POV-Ray text.
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

namespace {
void PutText(const std::string& text) {
    if (text.empty() || !wxTheClipboard->Open()) return;
    wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text.c_str())));
    wxTheClipboard->Close();
}
}  // namespace

void Parameter_cls::CopySelectedKeysToClipboard() const { PutText(SelectedKeysText()); }

void ParamGroup_cls::CopyPovCodeToClipboard() const { PutText(GetPovCode()); }
