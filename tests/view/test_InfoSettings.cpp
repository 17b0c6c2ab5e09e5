// Info settings: the shown particle's values from the snapshot as read or from the
// drawable frame, and zeros for a particle that is not there.
#include <gtest/gtest.h>

#include <memory>

#include "data/ParticleData.h"
#include "view/InfoSettings.h"
#include "view/ParticleAttrib.h"
#include "view/Snap.h"

namespace {

struct Frame {
    Frame(int n) {
        for (int t = 0; t < 4; ++t) {
            owned[t] = std::make_unique<ParticleAttrib_cls>(nullptr, 0, t);
            attribs[t] = owned[t].get();
        }
        data.interpolationType = 2;
        EXPECT_TRUE(data.Allocate(n));
        for (int i = 0; i < n; ++i) {
            for (int k = 0; k < 3; ++k) {
                data.position[3 * i + k] = float(10 * i + k);
                data.velocity[3 * i + k] = float(-i - k);
            }
            data.radius[i] = 0.5f + i;
            data.value1[i] = 100.0f + i;
            data.type[i] = uint8_t(i % 4);
            data.id[i] = 1000 + i;
        }
    }
    ParticleData_cls data;
    std::unique_ptr<ParticleAttrib_cls> owned[4];
    ParticleAttrib_cls* attribs[4];
};

}  // namespace

TEST(InfoSettings, KeysDefaultsAndRanges) {
    InfoSettings_cls s;
    EXPECT_EQ(s.group.WriteAll(), "InformationIndex=0\r\nInformationType=0\r\n");
    s.group.OfferLine("InformationIndex=900000000");
    EXPECT_EQ(s.Index(), 500000000);
    s.group.OfferLine("InformationIndex=-4");
    EXPECT_EQ(s.Index(), 0);
    s.group.OfferLine("InformationType=3");
    EXPECT_TRUE(s.RawData());
}

TEST(InfoSettings, RawAndDrawnValuesOfTheChosenParticle) {
    Frame f(6);
    Snap_cls snap(&f.data, f.attribs, 0.0, 1);
    InfoSettings_cls s;
    s.index.value = 3;
    s.type.value = 1;  // "Raw Data"
    InfoParticle raw = s.Pick(&f.data, &snap, InfoParticle());
    EXPECT_EQ(raw.x, 30);
    EXPECT_EQ(raw.z, 32);
    EXPECT_EQ(raw.vx, -3);
    EXPECT_EQ(raw.vz, -5);
    EXPECT_EQ(raw.type, 3);
    EXPECT_EQ(raw.id, 1003);
    EXPECT_FLOAT_EQ(raw.radius, 3.5f);
    EXPECT_EQ(raw.value, 103);

    // "Interp.": the frame has no velocity and no ID; those keep what was shown.
    s.type.value = 0;
    s.index.value = 2;
    InfoParticle drawn = s.Pick(&f.data, &snap, raw);
    EXPECT_EQ(drawn.x, 20);
    EXPECT_EQ(drawn.y, 21);
    EXPECT_EQ(drawn.type, 2);
    EXPECT_FLOAT_EQ(drawn.radius, 2.5f);
    EXPECT_EQ(drawn.value, 102);
    EXPECT_EQ(drawn.vx, -3);
    EXPECT_EQ(drawn.id, 1003);
}

TEST(InfoSettings, MissingParticlesShowZeros) {
    Frame f(4);
    Snap_cls strided(&f.data, f.attribs, 0.0, 3);  // evaluates particles 0 and 3
    InfoParticle seen;
    seen.id = 7;
    seen.vy = 2;
    struct Case {
        bool raw;
        int64_t index;
        bool zero;
    };
    const Case cases[] = {{true, 4, true},   {true, -1, true},  {false, 4, true},
                          {false, 1, true},  {false, 3, false}, {true, 1, false}};
    for (const Case& c : cases) {
        InfoParticle p = c.raw ? RawInfoParticle(&f.data, c.index) : DrawnInfoParticle(&strided, c.index, seen);
        EXPECT_EQ(p.x == 0 && p.radius == 0 && p.value == 0, c.zero) << c.raw << " " << c.index;
        if (!c.raw) {
            EXPECT_EQ(p.id, 7) << "the frame keeps the ID shown last";
        }
    }
    EXPECT_EQ(RawInfoParticle(nullptr, 0).x, 0);
    EXPECT_EQ(DrawnInfoParticle(nullptr, 0, seen).vy, 2);
    f.data.Free();
    EXPECT_EQ(RawInfoParticle(&f.data, 0).value, 0) << "freed arrays: nothing to show";
}
