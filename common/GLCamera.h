// Placement record of views, lights and scene objects: pose, orientation frame, pivot and
// scale factors, with the orbit, pan and zoom gestures. Pure maths; GL loading is in view/gui.
#pragma once

class GLCamera_cls;

/// Position and a second 3-vector, kept, copied and compared together.
class GLCameraPose_cls {
public:
    GLCameraPose_cls();
    GLCameraPose_cls(double x, double y, double z, const double secondVector[3]);
    /// Copies the six doubles of `source` into `destination`.
    static void Copy(const GLCameraPose_cls& source, GLCameraPose_cls& destination);
    /// Copies this pose into the head (position and second vector) of a placement record.
    void Assign(GLCamera_cls& camera) const;
    bool Equals(const GLCameraPose_cls& other) const;

    double position[3];
    double second[3];
};

/// Orientation frame: direction, up and right unit vectors and their angles in degrees.
/// Invariant after Normalise: direction and up are unit and perpendicular, right = direction x up.
class GLCameraFrame_cls {
public:
    /// The default frame: direction (0,0,-1), up (0,1,0), right (1,0,0).
    GLCameraFrame_cls();
    /// Stores the vectors as given (not normalised), zeroes the counters and the previous
    /// angles and computes the angles with unwrapping.
    GLCameraFrame_cls(const double dir[3], const double upVec[3], const double rightVec[3]);

    /// Copies vectors, counters, previous angles and angles.
    static void Copy(GLCameraFrame_cls& destination, const GLCameraFrame_cls& source);
    /// True when the nine doubles of direction, up and right are exactly equal.
    bool Equals(const GLCameraFrame_cls& other) const;

    /// Makes the frame orthonormal (see the class invariant). A degenerate direction, or an
    /// up along the direction, gives direction (0,0,-1), up (0,1,0).
    void Normalise();
    /// Stores both vectors, then Normalise.
    void SetDirUp(const double dir[3], const double upVec[3]);
    /// Axis views 1..6: +x, -x, +y, -y (up z), +z, -z (up y); other values keep the frame.
    void SetAxisView(int view);

    /// Turns about up by `degrees` (pi taken as 3.14159); not normalised.
    void Yaw(double degrees);
    /// Turns about right.
    void Pitch(double degrees);
    /// Turns about direction.
    void Roll(double degrees);
    /// Yaw a, Normalise, Pitch b, Normalise, Roll c.
    void Rotate(double a, double b, double c);

    /// Recomputes roll, pitch and yaw (degrees) from the vectors. With `unwrap` the yaw keeps
    /// counting whole turns when it wraps across 0/360.
    void UpdateAngles(bool unwrap);

    double direction[3];
    double up[3];
    double right[3];
    double roll = 0;   ///< degrees, including whole turns
    double pitch = 0;  ///< degrees, -90..90
    double yaw = 0;    ///< degrees, including whole turns
    double prevRoll = 0, prevPitch = 0, prevYaw = 0;  ///< last computed angles without turns
    int rollTurns = 0;
    int spareTurns = 0;  ///< always 0
    int yawTurns = 0;
};

/// Placement record: pose, frame, pivot, gesture scale factors and (for scene objects) the
/// object's scale. Plain value; the GL functions are defined in view/gui/GLCameraGL.cpp.
class GLCamera_cls {
public:
    /// Position (0,0,0) with the default frame.
    GLCamera_cls();
    GLCamera_cls(const double position[3], const double second[3], const double dir[3],
                 const double upVec[3], const double rightVec[3]);
    GLCamera_cls(const GLCameraPose_cls& pose, const GLCameraFrame_cls& frame);
    GLCamera_cls(const GLCamera_cls&) = default;
    /// Copies pose, frame, pivot and the five gesture factors; the object scale stays.
    GLCamera_cls& operator=(const GLCamera_cls& other);

    /// Frames equal and the six pose doubles exactly equal.
    static bool Equals(const GLCamera_cls& a, const GLCamera_cls& b);

    /// Column-major 4x4 view matrix: rows right, up, -direction, then the translation by
    /// -position (what LoadModelview loads).
    void ModelviewMatrix(double out[16]) const;
    /// Column-major placement matrix with the columns direction, up x direction, up and the
    /// position: a scene object's local x is its direction and local z its up.
    void ToMatrix(double out[16]) const;

    /// Distance between position and pivot.
    double PivotDistance() const;
    /// |(point - position) . direction|.
    double DepthOf(const double point[3]) const;
    double PivotDepth() const;

    /// pivot := point; direction := point - position; normalised (with the frame's fallback).
    void LookAt(const double point[3]);
    void SetPivot(const double point[3]);
    void SetSpeed(double value) { speed = value; }
    void SetAspectFactor(double value) { aspect = value; }

    /// Orbit about the pivot for a pointer move from (x0,y0) to (x1,y1) (normalised view
    /// coordinates); each step is limited to 0.2. Keeps the distance to the pivot.
    void Orbit(float x0, float y0, float x1, float y1);
    /// Moves the position in the view plane; `axis` 0..2 limits the move to x, y or z (or,
    /// with a reference camera, to its right, up or direction), 3 and 4 do not limit it.
    void Pan(double dx, double dy, int axis, const GLCamera_cls* reference);
    /// Scales the distance to the pivot by (extra + 1 - 0.2 * amount).
    void Zoom(double amount, double extra);

    /// LoadModelview(matrix mode): loads ModelviewMatrix into the given GL matrix stack.
    /// Defined in the GL layer; call with a current context only.
    void LoadModelview(unsigned matrixMode) const;

    GLCameraPose_cls pose;
    GLCameraFrame_cls frame;
    double pivot[3] = {0, 0, 0};
    double speed = 1.0;
    double panScale[3] = {1.0, 1.0, 1.0};
    double aspect = 1.0;                      ///< view width / height, used by Pan
    double objectScale[3] = {1.0, 1.0, 1.0};  ///< scene-object scale factors
};
