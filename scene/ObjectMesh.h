// The triangle mesh behind the Object filter's "Import" shape: read from a POV-Ray mesh2
// text file (".pov") or a Wavefront OBJ file (".obj"), drawn with GL and written into the
// POV-Ray scene as an include of its file or a mesh2 declaration built from memory.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include <wx/string.h>

/// Outcome of a mesh read. The mesh always holds something consistent (possibly nothing);
/// `message` names the file and the first problem met, "" when there was none.
struct MeshReadResult {
    bool ok = true;         ///< false when the file could not be read or was malformed
    std::string message;    ///< "<file>: <what>", "" when ok
};

/// One imported mesh, embedded in its Object filter's data. GUI thread only (the mesh2
/// reader starts list workers of its own and waits for them).
///
/// Invariants after every read: all lists have lengths that are multiples of 3; every face
/// index lies inside the vertex list; either the normal list has one normal per vertex, or
/// the normal index list has one valid index per face corner (so drawing and the POV-Ray
/// text never read outside the lists).
class ObjectMesh_cls {
public:
    std::vector<int> faces;          ///< three 0-based vertex indices per triangle
    std::vector<int> normalIndices;  ///< three 0-based normal indices per triangle, or empty
    std::vector<float> vertices;     ///< x, y, z per vertex
    std::vector<float> normals;      ///< x, y, z per normal
    wxString sourcePath;             ///< path of the last read (see Load)
    wxString declaredName;           ///< name the mesh2 file declares, or the one WritePov gave it
    wxString sceneName;              ///< name the last written scene knows the mesh by (WritePov)
    bool sourceClean = false;        ///< the last ".pov" file was read without a problem
    long long fileSize = 0;          ///< bytes of the last file read

    /// Reads `path` when it differs from the path read last (an unchanged path costs one
    /// comparison). ".pov"/".POV" is read as mesh2, ".obj"/".OBJ" as OBJ; any other
    /// extension (or "NONE") changes nothing. A ".pov" file that cannot be opened leaves an
    /// empty mesh and is tried again next time; an ".obj" file that cannot be opened leaves
    /// an empty mesh and is not tried again until another path was loaded. `threads`: the
    /// mesh2 list workers may run (else everything is parsed on the calling thread).
    /// The result is ok with an empty message when nothing was read.
    MeshReadResult Load(const wxString& path, bool threads = true);
    MeshReadResult ReadMesh2(const wxString& path, bool threads = true);
    MeshReadResult ReadObj(const wxString& path);

    /// Parses mesh2 text `text` of `size` bytes into this mesh (the lists are replaced;
    /// sourcePath is left alone). `name` labels the messages. Never reads outside the text.
    MeshReadResult ParseMesh2(const char* text, size_t size, const std::string& name, bool threads);
    /// Parses OBJ text the same way: 'v', 'vn' and 'f' lines (corners 'v', 'v/t', 'v//n',
    /// 'v/t/n', negative indices counting from the end; polygons split into a fan of
    /// triangles); other lines are passed over. Computes normals when the file has none.
    MeshReadResult ParseObj(const char* text, size_t size, const std::string& name);

    /// Empties the four lists and releases their storage.
    void Clear();
    /// One normal per vertex: the normalised mean of the normals of the triangles that use
    /// it; (0, 0, 1) for a vertex no triangle (of non-zero area) uses.
    void ComputeNormals();
    /// Number of vertices and triangles.
    size_t VertexCount() const { return vertices.size() / 3; }
    size_t TriangleCount() const { return faces.size() / 3; }
    /// True when normal k belongs to vertex k: one normal per vertex and no corner indices
    /// (indices read from the file are kept and win); otherwise normals are found by
    /// normalIndices.
    bool PerVertexNormals() const { return normals.size() == vertices.size() && normalIndices.empty(); }

    /// True when the mesh was read from a mesh2 (".pov") file that declares it.
    bool FromPovFile() const;
    /// The declaration for the POV-Ray scene, under `name` (sets sceneName). A mesh read
    /// cleanly from ".pov" is included ("#include \"<path>\"", the path made relative by
    /// `relative` when given) and then declared as `name`, a copy taken before any later
    /// include can declare the file's name again. Any other mesh, and one whose path POV-Ray
    /// cannot open (`note` then says so) or whose file had a problem, is declared from its
    /// lists as `name` (an empty union when it has no vertices); an OBJ mesh's declaredName
    /// becomes `name`.
    wxString WritePov(const std::function<wxString(const wxString&)>& relative = {},
                      const wxString& name = "MESH_OBJECT", std::string* note = nullptr);

    /// Draws the triangles in the current GL state (the owner sets transform, material and
    /// culling). Defined with the GL code; GL context current, GUI thread.
    void DrawGL() const;

private:
    /// Drops faces with an index outside the lists and makes the normals usable (see the
    /// class invariants). Returns the first problem, "" when none.
    std::string CheckIndices(const std::string& name);
};
