// The shared colour dialog.
#include "common/gui/ColourDialogEX.h"

#include "common/gui/UserPrompts.h"


ColourDialogEX_cls* GpColourDialogEX = nullptr;

ColourDialogEX_cls::ColourDialogEX_cls(wxWindow* parent, const wxColour& colour, bool chooseFull)
    : m_colour(colour), m_parent(parent) {
    m_data.SetColour(colour);
    m_data.SetChooseFull(chooseFull);
}

ColourDialogEX_cls::~ColourDialogEX_cls() = default;

void ColourDialogEX_cls::SetColourRGB(float red, float green, float blue) {
    m_rgb[0] = red;
    m_rgb[1] = green;
    m_rgb[2] = blue;
    auto channel = [](float v) {
        const float s = v * 255.0f;
        if (!(s > 0)) return static_cast<unsigned char>(0);
        if (s >= 255) return static_cast<unsigned char>(255);
        return static_cast<unsigned char>(s);
    };
    m_colour = wxColour(channel(red), channel(green), channel(blue), 255);
}

int ColourDialogEX_cls::ShowModal() {
    wxColour chosen;
    const int result =
        UserPrompts_cls::Current().PickColour(m_parent, m_colour, m_data.GetChooseFull(), chosen);
    if (result == wxID_OK && chosen.IsOk()) m_data.SetColour(chosen);
    return result;
}

const float* ColourDialogEX_cls::GetColourRGB() {
    const wxColour c = m_data.GetColour();
    m_rgb[0] = c.Red() / 255.0f;
    m_rgb[1] = c.Green() / 255.0f;
    m_rgb[2] = c.Blue() / 255.0f;
    return m_rgb;
}
