// Key-framed scalar: the model, evaluation, key searches, selection, project text and
// POV-Ray text. Undoable editing is in ParameterEdit.cpp.
#include "timeline/Parameter.h"

#include "platform/FileNumbers.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamTextStream.h"
#include "timeline/ParamViews.h"

#include <wx/translation.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

double GdCurrentTime = 0.0;
int GiSceneFrameCount = 100;
int GiSceneSubSteps = 1;
double GdSceneTimeStep = 0.01;
unsigned char GbParamUndoEnabled = 1;
wxString GoInterpTypeNames[5] = {"LINEAR", "HERMITE (AUTO)", "HERMITE (SEMIAUTO)", "HERMITE",
                                 "STEP"};

void SetSceneFrameCount(int count, int subSteps) {
    GiSceneFrameCount = count;
    GiSceneSubSteps = subSteps;
    if (count <= 0) {
        GdSceneTimeStep = 1.0;
        return;
    }
    GdSceneTimeStep = 1.0 / count / (subSteps < 1 ? 1 : subSteps);
}

void InitInterpTypeNames() {
    GoInterpTypeNames[0] = wxGetTranslation("LINEAR");
    GoInterpTypeNames[1] = wxGetTranslation("HERMITE (AUTO)");
    GoInterpTypeNames[2] = "HERMITE (SEMIAUTO)";
    GoInterpTypeNames[3] = wxGetTranslation("HERMITE");
    GoInterpTypeNames[4] = wxGetTranslation("STEP");
}

double WrapNearest(double a, double b, double period) {
    double p = std::fabs(period);
    if (p == 0.0 || !std::isfinite(a) || !std::isfinite(b) || !std::isfinite(p)) return b;
    // Jump close first so that far-apart values take no long loop; the loops below then
    // settle the image exactly as the step-by-step rule does.
    double k = std::floor((b - a) / p);
    if (k > 2.0) b -= (k - 1.0) * p;        // stays above a
    else if (k < -2.0) b -= (k + 1.0) * p;  // stays below a
    // Far beyond the period's precision the jump is not exact: take the remainder. Values
    // that one period no longer moves cannot be wrapped; the loops would never end.
    if (std::fabs(b - a) > 2.0 * p) b = a + std::fmod(b - a, p);
    if (b - p == b || b + p == b || a - p == a) return b;
    if (a < b) {
        while (b > a) b -= p;
        double up = b + p;
        if (a - b > up - a) b = up;
    } else {
        while (b < a) b += p;
        if (b - a > a - (b - p)) b -= p;
    }
    return b;
}

double SnapTimeToFrame(double x, int n) {
    if (n == -1) n = GiSceneFrameCount;
    if (n == 0 || !std::isfinite(x)) return 0.0;
    double m = std::trunc(-2.0 * n * x);
    m = std::max(-4e15, std::min(4e15, m));
    long long q = (1 - static_cast<long long>(m)) / 2;
    return static_cast<double>(q) / n;
}

namespace {

// The slope the Hermite rules use at a key: semi-automatic keys scale it by their ease.
double EffectiveTangent(const ParamKey_cls& k) {
    return k.type == PKT_HERMITE_SEMIAUTO ? k.tangent * k.ease : k.tangent;
}

// The right value of a segment, wrapped toward the left one when there is a period.
double WrappedRight(double left, double right, int period) {
    return period != 0 ? WrapNearest(left, right, period) : right;
}

}  // namespace

// ---------------------------------------------------------------- keys

bool ParamKey_cls::IsNear(double t, double d, int noSelect) {
    bool near = time - d < t && t < time + d;
    if (near && noSelect == 0) selected = 1;
    return near;
}

std::string ParamKey_cls::WriteText() const {
    std::string s;
    // Nine and six decimals as always where they hold the value exactly; more where they
    // do not, so that keys closer than the decimals, and the tangents computed from them,
    // read back as they were.
    s += platform::FormatFExact(time, 9) + " ";
    s += platform::FormatInt(type) + " ";
    s += platform::FormatFExact(value, 6) + " ";
    s += platform::FormatFExact(tangent, 6) + " ";
    s += platform::FormatFExact(ease, 6) + " ";
    s += "\r\n";
    return s;
}

namespace {

// Reads the next blank-separated number the way a stream extraction does: stops at the
// first field that does not start with a number. Non-finite values end the reading too.
class KeyLineReader {
public:
    explicit KeyLineReader(const std::string& line) : text_(line) {}
    bool Double(double& out) {
        if (failed_ || !SkipBlanks()) return Fail();
        double v = 0;
        size_t used = 0;
        std::string_view rest(text_.data() + pos_, text_.size() - pos_);
        if (!platform::ParseDouble(rest, v, &used) || !std::isfinite(v))
            return Fail();
        pos_ += used;
        out = v;
        return true;
    }
    bool Int(int32_t& out) {
        if (failed_ || !SkipBlanks()) return Fail();
        int v = 0;
        size_t used = 0;
        std::string_view rest(text_.data() + pos_, text_.size() - pos_);
        if (!platform::ParseInt(rest, v, &used)) return Fail();
        pos_ += used;
        out = v;
        return true;
    }

private:
    bool SkipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                       text_[pos_] == '\r' || text_[pos_] == '\n'))
            ++pos_;
        return pos_ < text_.size();
    }
    bool Fail() {
        failed_ = true;
        return false;
    }
    const std::string& text_;
    size_t pos_ = 0;
    bool failed_ = false;
};

}  // namespace

void ParamKey_cls::ReadText(const std::string& line) {
    KeyLineReader r(line);
    r.Double(time) && r.Int(type) && r.Double(value) && r.Double(tangent) && r.Double(ease);
}

// ---------------------------------------------------------------- parameter

Parameter_cls::Parameter_cls(const std::string& registryName_, const std::string& label_,
                             uint64_t updateFlags_, int timeDependDefault)
    : registryName(registryName_), label(label_), updateFlags(updateFlags_) {
    settings.Register(&timeDepend, "timeDepend=",
                      wxString::Format("%d", timeDependDefault & 0xFF));
    settings.Register(&periodic, "periodic=", "0");
    keys.emplace_back();
}

Parameter_cls::Parameter_cls(const Parameter_cls& other)
    : keys(other.keys),
      timeDepend(other.timeDepend),
      periodic(other.periodic),
      owner(other.owner),
      row(other.row),
      registryName(other.registryName),
      label(other.label),
      updateFlags(other.updateFlags),
      changeCounter(other.changeCounter),
      cachedValue(other.cachedValue) {
    RegisterSettings();
}

Parameter_cls::~Parameter_cls() = default;

void Parameter_cls::Assign(const Parameter_cls& other) {
    if (this == &other) return;
    keys = other.keys;
    timeDepend = other.timeDepend;
    periodic = other.periodic;
    owner = other.owner;
    row = other.row;
    registryName = other.registryName;
    label = other.label;
    updateFlags = other.updateFlags;
    changeCounter = other.changeCounter;
    cachedValue = other.cachedValue;
    RegisterSettings();
}

void Parameter_cls::RegisterSettings() {
    // The group holds pointers to this object's own items: rebuild it after a copy.
    settings.Clear();
    settings.Register(&timeDepend, "timeDepend=", timeDepend.ValueText());
    settings.Register(&periodic, "periodic=", periodic.ValueText());
}

bool Parameter_cls::IsTimeDependent() const { return timeDepend.value; }
int Parameter_cls::GetPeriod() const {
    return periodic.value == INT32_MIN ? INT32_MAX : std::abs(periodic.value);
}
void Parameter_cls::SetTimeDependentValue(bool on) { timeDepend.value = on; }
void Parameter_cls::SetPeriod(int period) {
    periodic.value = period == INT32_MIN ? INT32_MAX : std::abs(period);
}

double Parameter_cls::ResolveTime(double t) const { return t == -1 ? GdCurrentTime : t; }
double Parameter_cls::ResolveEps(double eps) { return eps == -1 ? GdSceneTimeStep : eps; }

double Parameter_cls::GetKeyTime(int i) const {
    if (i < 0 || i >= GetKeyCount()) return -1;
    return keys[static_cast<size_t>(i)].time;
}

// ---------------------------------------------------------------- evaluation

double Parameter_cls::Evaluate(double t, double eps) const {
    t = ResolveTime(t);
    eps = ResolveEps(eps);
    const size_t n = keys.size();
    if (n == 0) return 0.0;
    const ParamKey_cls* k = keys.data();
    if (!timeDepend.value || t <= k[0].time) return k[0].value;
    if (t >= k[n - 1].time) return k[n - 1].value;
    const double half = eps / 2;
    // The segment ends at the first key after k[0] whose window start (time - half) lies
    // past t; the window starts rise with the sorted key times, so halving finds it. The
    // halving has no branch on the data; NaN in t or eps ends it at the last key, as the
    // test fails for every key.
    if (n < 2) return k[0].value;
    const ParamKey_cls* end = k + 1;
    size_t count = n - 1;
    while (count > 1) {
        const size_t h = count / 2;
        end = t < end[h].time - half ? end : end + h;
        count -= h;
    }
    if (!(t < end->time - half)) {
        if (end == k + n - 1) return k[n - 1].value;
        ++end;
    }
    const size_t i = static_cast<size_t>(end - k) - 1;

    const ParamKey_cls& a = k[i];
    const ParamKey_cls& b = k[i + 1];
    const double len = b.time - a.time;
    if (!(len > 0)) return b.value;
    const double x = (t - a.time) / len;
    const double y0 = a.value;
    const double y1 = WrappedRight(y0, b.value, periodic.value);
    switch (a.type) {
    case PKT_HERMITE_AUTO:
    case PKT_HERMITE_SEMIAUTO:
    case PKT_HERMITE: {
        const double m0 = EffectiveTangent(a), m1 = EffectiveTangent(b);
        return y0 + m0 * len * x + (3 * y1 - 2 * m0 * len - 3 * y0 - m1 * len) * x * x +
               (2 * y0 + m0 * len - 2 * y1 + m1 * len) * x * x * x;
    }
    case PKT_STEP:
        return y0;
    default:
        return y0 + (y1 - y0) * x;
    }
}

double Parameter_cls::GetValue(double t, double eps) {
    cachedValue = Evaluate(t, eps);
    return cachedValue;
}

double Parameter_cls::GetSlope(int i, int j) const {
    if (i == j || i == -1 || j == -1) return 0.0;
    const ParamKey_cls& a = keys[static_cast<size_t>(i)];
    const ParamKey_cls& b = keys[static_cast<size_t>(j)];
    const double yj = WrappedRight(a.value, b.value, periodic.value);
    // Two keys at one time (only a file holds them) have no chord: an infinite tangent
    // would turn the neighbouring segments into NaN.
    if (b.time == a.time) return 0.0;
    // Huge values or keys very close together overflow the chord: keep it finite, so the
    // curve and the text written from it stay numbers.
    const double s = (yj - a.value) / (b.time - a.time);
    if (std::isnan(s)) return 0.0;
    return std::clamp(s, -std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
}

void Parameter_cls::UpdateAutoTangents() {
    const int n = GetKeyCount();
    if (n == 1) {
        // A lone key makes a constant curve: its automatic slope is 0. Left as it was, the
        // slope of a neighbour that was deleted (or undone) stays in the key and its text.
        ParamKey_cls& k = keys[0];
        if (k.type == PKT_HERMITE_AUTO || k.type == PKT_HERMITE_SEMIAUTO) k.tangent = 0;
        if (k.type == PKT_HERMITE_AUTO) k.ease = 0;
        return;
    }
    for (int i = 0; i < n; ++i) {
        ParamKey_cls& k = keys[static_cast<size_t>(i)];
        if (k.type != PKT_HERMITE_AUTO && k.type != PKT_HERMITE_SEMIAUTO) continue;
        double s = GetSlope(i > 0 ? i - 1 : 0, i < n - 1 ? i + 1 : n - 1);
        k.tangent = s;
        if (k.type == PKT_HERMITE_AUTO) k.ease = s;
    }
}

void Parameter_cls::SortKeys() {
    std::stable_sort(keys.begin(), keys.end(),
                     [](const ParamKey_cls& a, const ParamKey_cls& b) { return a.time < b.time; });
}

// ---------------------------------------------------------------- searches

int Parameter_cls::FindKey(double t, double eps, int orBefore) const {
    t = ResolveTime(t);
    eps = ResolveEps(eps);
    const int n = GetKeyCount();
    const double lo = t - eps / 2, hi = t + eps / 2;
    for (int i = 0; i < n; ++i) {
        double kt = keys[static_cast<size_t>(i)].time;
        if (lo <= kt && kt < hi) return i;
    }
    if (orBefore != 1 || n == 0) return -1;
    for (int i = 0; i < n; ++i)
        if (keys[static_cast<size_t>(i)].time > hi) return i == 0 ? 0 : i - 1;
    return n - 1;
}

int Parameter_cls::FindLastKeyWithin(double t, double eps) const {
    t = ResolveTime(t);
    int found = -1;
    for (int i = 0; i < GetKeyCount(); ++i)
        if (std::fabs(keys[static_cast<size_t>(i)].time - t) < eps / 2) found = i;
    return found;
}

int Parameter_cls::FindKeyNear(double t, double d) const {
    t = ResolveTime(t);
    int found = -1;
    for (int i = 0; i < GetKeyCount(); ++i) {
        double kt = keys[static_cast<size_t>(i)].time;
        if (t - d < kt && kt < t + d) found = i;
    }
    return found;
}

int Parameter_cls::GetInsertIndex(double t, double eps) const {
    t = ResolveTime(t);
    eps = ResolveEps(eps);
    for (int i = 0; i < GetKeyCount(); ++i)
        if (keys[static_cast<size_t>(i)].time > t + eps / 2) return i;
    return GetKeyCount();
}

int Parameter_cls::NeighbourKeyIndex(double t, int dir) const {
    t = ResolveTime(t);
    const int n = GetKeyCount();
    if (n == 0) return -1;
    int at = FindKey(t, GdSceneTimeStep, 0);
    if (at != -1) return std::max(0, std::min(n - 1, at + dir));
    if (dir == -1) {
        int found = 0;
        for (int i = 0; i < n; ++i)
            if (keys[static_cast<size_t>(i)].time < t) found = i;
        return found;
    }
    if (dir == 1) {
        for (int i = 0; i < n; ++i)
            if (keys[static_cast<size_t>(i)].time > t) return i;
        return n - 1;
    }
    return 0;
}

int Parameter_cls::GetKeyTypeAt(double t) const {
    int i = FindKey(t, -1, 1);
    return i == -1 ? 0 : keys[static_cast<size_t>(i)].type;
}

double Parameter_cls::GetNextKeyTime(double t, double eps) const {
    t = ResolveTime(t);
    eps = ResolveEps(eps);
    if (keys.empty()) return t;
    for (const ParamKey_cls& k : keys)
        if (k.time > t + eps / 2) return k.time;
    return keys.back().time;
}

double Parameter_cls::GetPrevKeyTime(double t, double eps) const {
    t = ResolveTime(t);
    eps = ResolveEps(eps);
    if (keys.empty()) return t;
    double found = 0.0;
    for (const ParamKey_cls& k : keys)
        if (k.time < t - eps / 2) found = k.time;
    return found;
}

bool Parameter_cls::HasKeyAt(double t, double eps) const {
    if (!timeDepend.value) return true;
    return FindKey(t, eps, 0) != -1;
}

bool Parameter_cls::IsChangedAt(double t) {
    const double saved = cachedValue;
    const double curve = Evaluate(timeDepend.value ? t : 0.0, -1);
    cachedValue = saved;
    return saved != curve;
}

int Parameter_cls::GetFirstSelectedKey() const {
    for (int i = 0; i < GetKeyCount(); ++i)
        if (keys[static_cast<size_t>(i)].selected) return i;
    return -1;
}

int Parameter_cls::GetSelectedKeyCount() const {
    int n = 0;
    for (const ParamKey_cls& k : keys) n += k.selected ? 1 : 0;
    return n;
}

// ---------------------------------------------------------------- selection

void Parameter_cls::DeselectKeys() {
    for (ParamKey_cls& k : keys) k.selected = 0;
}

void Parameter_cls::SelectKeyAt(double t, double d, int additive, int exclusive) {
    int hit = -1;
    bool wasSelected = false;
    for (int i = 0; i < GetKeyCount(); ++i) {
        ParamKey_cls& k = keys[static_cast<size_t>(i)];
        const bool before = k.selected != 0;
        if (k.IsNear(t, d, 0)) {
            hit = i;
            wasSelected = before;
            break;
        }
    }
    if (exclusive == 1 && !wasSelected && (additive != 1 || hit != -1)) {
        for (int i = 0; i < GetKeyCount(); ++i)
            if (i != hit) keys[static_cast<size_t>(i)].selected = 0;
    }
    if (row) row->SetCurrentKey(hit);
}

bool Parameter_cls::SelectKeysNear(double t, double dt, double v, double dv, bool stopAtFirst) {
    bool any = false;
    for (ParamKey_cls& k : keys) {
        if (t - dt < k.time && k.time < t + dt && v - dv < k.value && k.value < v + dv) {
            k.selected = 1;
            if (stopAtFirst) return true;
            any = true;
        }
    }
    return any;
}

bool Parameter_cls::SelectKeysInRect(double t0, double t1, double y0, double y1, bool state) {
    if (t0 > t1) std::swap(t0, t1);
    if (y0 > y1) std::swap(y0, y1);
    const bool useValue = y0 != y1;
    bool any = false;
    for (ParamKey_cls& k : keys) {
        if (k.time < t0 || k.time > t1) continue;
        if (useValue && (k.value < y0 || k.value > y1)) continue;
        k.selected = state ? 1 : 0;
        any = true;
    }
    return any;
}

bool Parameter_cls::HasSelectedKeyNear(double t, double dt, double v, double dv) const {
    for (const ParamKey_cls& k : keys)
        if (k.selected && t - dt < k.time && k.time < t + dt && v - dv < k.value &&
            k.value < v + dv)
            return true;
    return false;
}

// ---------------------------------------------------------------- text

std::string Parameter_cls::WriteText() const {
    std::string s = "Parameter_" + label + "\n";
    s += settings.WriteAll().utf8_string();
    s += "itemnum " + platform::FormatInt(GetKeyCount()) + "\n";
    for (const ParamKey_cls& k : keys) s += k.WriteText();
    return s;
}

void Parameter_cls::ReadText(ParamTextStream_cls& stream, const std::string& line) {
    // The whole line names the parameter: "Parameter_X" must not take "Parameter_XY".
    size_t end = line.size();
    while (end > 0 && (line[end - 1] == '\r' || line[end - 1] == '\n')) --end;
    const std::string head = "Parameter_" + label;
    if (end != head.size() || line.compare(0, end, head) != 0) return;
    keys.clear();
    std::string next;
    bool haveLine = false;
    while (stream.ReadLine(next)) {
        if (!settings.OfferLine(wxString::FromUTF8(next.c_str()))) {
            haveLine = true;
            break;
        }
    }
    // A hand-edited negative period would never finish wrapping: take its size.
    SetPeriod(periodic.value);
    long long n = 0;
    if (haveLine && next.compare(0, 8, "itemnum ") == 0 && next.size() > 8) {
        int64_t v = 0;
        if (platform::ParseInt64(std::string_view(next).substr(8), v)) n = v;
    }
    if (n < 0) n = 0;
    std::string keyLine;
    for (long long i = 0; i < n && stream.ReadLine(keyLine); ++i) {
        keys.emplace_back();
        keys.back().ReadText(keyLine);
    }
    UpdateAutoTangents();
    if (row) row->UpdateTimeDependToggle();
}

std::string Parameter_cls::SelectedKeysText() const {
    const int n = GetSelectedKeyCount();
    if (n == 0) return std::string();
    std::string s = "Parameter_" + label + "\n";
    s += "itemnum " + platform::FormatInt(n) + "\n";
    for (const ParamKey_cls& k : keys)
        if (k.selected) s += k.WriteText();
    return s;
}

void Parameter_cls::MarkKeyFrames(std::vector<bool>& marks,
                                  const std::function<void(int frame)>& markDataFrame) const {
    for (const ParamKey_cls& k : keys) {
        double f = GiSceneFrameCount * k.time + 0.1;
        if (!(f >= 0) || f >= static_cast<double>(marks.size())) continue;
        int frame = static_cast<int>(f);
        marks[static_cast<size_t>(frame)] = true;
        if (markDataFrame) markDataFrame(frame);
    }
}

// ---------------------------------------------------------------- POV-Ray text

std::string Parameter_cls::GetPovCode(const std::string& id) const {
    auto g = [](double v) { return platform::FormatG(v, 6); };
    const int n = GetKeyCount();
    if (!timeDepend.value || n <= 1) {
        // Without keys the curve evaluates to 0 everywhere: declare that.
        const double v = n == 0 ? 0.0 : keys[0].value;
        return "#declare " + id + " = " + g(v) + ";\n";
    }
    std::string s;
    for (int i = 0; i + 1 < n; ++i) {
        const ParamKey_cls& a = keys[static_cast<size_t>(i)];
        const ParamKey_cls& b = keys[static_cast<size_t>(i + 1)];
        const double tL = a.time, tR = b.time, len = tR - tL;
        const double yL = a.value;
        const double yR = WrappedRight(yL, b.value, periodic.value);
        if (i == 0 && tL != 0) {
            s += "#if (t0 <= " + g(tL) + ")\n";
            s += "\t#declare " + id + " = " + g(yL) + ";\n";
            s += "#elseif ";
        } else {
            s += i == 0 ? "#if " : "#elseif ";
        }
        s += "(t0 <= " + g(tR) + ")\n";
        s += "\t#declare rate = (t0 - " + g(tL) + ")/" + g(len) + ";\n";
        s += "\t#declare " + id + " = ";
        switch (a.type) {
        case PKT_HERMITE_AUTO:
        case PKT_HERMITE_SEMIAUTO:
        case PKT_HERMITE: {
            const double m0 = EffectiveTangent(a), m1 = EffectiveTangent(b);
            s += g(yL) + " + " + g(m0 * len) + "*rate + " +
                 g(3 * yR - (2 * m0 * len + 3 * yL) - m1 * len) + "*rate*rate + " +
                 g(2 * yL + m0 * len - 2 * yR + m1 * len) + "*rate*rate*rate;\n";
            break;
        }
        case PKT_STEP:
            s += g(yL) + ";\n";
            break;
        default:  // LINEAR, and codes only a file can hold, which evaluate as linear
            s += g(yL) + "+ rate * " + g(yR - yL) + ";\n";
            break;
        }
    }
    if (keys.back().time != 1.0) {
        // After the last key the curve holds that key's own value (not its wrapped image).
        s += "#else\n";
        s += "\t#declare " + id + " = " + g(keys.back().value) + ";\n";
    }
    s += "#end\n";
    return s;
}
