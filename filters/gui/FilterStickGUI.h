// Panel of the Stick filter: drawing kind and source, radius or line width, the distance
// rule and type restriction, or the stick file path with its chooser.
#pragma once

#include <functional>
#include <memory>

#include "filters/gui/FilterGUI.h"

class FilterStick_cls;

class FilterStickGUI_cls : public FilterGUI_cls {
public:
    explicit FilterStickGUI_cls(FilterBase_cls* filter);

    /// The ".." button: asks for a stick file ("Select Mesh File", "StickInfo
    /// (*.txt;*.bond)|*.txt;*.bond") and sets StickPath through the history; Cancel does
    /// nothing.
    void ChooseStickFile();
    /// Shows the rows the choices ask for (see RefreshRows).
    void Refresh();
    /// The sticks' surface: the texture editor edits it while this filter is selected.
    TexProperty_cls* TextureRecord() override;

    /// Item indices of the rows, for tests.
    int typeGroup = -1, radiusRow = -1, widthRow = -1, critTypeRow = -1, critGroup = -1, critBItem = -1,
        specTypeRow = -1, specGroup = -1, pathGroup = -1, chooseButton = -1;

protected:
    void BuildRows() override;
    void AfterBuild() override;
    void RefreshRows() override { Refresh(); }

private:
    FilterStick_cls* stick_;
    /// What tells the user of a stick file failure; dies with the panel.
    std::shared_ptr<std::function<void(const wxString&)>> errorReporter_;
};
