// The GL drawing of the Object filters: what a view hands them for one drawing pass.
#pragma once

#include <functional>
#include <string>

/// One pass of the Object filters in a view. GUI thread, GL context current.
struct ObjectDrawContext {
    int dataFrame = 0;   ///< data frame whose mesh file is shown
    double time = 0.0;   ///< normalised scene time of the key-framed values
    int shaderArg = 1;   ///< the light count handed to the shader
    int pass = 0;        ///< 1: meshes (once per periodic copy); 0: box, plane, sphere
    /// Selects the shader program of a texture's shader type; empty: fixed pipeline.
    std::function<void(unsigned shaderType, int shaderArg)> useShader;
    /// Back to the fixed pipeline after an object.
    std::function<void()> stopShader;
    /// The cube from -1 to 1 with outward normals; empty: drawn here.
    std::function<void()> drawCube;
    /// The textured unit sphere; empty: a GLU sphere.
    std::function<void()> drawSphere;
    /// Told once per mesh path that cannot be read (after the error line on stderr).
    std::function<void(const std::string&)> reportError;
};
