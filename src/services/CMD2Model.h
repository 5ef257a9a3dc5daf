#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A Quake II MD2 model ("IDP2", version 8) drawn in immediate mode: one frame,
// or a blend of two frames, with the texture the game gives it.
class CMD2Model {
public:
    // The file header as stored: 17 little-endian 32-bit integers.
    struct Header {
        int32_t ident;
        int32_t version;
        int32_t skinWidth;
        int32_t skinHeight;
        int32_t frameSize;
        int32_t numSkins;
        int32_t numVertices;
        int32_t numTexCoords;
        int32_t numTriangles;
        int32_t numGlCommands;
        int32_t numFrames;
        int32_t offsetSkins;
        int32_t offsetTexCoords;
        int32_t offsetTriangles;
        int32_t offsetFrames;
        int32_t offsetGlCommands;
        int32_t offsetEnd;
    };
    struct Skin {
        char name[64];
    };
    struct TexCoord {
        int16_t s;
        int16_t t;
    };
    struct Triangle {
        uint16_t vertex[3];
        uint16_t texCoord[3];
    };
    struct PackedVertex {
        uint8_t v[3];
        uint8_t normalIndex;
    };
    struct Frame {
        float scale[3];
        float translate[3];
        char name[16];
        std::vector<PackedVertex> vertices;
    };

    static const int NUMBER_OF_NORMALS = 162;
    // The MD2 normals: the unit vectors the vertices' normal indexes select.
    static const float m_kAnorms[NUMBER_OF_NORMALS][3];

    CMD2Model();

    // False, with the model left empty, when the file cannot be opened, its
    // ident or version is wrong, or a count, offset or index does not fit it.
    bool LoadModel(std::string path);
    // The same over bytes in memory.
    bool LoadModelFromMemory(const unsigned char* data, std::size_t size);

    void LoadTexture(std::string path);
    void SetTexture(unsigned int texture);
    unsigned int GetTexture() const;
    void SetScale(float scale);
    float GetScale() const;
    int GetNumFrames() const;
    const Header& GetHeader() const;

    // True (nothing drawn) when the frame is out of range.
    bool RenderFrame(int frame);
    void DrawModelItp(int frameA, int frameB, float t);
    void FreeModel();

    // Where a packed vertex of a frame is drawn: frame scale and translation,
    // the model's scale, then the turn that makes the file's z axis point up.
    void PlaceVertex(int frame, int vertex, float (&out)[3]) const;

private:
    Header header;
    std::vector<Skin> skins;
    std::vector<TexCoord> texCoords;
    std::vector<Triangle> triangles;
    std::vector<Frame> frames;
    std::vector<int32_t> glCommands;
    float m_scale;
    unsigned int texture;
};
