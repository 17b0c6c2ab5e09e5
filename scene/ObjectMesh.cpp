// Mesh import: the mesh2 and OBJ readers, normals and the POV-Ray declaration.
#include "scene/ObjectMesh.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <memory>
#include <new>

#include "common/ForkJoin.h"
#include "common/PathParts.h"
#include "scene/MeshText.h"
#include "scene/PovText.h"
#include "scene/ThreadReadMesh2Sub.h"

namespace {

bool IsWordSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '=' || c == ',' || c == '{' || c == '}';
}

/// The word reader of mesh2 text: words separated by blanks, line ends, '=', ',', '{'
/// and '}'; the separator after a word is consumed with it.
struct WordCursor {
    const char* text;
    size_t size;
    size_t pos = 0;

    std::string Word() {
        while (pos < size && IsWordSeparator(text[pos])) ++pos;
        const size_t start = pos;
        while (pos < size && !IsWordSeparator(text[pos])) ++pos;
        std::string w(text + start, pos - start);
        if (pos < size) ++pos;
        return w;
    }
    /// The next word as an integer: its leading sign and digits (none: 0).
    long long Int() {
        const std::string w = Word();
        size_t n = 0;
        if (n < w.size() && (w[n] == '-' || w[n] == '+')) ++n;
        while (n < w.size() && w[n] >= '0' && w[n] <= '9') ++n;
        long long v = 0;
        return meshtext::ParseInt(w.data(), w.data() + n, v) ? v : 0;
    }
    bool AtEnd() const { return pos >= size; }
};

/// Position just after the `count`-th '>' from `from` (the end of a list of vectors or
/// triangles), or the end of the text.
size_t SkipBrackets(const char* text, size_t size, size_t from, long long count) {
    const char* p = text + std::min(from, size);
    const char* end = text + size;
    for (long long i = 0; i < count && p; ++i) {
        p = meshtext::Find(p, end, '>');
        if (p) ++p;
    }
    return p ? size_t(p - text) : size;
}

bool IsIdentifier(const std::string& w) {
    if (w.empty() || !(std::isalpha(static_cast<unsigned char>(w[0])) || w[0] == '_')) return false;
    for (char c : w)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
    return true;
}

/// Room for at most what the remaining text can hold (a vector takes at least 5 bytes), so
/// a huge count in a small file reserves nothing absurd.
size_t Reservation(long long count, size_t bytesLeft) {
    const long long cap = static_cast<long long>(bytesLeft / 5 + 1);
    return static_cast<size_t>(3 * std::max(0LL, std::min(count, cap)));
}

bool ReadFile(const wxString& path, std::vector<char>& bytes) {
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.utf8_str(), "rb"), std::fclose);
    if (!f) return false;
    char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    return !std::ferror(f.get());
}

std::string Str(long long v) { return std::to_string(v); }

}  // namespace

MeshReadResult ObjectMesh_cls::Load(const wxString& path, bool threads) {
    const wxString ext = PathParts_cls(path).extension;
    if (ext == ".pov" || ext == ".POV") return ReadMesh2(path, threads);
    if (ext == ".obj" || ext == ".OBJ") return ReadObj(path);
    return MeshReadResult();
}

MeshReadResult ObjectMesh_cls::ReadMesh2(const wxString& path, bool threads) {
    if (path == sourcePath) return MeshReadResult();
    std::vector<char> bytes;
    const std::string name = path.utf8_string();
    if (!ReadFile(path, bytes)) {
        Clear();
        sourcePath.clear();  // tried again next time
        return {false, name + ": cannot be read"};
    }
    fileSize = static_cast<long long>(bytes.size());
    MeshReadResult r;
    try {
        r = ParseMesh2(bytes.data(), bytes.size(), name, threads);
    } catch (const std::bad_alloc&) {
        // The list workers are joined by then; the mesh is left empty rather than half read.
        Clear();
        r = {false, name + ": not enough memory to read the mesh"};
    }
    sourcePath = path;
    sourceClean = r.ok;
    return r;
}

MeshReadResult ObjectMesh_cls::ReadObj(const wxString& path) {
    if (path == sourcePath) return MeshReadResult();
    std::vector<char> bytes;
    const std::string name = path.utf8_string();
    if (!ReadFile(path, bytes)) {
        Clear();
        sourcePath = path;  // not tried again until another path was loaded
        return {false, name + ": cannot be read"};
    }
    fileSize = static_cast<long long>(bytes.size());
    MeshReadResult r = ParseObj(bytes.data(), bytes.size(), name);
    sourcePath = path;
    return r;
}

MeshReadResult ObjectMesh_cls::ParseMesh2(const char* text, size_t size, const std::string& name, bool threads) {
    Clear();
    declaredName.clear();
    MeshReadResult result;
    auto fail = [&](const std::string& what) {
        if (result.ok) result = {false, name + ": " + what};
    };
    WordCursor in{text, size};
    long long normalHint = -1, indexHint = -1;
    std::string w;
    for (;;) {
        if (in.AtEnd()) {
            fail("no \"#declare\" found");
            return result;
        }
        w = in.Word();
        if (w == "#declare") break;
        if (w == "//normal_start_at") normalHint = in.Int();
        else if (w == "//index_start_at") indexHint = in.Int();
    }
    const std::string declared = in.Word();
    if (!IsIdentifier(declared)) {
        fail("'" + declared + "' after \"#declare\" is not a name");
        return result;
    }
    declaredName = wxString::FromUTF8(declared);
    while (!in.AtEnd() && (w = in.Word()) != "vertex_vectors") {}
    if (w != "vertex_vectors") {
        fail("no vertex_vectors list");
        return result;
    }
    long long vertexCount = in.Int();
    if (vertexCount < 0) {
        fail("vertex_vectors count " + Str(vertexCount) + " is negative");
        vertexCount = 0;
    }
    vertices.reserve(Reservation(vertexCount, size - in.pos));

    // The vertex and normal lists are parsed by workers while this thread goes on with
    // the faces. A worker that cannot start is run here instead. The group is joined
    // before the lists go, also when running out of memory ends the parse early.
    struct List {
        std::atomic<bool> done{false};
        Mesh2ListResult result;
        const char* label;
    };
    List lists[2];
    lists[0].label = "vertex_vectors";
    lists[1].label = "normal_vectors";
    ForkJoin_cls group;
    auto start = [&](List& l, size_t from, long long count, std::vector<float>* out) {
        auto readHere = [&l, text, size, from, count, out] {
            l.result = ThreadReadMesh2Sub::ReadVectorList(text, size, from, count, *out);
            l.done.store(true, std::memory_order_release);
        };
        if (!threads) {
            readHere();
            return;
        }
        group.Add(std::make_unique<ThreadReadMesh2Sub>(&l.done, text, size, from, count, out, &l.result), readHere);
        group.Run(0);
    };
    // Steps past a list: to the hint when the keyword stands there, else past its brackets.
    auto stepPast = [&](size_t from, long long count, long long hint, const char* keyword) {
        if (hint >= 0 && static_cast<unsigned long long>(hint) < size) {
            WordCursor probe{text, size, static_cast<size_t>(hint)};
            if (probe.Word() == keyword) {
                in.pos = static_cast<size_t>(hint);
                return;
            }
        }
        in.pos = SkipBrackets(text, size, from, count);
    };

    const size_t vertexStart = in.pos;
    start(lists[0], vertexStart, vertexCount, &vertices);
    stepPast(vertexStart, vertexCount, normalHint, "normal_vectors");
    w = in.Word();
    bool normalsStarted = false;
    if (w == "normal_vectors") {
        long long normalCount = in.Int();
        if (normalCount < 0) {
            fail("normal_vectors count " + Str(normalCount) + " is negative");
            normalCount = 0;
        }
        normals.reserve(Reservation(normalCount, size - in.pos));
        const size_t normalStart = in.pos;
        start(lists[1], normalStart, normalCount, &normals);
        normalsStarted = true;
        stepPast(normalStart, normalCount, indexHint, "face_indices");
        w = in.Word();
    }
    if (w == "face_indices") {
        long long faceCount = in.Int();
        if (faceCount < 0) {
            fail("face_indices count " + Str(faceCount) + " is negative");
            faceCount = 0;
        }
        faces.reserve(Reservation(faceCount, size - in.pos));
        const char* p = text + in.pos;
        const char* end = text + size;
        for (long long i = 0; i < faceCount; ++i) {
            const char* open = meshtext::Find(p, end, '<');
            const char* close = open ? meshtext::Find(open + 1, end, '>') : nullptr;
            if (!close) {
                fail("face_indices ends after " + Str(i) + " of " + Str(faceCount) + " triangles");
                break;
            }
            int tri[3] = {-1, -1, -1};
            const char* field = open + 1;
            bool good = true;
            for (int k = 0; k < 3; ++k) {
                const char* stop = k < 2 ? meshtext::Find(field, close, ',') : close;
                if (!stop) stop = close;
                long long v = -1;
                if (!meshtext::ParseInt(field, stop, v)) good = false;
                tri[k] = (v >= 0 && v <= 0x7fffffff) ? static_cast<int>(v) : -1;
                field = stop < close ? stop + 1 : close;
            }
            if (!good) fail("triangle " + Str(i) + ": '" + std::string(open, close + 1) + "' is not three indices");
            faces.insert(faces.end(), tri, tri + 3);
            p = close + 1;
        }
    }
    group.Join();
    for (int k = 0; k < 2; ++k) {
        List& l = lists[k];
        if (k == 1 && !normalsStarted) continue;
        if (!l.result.problem.empty()) fail(std::string(l.label) + ": " + l.result.problem);
    }
    const std::string problem = CheckIndices(name);
    if (!problem.empty()) fail(problem);
    return result;
}

MeshReadResult ObjectMesh_cls::ParseObj(const char* text, size_t size, const std::string& name) {
    Clear();
    MeshReadResult result;
    auto fail = [&](long long line, const std::string& what) {
        if (result.ok) result = {false, name + " line " + Str(line) + ": " + what};
    };
    vertices.reserve(std::min<size_t>(size / 30 * 3, size_t(1) << 26));
    bool anyCornerNormal = false;
    const char* end = text + size;
    const char* p = text;
    long long lineNo = 0;
    std::vector<std::pair<const char*, const char*>> tokens;
    std::vector<long long> cornerV, cornerN;
    while (p < end) {
        ++lineNo;
        const char* eol = meshtext::Find(p, end, '\n');
        const char* lineEnd = eol ? eol : end;
        tokens.clear();
        for (const char* q = p; q < lineEnd;) {
            while (q < lineEnd && (*q == ' ' || *q == '\t' || *q == '\r')) ++q;
            const char* t = q;
            while (q < lineEnd && *q != ' ' && *q != '\t' && *q != '\r') ++q;
            if (q > t) tokens.emplace_back(t, q);
        }
        p = eol ? eol + 1 : end;
        if (tokens.empty()) continue;
        const std::string key(tokens[0].first, tokens[0].second);
        if (key == "v" || key == "vn") {
            float v[3] = {0, 0, 0};
            if (tokens.size() < 4) fail(lineNo, "'" + key + "' needs three numbers");
            for (size_t k = 0; k < 3 && k + 1 < tokens.size(); ++k)
                if (!meshtext::ParseFloat(tokens[k + 1].first, tokens[k + 1].second, v[k]))
                    fail(lineNo, "'" + std::string(tokens[k + 1].first, tokens[k + 1].second) +
                                     "' is not a finite number");
            std::vector<float>& list = key == "v" ? vertices : normals;
            list.insert(list.end(), v, v + 3);
        } else if (key == "f") {
            cornerV.clear();
            cornerN.clear();
            for (size_t k = 1; k < tokens.size(); ++k) {
                const char* b = tokens[k].first;
                const char* e = tokens[k].second;
                const char* s1 = meshtext::Find(b, e, '/');
                const char* s2 = s1 ? meshtext::Find(s1 + 1, e, '/') : nullptr;
                long long vi = 0, ni = 0;
                const bool vOk = meshtext::ParseInt(b, s1 ? s1 : e, vi);
                const bool nOk = s2 && meshtext::ParseInt(s2 + 1, e, ni);
                if (!vOk || vi == 0) {
                    fail(lineNo, "'" + std::string(b, e) + "' is not a face corner");
                    vi = 0;
                }
                // OBJ counts from 1; negative indices count back from the last one read.
                const long long nv = static_cast<long long>(vertices.size() / 3);
                const long long nn = static_cast<long long>(normals.size() / 3);
                cornerV.push_back(vi > 0 ? vi - 1 : vi < 0 ? nv + vi : -1);
                cornerN.push_back(nOk && ni != 0 ? (ni > 0 ? ni - 1 : nn + ni) : -1);
                if (nOk) anyCornerNormal = true;
            }
            if (cornerV.size() < 3) {
                fail(lineNo, "a face needs three corners");
                continue;
            }
            for (size_t k = 1; k + 1 < cornerV.size(); ++k) {
                const size_t c[3] = {0, k, k + 1};
                for (size_t j : c) {
                    const long long vi = cornerV[j], ni = cornerN[j];
                    faces.push_back(vi >= 0 && vi <= 0x7fffffff ? static_cast<int>(vi) : -1);
                    normalIndices.push_back(ni >= 0 && ni <= 0x7fffffff ? static_cast<int>(ni) : -1);
                }
            }
        }
    }
    if (!anyCornerNormal) normalIndices.clear();
    const std::string problem = CheckIndices(name);
    if (!problem.empty() && result.ok) result = {false, problem};
    return result;
}

std::string ObjectMesh_cls::CheckIndices(const std::string& name) {
    std::string problem;
    vertices.resize(vertices.size() / 3 * 3);
    normals.resize(normals.size() / 3 * 3);
    faces.resize(faces.size() / 3 * 3);
    const long long nv = static_cast<long long>(VertexCount());
    const long long nn = static_cast<long long>(normals.size() / 3);
    const bool indexed = !normalIndices.empty() && normalIndices.size() == faces.size();
    if (!indexed) normalIndices.clear();
    size_t kept = 0;
    bool normalsUsable = indexed;
    for (size_t t = 0; t < faces.size(); t += 3) {
        bool good = true;
        for (int k = 0; k < 3; ++k)
            if (faces[t + k] < 0 || faces[t + k] >= nv) {
                if (problem.empty())
                    problem = name + ": triangle " + Str(static_cast<long long>(t / 3)) + " uses vertex " +
                              Str(faces[t + k]) + ", but there are " + Str(nv) + " vertices";
                good = false;
            }
        if (!good) continue;
        for (int k = 0; k < 3; ++k) {
            faces[kept + k] = faces[t + k];
            if (indexed) {
                normalIndices[kept + k] = normalIndices[t + k];
                if (normalIndices[t + k] < 0 || normalIndices[t + k] >= nn) {
                    if (problem.empty() && normalIndices[t + k] >= 0)
                        problem = name + ": triangle " + Str(static_cast<long long>(t / 3)) + " uses normal " +
                                  Str(normalIndices[t + k]) + ", but there are " + Str(nn) + " normals";
                    normalsUsable = false;
                }
            }
        }
        kept += 3;
    }
    faces.resize(kept);
    if (indexed) normalIndices.resize(kept);
    if (indexed && normalsUsable) {
        // every corner names its normal: kept, whatever the list lengths
    } else if (normals.size() == vertices.size()) {
        normalIndices.clear();
    } else {
        // Without a normal for every corner the mesh gets one normal per vertex, so the
        // drawing and the POV-Ray text stay inside the lists.
        normalIndices.clear();
        ComputeNormals();
    }
    return problem;
}

void ObjectMesh_cls::Clear() {
    std::vector<int>().swap(faces);
    std::vector<int>().swap(normalIndices);
    std::vector<float>().swap(vertices);
    std::vector<float>().swap(normals);
}

void ObjectMesh_cls::ComputeNormals() {
    const size_t nv = VertexCount();
    std::vector<double> sum(nv * 3, 0.0);
    for (size_t t = 0; t + 2 < faces.size(); t += 3) {
        const int i[3] = {faces[t], faces[t + 1], faces[t + 2]};
        if (i[0] < 0 || i[1] < 0 || i[2] < 0 || size_t(i[0]) >= nv || size_t(i[1]) >= nv || size_t(i[2]) >= nv)
            continue;
        const float* A = &vertices[3 * size_t(i[0])];
        const float* B = &vertices[3 * size_t(i[1])];
        const float* C = &vertices[3 * size_t(i[2])];
        const double u[3] = {double(B[0]) - A[0], double(B[1]) - A[1], double(B[2]) - A[2]};
        const double v[3] = {double(C[0]) - B[0], double(C[1]) - B[1], double(C[2]) - B[2]};
        double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
        const double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (!(len > 0) || !std::isfinite(len)) continue;  // a face without area has no direction
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) sum[3 * size_t(i[j]) + k] += n[k] / len;
    }
    normals.assign(nv * 3, 0.0f);
    for (size_t v = 0; v < nv; ++v) {
        double* s = &sum[3 * v];
        const double len = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
        if (!(len > 1e-12) || !std::isfinite(len)) {
            normals[3 * v + 2] = 1.0f;
            continue;
        }
        for (int k = 0; k < 3; ++k) normals[3 * v + k] = static_cast<float>(s[k] / len);
    }
}

bool ObjectMesh_cls::FromPovFile() const {
    const wxString ext = PathParts_cls(sourcePath).extension;
    return !sourcePath.empty() && (ext == ".pov" || ext == ".POV") && !declaredName.empty();
}

wxString ObjectMesh_cls::WritePov(const std::function<wxString(const wxString&)>& relative, const wxString& name,
                                  std::string* note) {
    sceneName = name;
    if (FromPovFile()) {
        const wxString path = relative ? relative(sourcePath) : sourcePath;
        // A file with a number POV-Ray refuses, or a name it cannot open, would break the
        // whole scene: the lists read from it stand in for it.
        if (sourceClean && PovPathUsable(path)) {
            wxString out = "#include \"" + path + "\"\n";
            if (name != declaredName) out << "#declare " << name << "=object{" << declaredName << "}\n";
            return out;
        }
        if (sourceClean && note) *note = PovPathRefusal(path) + "; the mesh is written into the scene from its data";
    } else {
        declaredName = name;
    }
    if (vertices.empty()) return "#declare " + name + "=union{};\n";
    wxString out = "#declare " + name + "=mesh2{\n";
    out << "\tvertex_vectors{\t\t" << static_cast<unsigned long>(VertexCount()) << ",\n";
    for (size_t v = 0; v < vertices.size(); v += 3) out << PovVector3f("", &vertices[v], 8) << ",\n";
    out << "\t}\n";
    out << "\tnormal_vectors{\t\t" << static_cast<unsigned long>(normals.size() / 3) << ",\n";
    for (size_t v = 0; v + 2 < normals.size(); v += 3) out << PovVector3f("", &normals[v], 2) << ",\n";
    out << "\t}\n";
    out << "\tface_indices{\t\t" << static_cast<unsigned long>(TriangleCount()) << ",\n";
    for (size_t t = 0; t < faces.size(); t += 3)
        out << wxString::Format("<%d,%d,%d>,\n", faces[t], faces[t + 1], faces[t + 2]);
    out << "\t}\n";
    // POV-Ray needs the normal indices whenever normals are not one per vertex.
    if (!PerVertexNormals() && normalIndices.size() == faces.size()) {
        out << "\tnormal_indices{\t\t" << static_cast<unsigned long>(TriangleCount()) << ",\n";
        for (size_t t = 0; t < normalIndices.size(); t += 3)
            out << wxString::Format("<%d,%d,%d>,\n", normalIndices[t], normalIndices[t + 1], normalIndices[t + 2]);
        out << "\t}\n";
    }
    out << "};\n";
    return out;
}
