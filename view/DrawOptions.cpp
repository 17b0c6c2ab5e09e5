// Draw-option settings items.
#include "view/DrawOptions.h"

DrawOptions_cls::DrawOptions_cls() {
    downSizing.SetRange(1, 1000);
    sortOrder.SetRange(0, 2);
    classify.SetRange(0, 1);
    shadow.SetRange(0, 2);
    group.Register(&downSizing, "DownSizing=", "1");
    group.Register(&sortOrder, "SortOrder=", "0");
    group.Register(&classify, "Classify=", "1");
    group.Register(&shadow, "Shadow=", "0");
}

DrawOptions_cls::~DrawOptions_cls() {
    if (releasePage) releasePage();
    page = nullptr;
}

wxString DrawOptions_cls::WriteText() const {
    return group.WriteAll();
}

bool DrawOptions_cls::ReadText(const wxString& line) {
    return group.OfferLine(line);
}
