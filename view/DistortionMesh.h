// The lens mesh of the fisheye distortion pass: a restricted Wavefront OBJ ("v", "vt", "vn"
// lines up to an "s" line, then one quad per face line "f a/b/c a/b/c a/b/c a/b/c").
// Reading and bounds are here; drawing is in view/gui/DistortionMeshGL.cpp.
#pragma once

#include <string>
#include <vector>

class DistortionMesh_cls {
public:
    DistortionMesh_cls() = default;

    /// Reads a mesh from the bytes of a file. The first three lines are skipped; vertex lines
    /// ("v x y z", "vt u v" clamped to 0..1, "vn x y") run up to the "s" line; the line after
    /// it is skipped; every later non-empty line is one quad of four "v/t/n" triples (numbers
    /// missing from a line keep those of the previous face line). Indices are 1-based and
    /// must name an existing vertex, texture coordinate and normal (a normal index of 0 or a
    /// file without normals is accepted). On error the mesh stays unloaded, `error` says
    /// "line N: ..." and false is returned. `name` prefixes the message.
    bool Parse(const std::string& bytes, const std::string& name, std::string* error);
    /// Reads the file at `path`; a missing or malformed file leaves the mesh unloaded.
    bool Load(const std::string& path, std::string* error);
    /// Width = extent of x, height = extent of z, both with 0 included; u and v bounds.
    void ComputeBounds();
    /// Draws the quads (GL context required): x and y scaled by aspect x 10 / width, z by
    /// 10 / height; texture ((u - 0.5) / scale + 0.5, flip -1 ? 1 - v : v). Nothing when
    /// not loaded.
    void Draw(float aspect, float textureScale, int workingCopy, int flip) const;

    bool loaded = false;
    float width = 0, height = 0;
    float uMin = 1, uMax = 0, vMin = 1, vMax = 0;
    double angle = 180;
    std::vector<float> x, y, z;
    std::vector<float> u, v;
    std::vector<float> workU, workV;
    std::vector<float> nx, ny;
    std::vector<int> faceVertex, faceTexture, faceNormal;  ///< four per face, 1-based
};

/// Orthographic projection and camera for drawing the mesh into a width x height target:
/// x spans +-5 width / height, z spans +-5 (GL context required).
void SetupDistortionView(int width, int height);

/// The lens mesh loaded at start-up (null before and after the GL resources).
extern DistortionMesh_cls* GpDistortionMesh;
