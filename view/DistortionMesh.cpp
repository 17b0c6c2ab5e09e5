// Reading the lens mesh from bytes, with every token and index checked.
#include "view/DistortionMesh.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

DistortionMesh_cls* GpDistortionMesh = nullptr;

namespace {

bool ReadFloat(const std::string& text, size_t& pos, float& out) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    if (pos >= text.size()) return false;
    const char* b = text.data() + pos;
    const char* e = text.data() + text.size();
    auto r = std::from_chars(b, e, out);
    if (r.ec != std::errc()) return false;
    pos += size_t(r.ptr - b);
    return true;
}

bool ReadInt(const std::string& text, size_t& pos, int& out) {
    if (pos >= text.size()) return false;
    const char* b = text.data() + pos;
    const char* e = text.data() + text.size();
    auto r = std::from_chars(b, e, out);
    if (r.ec != std::errc()) return false;
    pos += size_t(r.ptr - b);
    return true;
}

std::string Tag(const std::string& line, size_t& pos) {
    pos = 0;
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    const size_t start = pos;
    while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') ++pos;
    return line.substr(start, pos - start);
}

}  // namespace

bool DistortionMesh_cls::Parse(const std::string& bytes, const std::string& name, std::string* error) {
    DistortionMesh_cls m;
    std::vector<std::string> lines;
    {
        size_t start = 0;
        while (start <= bytes.size()) {
            size_t end = bytes.find('\n', start);
            if (end == std::string::npos) end = bytes.size();
            std::string line = bytes.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(std::move(line));
            if (end == bytes.size()) break;
            start = end + 1;
        }
    }
    auto fail = [&](size_t index, const std::string& what) {
        if (error) *error = name + " line " + std::to_string(index + 1) + ": " + what;
        return false;
    };
    size_t i = 3;
    bool sawS = false;
    for (; i < lines.size(); ++i) {
        size_t pos = 0;
        const std::string tag = Tag(lines[i], pos);
        float a[3] = {0, 0, 0};
        int n = 0;
        while (n < 3 && ReadFloat(lines[i], pos, a[n])) ++n;
        if (tag == "v") {
            if (n < 3) return fail(i, "a vertex needs three numbers");
            m.x.push_back(a[0]), m.y.push_back(a[1]), m.z.push_back(a[2]);
        } else if (tag == "vt") {
            if (n < 2) return fail(i, "a texture coordinate needs two numbers");
            m.u.push_back(std::clamp(a[0], 0.0f, 1.0f));
            m.v.push_back(std::clamp(a[1], 0.0f, 1.0f));
        } else if (tag == "vn") {
            if (n < 2) return fail(i, "a normal needs two numbers");
            m.nx.push_back(a[0]), m.ny.push_back(a[1]);
        } else if (tag == "s") {
            sawS = true;
            break;
        }
    }
    if (!sawS) return fail(std::min(i, lines.size() - 1), "no \"s\" line ends the vertices");
    int prev[12] = {0};
    bool first = true;
    for (i += 2; i < lines.size(); ++i) {
        size_t pos = 0;
        const std::string tag = Tag(lines[i], pos);
        if (tag.empty()) continue;  // blank lines (the last line of most files)
        int vals[12];
        std::copy(prev, prev + 12, vals);
        int got = 0;
        for (int c = 0; c < 4; ++c) {
            while (pos < lines[i].size() && (lines[i][pos] == ' ' || lines[i][pos] == '\t')) ++pos;
            bool ok = true;
            for (int k = 0; k < 3 && ok; ++k) {
                if (k > 0) {
                    if (pos < lines[i].size() && lines[i][pos] == '/') ++pos;
                    else ok = false;
                }
                if (ok && ReadInt(lines[i], pos, vals[3 * c + k])) ++got;
                else ok = false;
            }
            if (!ok) break;
        }
        if (got == 0) return fail(i, "a face line holds no index");
        if (first && got < 12) return fail(i, "a face needs four v/t/n triples");
        first = false;
        for (int c = 0; c < 4; ++c) {
            const int vi = vals[3 * c], ti = vals[3 * c + 1], ni = vals[3 * c + 2];
            if (vi < 1 || size_t(vi) > m.x.size()) return fail(i, "vertex index " + std::to_string(vi) + " out of range");
            if (ti < 1 || size_t(ti) > m.u.size()) return fail(i, "texture index " + std::to_string(ti) + " out of range");
            if (ni < 0 || (ni > 0 && size_t(ni) > m.nx.size())) return fail(i, "normal index " + std::to_string(ni) + " out of range");
            m.faceVertex.push_back(vi), m.faceTexture.push_back(ti), m.faceNormal.push_back(ni);
        }
        std::copy(vals, vals + 12, prev);
    }
    m.workU = m.u;
    m.workV = m.v;
    m.ComputeBounds();
    m.loaded = true;
    *this = std::move(m);
    return true;
}

bool DistortionMesh_cls::Load(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = path + ": cannot open the file";
        return false;
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    return Parse(ss.str(), path, error);
}

void DistortionMesh_cls::ComputeBounds() {
    float x0 = 0, x1 = 0, z0 = 0, z1 = 0;
    for (float a : x) x0 = std::min(x0, a), x1 = std::max(x1, a);
    for (float a : z) z0 = std::min(z0, a), z1 = std::max(z1, a);
    width = x1 - x0;
    height = z1 - z0;
    uMin = 1, uMax = 0, vMin = 1, vMax = 0;
    for (float a : u) uMin = std::min(uMin, a), uMax = std::max(uMax, a);
    for (float a : v) vMin = std::min(vMin, a), vMax = std::max(vMax, a);
}
