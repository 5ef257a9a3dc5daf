#include "world/Objet3DMobile.h"

#include <gtest/gtest.h>

namespace {

TEST(Objet3DMobile, MovesByVelocityTimesFrameTime)
{
    struct Case {
        long dt;
        float vx, vy, vz;
        float x, y, z;
    };
    const Case cases[] = {
        {0, 2, 3, 4, 1, 1, 1},          // a frame of 0 ms changes nothing
        {500, 2, 0, 0, 2, 1, 1},        // 500 ms at 2 units/s: exactly one unit
        {-500, 2, 0, 0, 0, 1, 1},       // negative time moves it back
        {40, -1, 10, 0.5f, 0.96f, 1.4f, 1.02f},
    };
    for (const Case& c : cases) {
        Objet3DMobile o(1, 1, 1, c.vx, c.vy, c.vz);
        o.refresh(c.dt);
        EXPECT_FLOAT_EQ(o.getX(), c.x) << c.dt;
        EXPECT_FLOAT_EQ(o.getY(), c.y) << c.dt;
        EXPECT_FLOAT_EQ(o.getZ(), c.z) << c.dt;
        EXPECT_FLOAT_EQ(o.getVX(), c.vx);
    }
}

TEST(Objet3D, SettersAndCopies)
{
    Objet3D o;
    EXPECT_EQ(o.getX(), 0);
    o.setXYZ(1.25f, -0.6f, 7.5f);
    EXPECT_EQ(o.getX(), 1.25f);
    EXPECT_EQ(o.getY(), -0.6f);
    EXPECT_EQ(o.getZ(), 7.5f);
    Objet3D copy = o;
    o.setX(3);
    EXPECT_EQ(copy.getX(), 1.25f);

    Objet3DMobile m;
    m.setVXYZ(1, 2, 3);
    m.setVZ(-3);
    EXPECT_EQ(m.getVY(), 2);
    EXPECT_EQ(m.getVZ(), -3);
}

TEST(Objet, DeletedThroughBasePointerRunsTheDerivedDestructor)
{
    static int destroyed = 0;
    struct Tracked : Objet3DMobile {
        ~Tracked() override { destroyed++; }
    };
    Objet* o = new Tracked;
    delete o;
    EXPECT_EQ(destroyed, 1);
}

} // namespace
