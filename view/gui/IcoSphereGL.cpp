// Display lists of the icosphere levels.
#include <GL/gl.h>

#include <algorithm>

#include "view/IcoSphere.h"

void IcoSphere_cls::BuildLists() {
    if (built) return;
    built = 1;
    for (int pass = 0; pass < 2; ++pass) {
        const bool textured = pass == 0;
        for (int level = 0; level < 4; ++level) {
            const GLuint list = glGenLists(1);
            (textured ? texturedLists : plainLists)[level] = int(list);
            const std::vector<IcoVertex_cls> tris = Triangles(level, textured);
            glNewList(list, GL_COMPILE);
            glEnable(GL_NORMALIZE);
            glBegin(GL_TRIANGLES);
            for (const IcoVertex_cls& v : tris) {
                glNormal3dv(v.p);
                if (textured) glTexCoord2d(v.u, v.v);
                glVertex3dv(v.p);
            }
            glEnd();
            glEndList();
        }
    }
}

void IcoSphere_cls::CallTextured(int level) {
    BuildLists();
    glCallList(GLuint(texturedLists[std::clamp(level, 0, 3)]));
}

void IcoSphere_cls::CallPlain(int level) {
    BuildLists();
    glCallList(GLuint(plainLists[std::clamp(level, 0, 3)]));
}
