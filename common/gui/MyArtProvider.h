// The program's art provider: icon ids ("wxART_PLAY" and its siblings) answered from the
// PNG files in "ICONS/", resampled by area averaging when another size is asked for.
#pragma once

#include <wx/artprov.h>
#include <wx/image.h>

#include <vector>

class MyArtProvider : public wxArtProvider {
public:
    /// Registers every icon id of the program with its file.
    MyArtProvider();
    ~MyArtProvider() override;

    /// Appends one id and its file name (relative to "ICONS/").
    void RegisterArt(const wxString& id, const wxString& file);
    /// The registered ids, in registration order.
    const std::vector<wxString>& ArtIds() const { return m_ids; }
    /// File of `id` (relative to "ICONS/"), "" when it is not registered.
    wxString FileOf(const wxString& id) const;

protected:
    wxSize DoGetSizeHint(const wxArtClient& client) override;
    /// The null bitmap for an unknown id; the file's image at the default size (-1, -1) or
    /// at its own size; else the image resampled to `size`. A missing file gives an
    /// invalid bitmap.
    wxBitmap CreateBitmap(const wxArtID& id, const wxArtClient& client,
                          const wxSize& size) override;

private:
    std::vector<wxString> m_ids;
    std::vector<wxString> m_files;
};

/// Turns an image's mask into alpha: pixels of the mask colour get alpha 0, all others 255;
/// the mask is removed. An image without mask is left as it is.
void MaskToAlpha(wxImage& image);
/// `source` resampled to `size` by area averaging (the full width maps onto the width; rows
/// are taken about the middle when the aspect ratios differ). The source's mask is turned
/// into alpha first; the result has alpha when the source has. An empty source or size
/// gives an empty image.
wxImage ResampleImage(wxImage& source, const wxSize& size);
