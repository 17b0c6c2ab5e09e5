// Two-dimensional drawing in window pixels: the orthographic push and pop, and textured
// quads laid over the view.
#pragma once

class GLTexture_cls;

/// Projection: push, viewport (0, 0, width, height), identity, gluOrtho2D(0, width, 0,
/// height); modelview: push, identity. Pair with PopOrtho2D. Needs a current context.
void PushOrtho2D(int width, int height);
/// Pops the modelview and the projection pushed by PushOrtho2D; leaves modelview mode.
void PopOrtho2D();

/// Draws `texture` as a qw x qh quad with its lower left corner at (x, y) in a vw x vh
/// viewport, depth test off, modulated; unless `keepBlending`, in white with alpha
/// blending. All GL attributes are restored.
void DrawTextureQuad(const GLTexture_cls& texture, int vw, int vh, int qw, int qh, int x, int y,
                     bool keepBlending);
/// Fits a square or full texture to a w x h view: mode 0 a w x w quad at (0, -(w-h)/2) in
/// a w x w viewport, mode 1 an h x h quad at ((w-h)/2, 0), other modes the whole w x h.
void DrawTextureFitted(const GLTexture_cls& texture, int w, int h, int mode, bool keepBlending);
