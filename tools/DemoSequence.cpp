// Generated snapshot sequences for demonstrations, tests and benchmarks.
#include "tools/DemoSequence.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numeric>
#include <sstream>
#include <system_error>

#include "platform/FileNumbers.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr float kOmega = 0.35f;   // turns per time unit at the centre, in radians
constexpr float kGrowth = 0.03f;  // relative expansion per time unit

// Uniform in [0, 1): the same numbers on every platform (std:: distributions are not).
double Uniform(std::mt19937& rng) { return static_cast<double>(rng() >> 5) / 134217728.0; }

// x wrapped into [-box/2, box/2).
float Wrap(float x, float box) {
    if (box <= 0.0f) return x;
    const float half = 0.5f * box;
    if (x >= -half && x < half) return x;
    float w = x - box * std::floor((x + half) / box);
    if (w >= half) w -= box;  // rounding at the upper edge
    if (w < -half) w = -half;
    return w;
}

}  // namespace

SnapshotGrammar DemoSequenceOptions::AsciiGrammar() {
    SnapshotGrammar g;
    g.dataType = SNAPSHOT_ASCII;
    return g;
}

std::string DemoSequenceOptions::Extension() const {
    return grammar.dataType == SNAPSHOT_BINARY ? ".dat" : ".txt";
}

std::string DemoSequenceOptions::FileName(int frame) const {
    std::string num = platform::FormatInt(frame);
    if (num.size() < 4) num.insert(0, 4 - num.size(), '0');
    return prefix + num + Extension();
}

DemoSequence_cls::DemoSequence_cls(const DemoSequenceOptions& options) : opt_(options), rng_(options.seed) {
    opt_.types = std::clamp(opt_.types, 1, 4);
    const int64_t n = std::max<int64_t>(0, opt_.particles);
    const size_t un = static_cast<size_t>(n);
    pos_.resize(3 * un);
    vel_.resize(3 * un);
    radius_.resize(un);
    spin_.resize(un);
    order_.resize(un);
    std::iota(order_.begin(), order_.end(), 0);
    for (size_t i = 0; i < un; ++i) {
        // Plummer-like radial profile, clipped so that the cluster stays compact.
        double r = 0;
        do {
            const double u = Uniform(rng_);
            r = 1.0 / std::sqrt(std::max(std::pow(u, -2.0 / 3.0) - 1.0, 1e-9));
        } while (r >= 4.0);
        const double cosT = 2.0 * Uniform(rng_) - 1.0;
        const double sinT = std::sqrt(1.0 - cosT * cosT);
        const double phi = 2.0 * kPi * Uniform(rng_);
        const int type = static_cast<int>(i % static_cast<size_t>(opt_.types));
        const double flat = (i % 4 == 1 || i % 4 == 2) ? 0.45 : 1.0;  // two types in a thicker disc
        pos_[3 * i] = Wrap(static_cast<float>(r * sinT * std::cos(phi)), opt_.box);
        pos_[3 * i + 1] = Wrap(static_cast<float>(r * sinT * std::sin(phi)), opt_.box);
        pos_[3 * i + 2] = Wrap(static_cast<float>(r * cosT * flat), opt_.box);
        radius_[i] = opt_.radiusScale * static_cast<float>(0.012 + 0.01 * type + 0.004 * Uniform(rng_));
        // Inner parts turn faster.
        spin_[i] = kOmega / (1.0f + 0.3f * std::hypot(pos_[3 * i], pos_[3 * i + 1]));
    }
    Velocities();
    Emit();
}

double DemoSequence_cls::Time() const { return opt_.startTime + frame_ * opt_.dt; }

void DemoSequence_cls::Velocities() {
    const float g = static_cast<float>(kGrowth / (1.0 + kGrowth * (Time() - opt_.startTime)));
    const size_t n = radius_.size();
    for (size_t i = 0; i < n; ++i) {
        const float* p = &pos_[3 * i];
        float* v = &vel_[3 * i];
        v[0] = g * p[0] - spin_[i] * p[1] + opt_.drift[0];
        v[1] = g * p[1] + spin_[i] * p[0] + opt_.drift[1];
        v[2] = g * p[2] + opt_.drift[2];
    }
}

void DemoSequence_cls::Emit() {
    const size_t n = radius_.size();
    if (opt_.shuffle && frame_ > 0) std::shuffle(order_.begin(), order_.end(), rng_);
    out_.Resize(static_cast<int64_t>(n));
    const float t = static_cast<float>(Time());
    for (size_t k = 0; k < n; ++k) {
        const size_t i = static_cast<size_t>(order_[k]);
        for (int c = 0; c < 3; ++c) {
            out_.position[3 * k + c] = pos_[3 * i + c];
            out_.velocity[3 * k + c] = vel_[3 * i + c];
        }
        const float* p = &pos_[3 * i];
        out_.radius[k] = radius_[i];
        out_.id[k] = static_cast<int32_t>(i);
        out_.type[k] = static_cast<int32_t>(i % static_cast<size_t>(opt_.types));
        out_.value1[k] = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]) +
                         0.5f * std::sin(t + 0.01f * static_cast<float>(i));
    }
}

void DemoSequence_cls::Advance() {
    const float step = static_cast<float>(opt_.dt);
    for (size_t k = 0; k < pos_.size(); ++k) pos_[k] = Wrap(pos_[k] + step * vel_[k], opt_.box);
    ++frame_;
    Velocities();
    Emit();
}

bool DemoSequence_cls::WriteAll(const std::string& folder, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::u8path(folder), ec);
    if (ec) {
        error = folder + ": cannot create the folder: " + ec.message();
        return false;
    }
    if (frame_ != 0) *this = DemoSequence_cls(opt_);
    for (int k = 0; k < opt_.frames; ++k) {
        if (k > 0) Advance();
        const std::string path = (std::filesystem::u8path(folder) / opt_.FileName(k)).u8string();
        if (!WriteSnapshotFile(path, opt_.grammar, Time(), out_, error)) return false;
    }
    return true;
}

std::string DemoUsage() {
    return "usage: pt_make_snapshots [folder] [options]\n"
           "Writes a numbered snapshot sequence (default: folder demo, 20 ASCII files of 20000\n"
           "particles, 0.5 time units apart, in the default grammar: header time, count; body\n"
           "x y z vx vy vz radius id type value1).\n"
           "  --frames N         number of files (at least 1)\n"
           "  --particles N      particles per file\n"
           "  --binary, --ascii  \"Simple Binary\" (.dat) or \"Simple Ascii\" (.txt) files\n"
           "  --dt T, --start T  time between files, time of the first\n"
           "  --box L            periodic box of edge L around the origin (particles cross it)\n"
           "  --drift X Y Z      velocity added to every particle\n"
           "  --shuffle          records in a new order in every file (match by ID)\n"
           "  --types N          particle types 0..N-1 (N 1..4)\n"
           "  --radius F         factor on the radii\n"
           "  --seed N           random seed\n"
           "  --prefix NAME      file name before the frame number (default demo)\n"
           "  --header \"CODES\"   header codes: 0 time, 1 count, 2/3/4 dummies (1/3/10 values)\n"
           "  --body \"CODES\"     body codes: 0 xyz, 1 velocity, 2/3/4 dummies, 5 radius, 6 id,\n"
           "                     7 type, 8 value1\n";
}

namespace {

bool ReadCodes(const std::string& text, std::vector<int>& out) {
    out.clear();
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        int v = 0;
        size_t used = 0;
        if (!platform::ParseInt(word, v, &used) || used != word.size()) return false;
        out.push_back(v);
    }
    return true;
}

}  // namespace

std::string ParseDemoArguments(const std::vector<std::string>& args, DemoSequenceOptions& o, std::string& folder) {
    bool driftGiven = false;
    size_t i = 0;
    auto value = [&](const std::string& name, std::string& out) -> bool {
        if (i + 1 >= args.size()) return false;
        out = args[++i];
        (void)name;
        return true;
    };
    auto number = [&](const std::string& name, double& out) -> std::string {
        std::string text;
        size_t used = 0;
        if (!value(name, text)) return name + " needs a value";
        if (!platform::ParseDouble(text, out, &used) || used != text.size() || !std::isfinite(out))
            return name + ": '" + text + "' is not a number";
        return "";
    };
    auto integer = [&](const std::string& name, int64_t& out) -> std::string {
        std::string text;
        size_t used = 0;
        if (!value(name, text)) return name + " needs a value";
        if (!platform::ParseInt64(text, out, &used) || used != text.size())
            return name + ": '" + text + "' is not a whole number";
        return "";
    };
    bool folderGiven = false;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string err;
        double d = 0;
        int64_t n = 0;
        if (a == "--help" || a == "-h") return "help";
        if (a == "--binary") {
            o.grammar.dataType = SNAPSHOT_BINARY;
        } else if (a == "--ascii") {
            o.grammar.dataType = SNAPSHOT_ASCII;
        } else if (a == "--shuffle") {
            o.shuffle = true;
        } else if (a == "--frames") {
            if (!(err = integer(a, n)).empty()) return err;
            if (n < 1 || n > 10000) return "--frames must be 1 to 10000";
            o.frames = static_cast<int>(n);
        } else if (a == "--particles") {
            if (!(err = integer(a, n)).empty()) return err;
            if (n < 0 || n > 2147483647) return "--particles must be 0 to 2147483647";
            o.particles = n;
        } else if (a == "--types") {
            if (!(err = integer(a, n)).empty()) return err;
            if (n < 1 || n > 4) return "--types must be 1 to 4";
            o.types = static_cast<int>(n);
        } else if (a == "--seed") {
            if (!(err = integer(a, n)).empty()) return err;
            o.seed = static_cast<uint32_t>(n);
        } else if (a == "--dt") {
            if (!(err = number(a, d)).empty()) return err;
            if (d <= 0) return "--dt must be above 0";
            o.dt = d;
        } else if (a == "--start") {
            if (!(err = number(a, d)).empty()) return err;
            o.startTime = d;
        } else if (a == "--box") {
            if (!(err = number(a, d)).empty()) return err;
            if (d < 0) return "--box must not be negative";
            o.box = static_cast<float>(d);
        } else if (a == "--radius") {
            if (!(err = number(a, d)).empty()) return err;
            if (d <= 0) return "--radius must be above 0";
            o.radiusScale = static_cast<float>(d);
        } else if (a == "--drift") {
            for (float& c : o.drift) {
                if (!(err = number(a, d)).empty()) return err;
                c = static_cast<float>(d);
            }
            driftGiven = true;
        } else if (a == "--prefix") {
            if (!value(a, o.prefix)) return a + " needs a value";
        } else if (a == "--header" || a == "--body") {
            std::string text;
            if (!value(a, text)) return a + " needs a value";
            std::vector<int>& codes = a == "--header" ? o.grammar.headerCodes : o.grammar.bodyCodes;
            if (!ReadCodes(text, codes)) return a + ": '" + text + "' is not a list of codes";
        } else if (!a.empty() && a[0] == '-') {
            return "unknown option " + a;
        } else if (!folderGiven) {
            folder = a;
            folderGiven = true;
        } else {
            return "more than one folder given: " + a;
        }
    }
    for (int c : o.grammar.headerCodes)
        if (c < 0 || c > 4) return "header code " + platform::FormatInt(c) + " is unknown";
    const std::string problem = o.grammar.Problem();
    if (!problem.empty()) return problem;
    if (o.box > 0 && !driftGiven) {
        o.drift[0] = o.box / 4;
        o.drift[1] = o.box / 8;
        o.drift[2] = o.box / 16;
    }
    return "";
}
