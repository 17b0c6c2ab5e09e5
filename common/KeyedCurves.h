// The curves the curve graph shows and edits: a few components, each a curve over the
// domain 0..1 with key frames that can be selected, moved, inserted and deleted. The
// timeline's key-framed groups implement it; the graph knows nothing else of them.
#pragma once

#include <vector>

/// One key of a curve as the graph draws it.
struct CurveKeyPoint {
    double time = 0.0;      ///< domain position, 0..1
    double value = 0.0;
    bool selected = false;
};

/// Edits go through the implementer's own operations (its undo blocks). GUI thread only.
class KeyedCurves_cls {
public:
    virtual ~KeyedCurves_cls() = default;

    /// Number of curves drawn (0..4 for colours, 1..3 for vectors).
    virtual int Dimension() const = 0;
    /// Value of curve `component` at domain position `t`, without touching any cache.
    virtual double CurveValue(int component, double t) const = 0;
    /// The keys of curve `component` in time order.
    virtual std::vector<CurveKeyPoint> CurveKeys(int component) const = 0;
    /// The curve edits act on (-1: all).
    virtual int SelectedCurve() const = 0;
    virtual void SelectCurve(int component) = 0;

    virtual bool HasSelectedKeyNear(double t, double dt, double v, double dv) const = 0;
    virtual void DeselectKeys() = 0;
    virtual bool SelectKeysNear(double t, double dt, double v, double dv, bool stopAtFirst) = 0;
    virtual bool SelectKeysInRect(double t0, double t1, double y0, double y1, bool state) = 0;
    /// Moves the selected keys by (dt, dv), keeping times in tmin..tmax and values in
    /// vmin..vmax; keys closer than eps merge as the implementer decides.
    virtual bool MoveSelectedKeys(double dt, double dv, double eps, double tmin, double tmax,
                                  double vmin, double vmax) = 0;
    virtual void DeleteSelectedKeys() = 0;
    /// Keys curve `component` (-1: all) at t; value -9999 keys the curve's own value.
    virtual void InsertKey(int component, double t, double value) = 0;
    /// Keys every curve at t with `values` (one per curve); `force` keys unchanged values.
    virtual void SetKeyFrame(const std::vector<double>& values, bool force, double t) = 0;
};
