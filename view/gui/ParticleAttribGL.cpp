// The GL side of the particle drawing attributes: the billboard texture and the shader
// switch.
#include <wx/image.h>

#include "platform/ProgramPaths.h"
#include "view/ParticleAttrib.h"
#include "view/gui/ShaderProgram.h"

void ParticleAttrib_cls::UseShader(int lightCount) const {
    if (GpShaderProgram) GpShaderProgram->Use(int(shaderType.value), lightCount);
}

void ParticleAttrib_cls::StopShader() const {
    if (GpShaderProgram) GpShaderProgram->Stop();
}

void ParticleAttrib_cls::UploadBillboard() {
    if (billboardTexture != 0) {
        GLuint old = billboardTexture;
        glDeleteTextures(1, &old);
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    billboardTexture = name;

    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    const std::string file = texFileBillboard.text.ToStdString(wxConvUTF8);
    const std::string path = !file.empty() && file[0] == '/' ? file : platform::FindProgramData(file);
    wxImage image;
    {
        wxLogNull quiet;  // an unreadable file gives an empty texture, not a log window
        if (platform::PathExists(path)) image.LoadFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG);
    }
    std::vector<unsigned char> bytes;
    int w = 0, h = 0;
    if (image.IsOk()) {
        w = image.GetWidth();
        h = image.GetHeight();
        bytes = BillboardBytes(image.GetData(), image.HasAlpha() ? image.GetAlpha() : nullptr, w, h);
    }
    billboardWidth = w;
    billboardHeight = h;

    glBindTexture(GL_TEXTURE_2D, billboardTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, bytes.empty() ? nullptr : bytes.data());
}
