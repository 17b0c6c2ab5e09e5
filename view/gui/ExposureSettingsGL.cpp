// The exposure program: built from its two files at the views' GL set-up, used around the
// copy of a scene image into its eye buffer. Built by the shared program builder and called
// through the entry-point table of the platform layer.
#include "platform/gui/GLEntryPoints.h"
#include "platform/ProgramPaths.h"
#include "view/ExposureSettings.h"
#include "view/gui/ExposurePage.h"
#include "view/gui/ShaderProgram.h"

bool ExposureSettings_cls::InitShader(bool available, wxWindow* view) {
    // "available" says the OpenGL 2 entry points loaded; without the table nothing is built.
    shaderAvailable = available && gl::CreateShader && gl::Uniform4f;
    if (shaderAvailable && program == 0) {
        // The shared builder reports compile and link errors; its own settings are not used.
        ShaderProgram_cls builder;
        builder.enabled = true;
        unsigned built = 0;
        if (builder.BuildProgram(view, built, platform::FindProgramData("GL/exposure.vert"),
                                 platform::FindProgramData("GL/exposure.frag")))
            program = built;
        if (program) {
            gl::UseProgram(program);
            LookUpUniforms();
            gl::Uniform1i(uniformLocation[0], 0);
            gl::UseProgram(0);
        }
    }
    // A program that failed to build is never used: the copy stays plain.
    if (program == 0) shaderAvailable = false;
    if (page) page->EnableByShader(shaderAvailable);
    return shaderAvailable;
}

void ExposureSettings_cls::LookUpUniforms() {
    for (int i = 0; i < 9; ++i) uniformLocation[i] = gl::GetUniformLocation(program, kUniformNames[i]);
}

void ExposureSettings_cls::SetUniforms() {
    const ExposureParams p = Params();
    gl::Uniform4f(uniformLocation[1], p.levelMin, p.levelMin, p.levelMin, p.levelMin);
    gl::Uniform4f(uniformLocation[2], p.levelMax, p.levelMax, p.levelMax, p.levelMax);
    gl::Uniform4f(uniformLocation[4], p.gamma, p.gamma, p.gamma, p.gamma);
    gl::Uniform1i(uniformLocation[5], p.hueOffset);
    gl::Uniform1i(uniformLocation[6], p.saturation);
    gl::Uniform1i(uniformLocation[8], p.blendMode);
    gl::Uniform1f(uniformLocation[7], p.alpha);
}

void ExposureSettings_cls::BeginExposure() {
    if (!shaderAvailable) return;
    gl::UseProgram(program);
    SetUniforms();
}

void ExposureSettings_cls::EndExposure() {
    if (!shaderAvailable) return;
    gl::UseProgram(0);
}
