// The GL drawing of an imported mesh.
#include <GL/gl.h>

#include <algorithm>

#include "scene/ObjectMesh.h"

void ObjectMesh_cls::DrawGL() const {
    if (vertices.empty()) return;
    if (PerVertexNormals()) {
        // Short glBegin batches keep the driver's immediate-mode buffers small.
        constexpr size_t kBatch = 50 * 3;
        for (size_t first = 0; first < faces.size(); first += kBatch) {
            const size_t last = std::min(faces.size(), first + kBatch);
            glBegin(GL_TRIANGLES);
            for (size_t c = first; c < last; ++c) {
                const size_t v = 3 * static_cast<size_t>(faces[c]);
                glNormal3fv(&normals[v]);
                glVertex3fv(&vertices[v]);
            }
            glEnd();
        }
        return;
    }
    glBegin(GL_TRIANGLES);
    for (size_t c = 0; c < faces.size() && c < normalIndices.size(); ++c) {
        const size_t n = 3 * static_cast<size_t>(normalIndices[c]);
        const size_t v = 3 * static_cast<size_t>(faces[c]);
        glNormal3d(normals[n], normals[n + 1], normals[n + 2]);
        glVertex3d(vertices[v], vertices[v + 1], vertices[v + 2]);
    }
    glEnd();
}
