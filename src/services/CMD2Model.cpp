#include "services/CMD2Model.h"

#include "services/BinaryFile.h"
#include "services/CTextureManager.h"
#include "services/VectorHelpers.h"

#include <GL/gl.h>

#include <cstring>

namespace {

// "IDP2" read as a little-endian 32-bit integer.
const int32_t MD2_IDENT = 'I' | ('D' << 8) | ('P' << 16) | ('2' << 24);
const int32_t MD2_VERSION = 8;
const std::size_t HEADER_BYTES = 17 * 4;
const std::size_t SKIN_BYTES = 64;
const std::size_t TEXCOORD_BYTES = 4;
const std::size_t TRIANGLE_BYTES = 12;
const std::size_t FRAME_HEADER_BYTES = 40;
const std::size_t VERTEX_BYTES = 4;

// The fixed turn that makes the file's z axis the game's up axis (-pi/2 as a float).
const float MODEL_TURN = -1.5707963705062866f;

uint32_t readU32(const unsigned char* p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

int32_t readS32(const unsigned char* p)
{
    return (int32_t)readU32(p);
}

uint16_t readU16(const unsigned char* p)
{
    return (uint16_t)(p[0] | (p[1] << 8));
}

float readFloat(const unsigned char* p)
{
    uint32_t bits = readU32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// True when count records of recordBytes each, from offset on, lie inside the file.
bool fits(int32_t offset, int32_t count, std::size_t recordBytes, std::size_t size)
{
    if (offset < 0 || count < 0)
        return false;
    if (count == 0)
        return true;
    unsigned long long end = (unsigned long long)offset + (unsigned long long)count * recordBytes;
    return end <= size;
}

void turn(float (&v)[3])
{
    vec_RotateX(&v, MODEL_TURN);
    vec_RotateY(&v, MODEL_TURN);
}

} // namespace

CMD2Model::CMD2Model()
    : header(), m_scale(1.0f), texture(0)
{
}

bool CMD2Model::LoadModel(std::string path)
{
    std::vector<unsigned char> data;
    if (!readBinaryFile(path, data))
        return false;
    return LoadModelFromMemory(data.data(), data.size());
}

bool CMD2Model::LoadModelFromMemory(const unsigned char* data, std::size_t size)
{
    if (data == nullptr || size < HEADER_BYTES)
        return false;

    int32_t fields[17];
    for (int i = 0; i < 17; ++i)
        fields[i] = readS32(data + 4 * i);
    Header h = {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5],
                fields[6], fields[7], fields[8], fields[9], fields[10], fields[11],
                fields[12], fields[13], fields[14], fields[15], fields[16]};
    if (h.ident != MD2_IDENT || h.version != MD2_VERSION)
        return false;

    // Every count, offset and index is checked against the file before
    // anything is kept, so a damaged file leaves the model as it was.
    if (h.numTriangles > 0 && h.skinWidth <= 0)
        return false;
    if (h.numVertices > 65536 || h.numTexCoords > 65536)
        return false;
    if (!fits(h.offsetSkins, h.numSkins, SKIN_BYTES, size)
        || !fits(h.offsetTexCoords, h.numTexCoords, TEXCOORD_BYTES, size)
        || !fits(h.offsetTriangles, h.numTriangles, TRIANGLE_BYTES, size)
        || !fits(h.offsetGlCommands, h.numGlCommands, 4, size)
        || h.numVertices < 0
        || !fits(h.offsetFrames, h.numFrames,
                 FRAME_HEADER_BYTES + VERTEX_BYTES * (std::size_t)h.numVertices, size))
        return false;

    std::vector<Triangle> newTriangles((std::size_t)h.numTriangles);
    for (std::size_t i = 0; i < newTriangles.size(); ++i) {
        const unsigned char* p = data + h.offsetTriangles + i * TRIANGLE_BYTES;
        for (int k = 0; k < 3; ++k) {
            newTriangles[i].vertex[k] = readU16(p + 2 * k);
            newTriangles[i].texCoord[k] = readU16(p + 6 + 2 * k);
            if (newTriangles[i].vertex[k] >= h.numVertices
                || newTriangles[i].texCoord[k] >= h.numTexCoords)
                return false;
        }
    }

    std::vector<Frame> newFrames((std::size_t)h.numFrames);
    const std::size_t frameBytes = FRAME_HEADER_BYTES + VERTEX_BYTES * (std::size_t)h.numVertices;
    for (std::size_t f = 0; f < newFrames.size(); ++f) {
        const unsigned char* p = data + h.offsetFrames + f * frameBytes;
        Frame& frame = newFrames[f];
        for (int k = 0; k < 3; ++k) {
            frame.scale[k] = readFloat(p + 4 * k);
            frame.translate[k] = readFloat(p + 12 + 4 * k);
        }
        std::memcpy(frame.name, p + 24, sizeof frame.name);
        frame.name[sizeof frame.name - 1] = '\0';
        frame.vertices.resize((std::size_t)h.numVertices);
        for (std::size_t v = 0; v < frame.vertices.size(); ++v) {
            const unsigned char* q = p + FRAME_HEADER_BYTES + v * VERTEX_BYTES;
            PackedVertex& vertex = frame.vertices[v];
            vertex.v[0] = q[0];
            vertex.v[1] = q[1];
            vertex.v[2] = q[2];
            vertex.normalIndex = q[3];
            if (vertex.normalIndex >= NUMBER_OF_NORMALS)
                return false;
        }
    }

    std::vector<Skin> newSkins((std::size_t)h.numSkins);
    for (std::size_t i = 0; i < newSkins.size(); ++i) {
        std::memcpy(newSkins[i].name, data + h.offsetSkins + i * SKIN_BYTES, SKIN_BYTES);
        newSkins[i].name[SKIN_BYTES - 1] = '\0';
    }

    std::vector<TexCoord> newTexCoords((std::size_t)h.numTexCoords);
    for (std::size_t i = 0; i < newTexCoords.size(); ++i) {
        const unsigned char* p = data + h.offsetTexCoords + i * TEXCOORD_BYTES;
        newTexCoords[i].s = (int16_t)readU16(p);
        newTexCoords[i].t = (int16_t)readU16(p + 2);
    }

    std::vector<int32_t> newGlCommands((std::size_t)h.numGlCommands);
    for (std::size_t i = 0; i < newGlCommands.size(); ++i)
        newGlCommands[i] = readS32(data + h.offsetGlCommands + 4 * i);

    header = h;
    skins.swap(newSkins);
    texCoords.swap(newTexCoords);
    triangles.swap(newTriangles);
    frames.swap(newFrames);
    glCommands.swap(newGlCommands);
    return true;
}

void CMD2Model::LoadTexture(std::string path)
{
    texture = CSingleton<CTextureManager>::GetInstance()->LoadTexture(path, true, 0);
}

void CMD2Model::SetTexture(unsigned int t) { texture = t; }
unsigned int CMD2Model::GetTexture() const { return texture; }
void CMD2Model::SetScale(float s) { m_scale = s; }
float CMD2Model::GetScale() const { return m_scale; }
int CMD2Model::GetNumFrames() const { return (int)frames.size(); }
const CMD2Model::Header& CMD2Model::GetHeader() const { return header; }

void CMD2Model::PlaceVertex(int frame, int vertex, float (&out)[3]) const
{
    const Frame& f = frames[(std::size_t)frame];
    const PackedVertex& p = f.vertices[(std::size_t)vertex];
    for (int k = 0; k < 3; ++k)
        out[k] = ((float)p.v[k] * f.scale[k] + f.translate[k]) * m_scale;
    turn(out);
}

bool CMD2Model::RenderFrame(int frame)
{
    if (frame < 0 || frame >= GetNumFrames())
        return true;

    const float skinWidth = (float)header.skinWidth;
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_TRIANGLES);
    for (const Triangle& triangle : triangles) {
        for (int k = 0; k < 3; ++k) {
            const TexCoord& st = texCoords[triangle.texCoord[k]];
            glTexCoord2f((float)st.s / skinWidth, (float)st.t / skinWidth);
            float v[3];
            PlaceVertex(frame, triangle.vertex[k], v);
            glVertex3fv(v);
        }
    }
    glEnd();
    return false;
}

void CMD2Model::DrawModelItp(int frameA, int frameB, float t)
{
    const int count = GetNumFrames();
    if (frameA < 0 || frameA >= count || frameB < 0 || frameB >= count)
        return;

    const Frame& a = frames[(std::size_t)frameA];
    const Frame& b = frames[(std::size_t)frameB];
    const float skinWidth = (float)header.skinWidth;
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_TRIANGLES);
    for (const Triangle& triangle : triangles) {
        for (int k = 0; k < 3; ++k) {
            const std::size_t index = triangle.vertex[k];
            const PackedVertex& va = a.vertices[index];
            const PackedVertex& vb = b.vertices[index];
            const float* na = m_kAnorms[va.normalIndex];
            const float* nb = m_kAnorms[vb.normalIndex];
            float n[3];
            float v[3];
            for (int c = 0; c < 3; ++c) {
                n[c] = na[c] + t * (nb[c] - na[c]);
                float pa = (float)va.v[c] * a.scale[c] + a.translate[c];
                float pb = (float)vb.v[c] * b.scale[c] + b.translate[c];
                v[c] = (pa + t * (pb - pa)) * m_scale;
            }
            turn(n);
            turn(v);
            const TexCoord& st = texCoords[triangle.texCoord[k]];
            glTexCoord2f((float)st.s / skinWidth, (float)st.t / skinWidth);
            glNormal3fv(n);
            glVertex3fv(v);
        }
    }
    glEnd();
}

void CMD2Model::FreeModel()
{
    skins.clear();
    texCoords.clear();
    triangles.clear();
    frames.clear();
    glCommands.clear();
    header = Header();
}
