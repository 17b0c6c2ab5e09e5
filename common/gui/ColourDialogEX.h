// The one shared colour dialog, taking and giving colours as floats 0..1.
#pragma once

#include <wx/colourdata.h>
#include <wx/colour.h>

class wxWindow;

class ColourDialogEX_cls {
public:
    /// `chooseFull`: the full dialog with custom colours.
    ColourDialogEX_cls(wxWindow* parent, const wxColour& colour, bool chooseFull = true);
    ~ColourDialogEX_cls();

    /// Presets the dialog with red, green, blue in 0..1 (each × 255, truncated; alpha 255).
    void SetColourRGB(float red, float green, float blue);
    void SetColourRGB(const float* rgb) { SetColourRGB(rgb[0], rgb[1], rgb[2]); }
    /// Runs the question (UserPrompts_cls::PickColour); wxID_OK when a colour was chosen.
    int ShowModal();
    /// Red, green, blue of the chosen colour / 255; pointer to three floats owned here.
    const float* GetColourRGB();
    /// The colour the dialog is preset with.
    const wxColour& GetColour() const { return m_colour; }

private:
    wxColour m_colour;
    wxColourData m_data;   ///< the chosen colour and the custom colours
    wxWindow* m_parent;    ///< not owned
    float m_rgb[3] = {0, 0, 0};
};

/// The shared colour dialog; created and deleted by the main frame.
extern ColourDialogEX_cls* GpColourDialogEX;
