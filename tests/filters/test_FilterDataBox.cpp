// DataBox filter: the placement turns about the anchor, and its POV-Ray transform follows
// the influence setting.
#include <gtest/gtest.h>

#include "common/CommandHistory.h"
#include "filters/FilterDataBox.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "tests/support/ParamHistoryFixture.h"

namespace {

class FilterDataBoxTest : public ParamHistoryFixture {};

TEST_F(FilterDataBoxTest, AnchorStaysAtTranslatePlusAnchor) {
    FilterDataBox_cls f(nullptr);
    FilterDataBoxData_cls* d = f.Data();
    d->SetTranslateKey(1, 2, 3);
    d->SetRotationKey(30, 45, 60);
    d->SetScaleKey(1, 1, 1);
    d->anchor->SetKeyFrame({0.3, 1, -0.5}, true, -1);
    d->UpdateTransform(0.0);
    double a[3] = {0.3, 1, -0.5};
    d->TransformPoint(a);
    EXPECT_NEAR(a[0], 1.3, 1e-4);
    EXPECT_NEAR(a[1], 3.0, 1e-4);
    EXPECT_NEAR(a[2], 2.5, 1e-4);
    double o[3] = {0, 0, 0};
    d->TransformPoint(o);
    EXPECT_NEAR(o[0], 2.1368, 1e-4);
    EXPECT_NEAR(o[1], 2.2173, 1e-4);
    EXPECT_NEAR(o[2], 2.6648, 1e-4);
}

TEST_F(FilterDataBoxTest, ZeroAnchorPlacesLikeAnySceneObject) {
    FilterDataBox_cls f(nullptr);
    SceneObj_cls plain("Plain", true, true);
    for (SceneObj_cls* o : {static_cast<SceneObj_cls*>(f.Data()), &plain}) {
        o->SetTranslateKey(1, -2, 0.5);
        o->SetRotationKey(10, 20, 30);
        o->SetScaleKey(2, 1, 3);
        o->UpdateTransform(0.0);
    }
    double m1[16], m2[16];
    f.Data()->PlacementMatrix(m1);
    plain.PlacementMatrix(m2);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(m1[i], m2[i], 1e-12) << i;
}

TEST_F(FilterDataBoxTest, InfluenceDecidesTheFilterObjectTransform) {
    FilterDataBox_cls f(nullptr);
    f.Data()->SetTranslateKey(1, 0, 0);
    f.Data()->SetScaleKey(1, 1, 1);
    wxString particles, objects;
    f.Data()->influence.value = 0;
    f.Data()->PovTransform(particles, 0, 0);
    f.Data()->PovTransform(objects, 0, 1);
    EXPECT_NE(particles, "");
    EXPECT_EQ(objects, "");
    f.Data()->influence.value = 1;
    f.Data()->PovTransform(objects, 0, 1);
    EXPECT_EQ(objects, particles);
}

}  // namespace
