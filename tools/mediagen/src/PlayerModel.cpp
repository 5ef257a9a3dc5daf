#include "PlayerModel.h"
#include <cmath>
#include "SkinLayout.h"

namespace playermodel {
namespace {
using Vec3 = std::array<float, 3>;

struct Globe {
    Vec3 centre;
    Vec3 radius;
};

// One pose: where each part sits.
struct Pose {
    const char* name;
    Globe body, leftFoot, rightFoot, leftHand, rightHand;
};

Pose pose(int frame) {
    // Frame 0 squashed on landing, 1 standing, 2 stretched in the air.
    const float squash[3] = {0.78f, 1.0f, 1.15f};
    float k = squash[frame];
    float w = 1.0f / std::sqrt(k);
    float bodyH = 1.55f * k, bodyW = 1.65f * w;
    float centre = 0.45f + bodyH;
    Pose p;
    p.name = frame == 0 ? "squash" : frame == 1 ? "stand" : "stretch";
    p.body = {{0, 0, centre}, {bodyW, bodyW, bodyH}};
    p.leftFoot = {{-0.35f, -0.72f * w, 0.3f}, {0.62f, 0.42f, 0.3f}};
    p.rightFoot = {{-0.35f, 0.72f * w, 0.3f}, {0.62f, 0.42f, 0.3f}};
    float handZ = centre - 0.2f * k + (frame == 2 ? 0.5f : 0.0f);
    p.leftHand = {{-0.1f, -(bodyW + 0.15f), handZ}, {0.36f, 0.36f, 0.36f}};
    p.rightHand = {{-0.1f, bodyW + 0.15f, handZ}, {0.36f, 0.36f, 0.36f}};
    return p;
}

constexpr int latSteps = 12, lonSteps = 20;
constexpr int smallLat = 6, smallLon = 10;

struct GlobeMesh {
    int lat, lon;
    skinlayout::Rect skin;
};

// Unit-globe point for ring i (0 top pole .. lat bottom pole) and meridian j.
Vec3 unitPoint(int i, int j, int lat, int lon) {
    double theta = M_PI * i / lat;
    // Meridian j sits at longitude share j / lon, measured as in the skin.
    double phi = 2 * M_PI * j / lon - M_PI / 2;
    return {static_cast<float>(std::sin(theta) * std::cos(phi)), static_cast<float>(std::sin(theta) * std::sin(phi)),
            static_cast<float>(std::cos(theta))};
}

class Builder {
public:
    explicit Builder(Md2Model& m) : model(m) {}

    // Adds the triangles and texture coordinates of a globe part; its vertex
    // positions are filled per frame by place().
    int addGlobe(const GlobeMesh& g) {
        int firstVertex = vertexCount;
        int vertsOfPart = 2 + (g.lat - 1) * g.lon;
        vertexCount += vertsOfPart;
        int firstTc = static_cast<int>(model.texCoords.size());
        for (int i = 0; i <= g.lat; ++i)
            for (int j = 0; j <= g.lon; ++j) {
                int s = g.skin.x + static_cast<int>(std::lround(double(j) / g.lon * (g.skin.w - 1)));
                int t = g.skin.y + static_cast<int>(std::lround(double(i) / g.lat * (g.skin.h - 1)));
                model.texCoords.push_back({static_cast<int16_t>(s), static_cast<int16_t>(t)});
            }
        auto vertex = [&](int i, int j) -> int {
            if (i == 0) return firstVertex;
            if (i == g.lat) return firstVertex + 1;
            return firstVertex + 2 + (i - 1) * g.lon + (j % g.lon);
        };
        auto tc = [&](int i, int j) { return firstTc + i * (g.lon + 1) + j; };
        for (int i = 0; i < g.lat; ++i)
            for (int j = 0; j < g.lon; ++j) {
                // Quad between rings i and i + 1; poles make triangles only.
                if (i > 0) tri(g, {vertex(i, j), vertex(i, j + 1), vertex(i + 1, j + 1)}, {tc(i, j), tc(i, j + 1), tc(i + 1, j + 1)}, i, j);
                if (i < g.lat - 1 || i == 0)
                    tri(g, {vertex(i, j), vertex(i + 1, j + 1), vertex(i + 1, j)}, {tc(i, j), tc(i + 1, j + 1), tc(i + 1, j)}, i, j);
            }
        parts.push_back(g);
        return firstVertex;
    }

    int vertices() const { return vertexCount; }

private:
    // Triangles face outward when seen clockwise (the game culls with
    // clockwise front faces); check on the unit globe and swap if needed.
    void tri(const GlobeMesh& g, std::array<int, 3> v, std::array<int, 3> t, int, int) {
        auto unitOf = [&](int tcIndex) {
            int local = tcIndex - (static_cast<int>(model.texCoords.size()) - (g.lat + 1) * (g.lon + 1));
            return unitPoint(local / (g.lon + 1), local % (g.lon + 1), g.lat, g.lon);
        };
        Vec3 a = unitOf(t[0]), b = unitOf(t[1]), c = unitOf(t[2]);
        Vec3 e1 = {b[0] - a[0], b[1] - a[1], b[2] - a[2]}, e2 = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        Vec3 n = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
        Vec3 mid = {(a[0] + b[0] + c[0]) / 3, (a[1] + b[1] + c[1]) / 3, (a[2] + b[2] + c[2]) / 3};
        float outward = n[0] * mid[0] + n[1] * mid[1] + n[2] * mid[2];
        if (outward > 0) {  // counter-clockwise from outside: make it clockwise
            std::swap(v[1], v[2]);
            std::swap(t[1], t[2]);
        }
        Md2Model::Triangle tr;
        for (int k = 0; k < 3; ++k) {
            tr.vertex[k] = static_cast<uint16_t>(v[k]);
            tr.texCoord[k] = static_cast<uint16_t>(t[k]);
        }
        model.triangles.push_back(tr);
    }

    Md2Model& model;
    int vertexCount = 0;
    std::vector<GlobeMesh> parts;
};

void place(std::vector<Vec3>& out, const Globe& g, int lat, int lon) {
    auto at = [&](Vec3 u) {
        return Vec3{g.centre[0] + u[0] * g.radius[0], g.centre[1] + u[1] * g.radius[1], g.centre[2] + u[2] * g.radius[2]};
    };
    out.push_back(at(unitPoint(0, 0, lat, lon)));
    out.push_back(at(unitPoint(lat, 0, lat, lon)));
    for (int i = 1; i < lat; ++i)
        for (int j = 0; j < lon; ++j) out.push_back(at(unitPoint(i, j, lat, lon)));
}
}  // namespace

Md2Model build() {
    Md2Model m;
    m.skinWidth = skinlayout::size;
    m.skinHeight = skinlayout::size;
    m.skinName = "player.tga";
    Builder b(m);
    const GlobeMesh bodyMesh{latSteps, lonSteps, skinlayout::body};
    const GlobeMesh footMesh{smallLat, smallLon, skinlayout::feet};
    const GlobeMesh handMesh{smallLat, smallLon, skinlayout::hands};
    b.addGlobe(bodyMesh);
    b.addGlobe(footMesh);
    b.addGlobe(footMesh);
    b.addGlobe(handMesh);
    b.addGlobe(handMesh);
    for (int frame = 0; frame < 3; ++frame) {
        Pose p = pose(frame);
        Md2Model::Frame f;
        f.name = p.name;
        place(f.positions, p.body, latSteps, lonSteps);
        place(f.positions, p.leftFoot, smallLat, smallLon);
        place(f.positions, p.rightFoot, smallLat, smallLon);
        place(f.positions, p.leftHand, smallLat, smallLon);
        place(f.positions, p.rightHand, smallLat, smallLon);
        m.frames.push_back(f);
    }
    return m;
}

void write(ArtContext& ctx) { ctx.out.write("Objects/player.md2", encodeMd2(build())); }
}  // namespace playermodel
