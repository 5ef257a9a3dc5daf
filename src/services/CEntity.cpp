#include "services/CEntity.h"

#include "services/CMD2Model.h"

#include <GL/gl.h>

CEntity::CEntity()
    : model(nullptr), frame(0), nextFrame(0), interpolation(0), interpolationStep(0), scale(1)
{
}

void CEntity::DrawEntity(int frameToDraw, int flags, float (&)[3])
{
    glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT);
    if (model != nullptr)
        model->SetScale(scale);

    if (flags & CULL_BACK) {
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CW);
        glCullFace(GL_BACK);
    }

    if (flags & ANIMATED) {
        if (flags & DRAW) {
            if (flags & TEXTURED)
                glEnable(GL_TEXTURE_2D);
            if (model != nullptr)
                model->DrawModelItp(frame, nextFrame, interpolation);
        }
        interpolation += interpolationStep;
    } else if (flags & DRAW) {
        if (flags & TEXTURED)
            glEnable(GL_TEXTURE_2D);
        if (model != nullptr)
            model->RenderFrame(frameToDraw == -1 ? frame : frameToDraw);
    }

    glPopAttrib();
}

void CEntity::Animate(int start, int end, float step)
{
    if (frame < start || frame > end)
        frame = start;
    interpolationStep = step;
    if (interpolation >= 1.0f) {
        interpolation = 0.0f;
        if (frame + 1 < end) {
            ++frame;
            nextFrame = frame + 1 < end ? frame + 1 : start;
        } else {
            frame = start;
            nextFrame = start + 1 < end ? start + 1 : start;
        }
    }
}

void CEntity::SetModel(CMD2Model* m) { model = m; }
CMD2Model* CEntity::GetModel() const { return model; }
void CEntity::SetScale(float s) { scale = s; }
float CEntity::GetScale() const { return scale; }
void CEntity::SetFrame(int f) { frame = f; }
int CEntity::GetFrame() const { return frame; }
void CEntity::SetNextFrame(int f) { nextFrame = f; }
int CEntity::GetNextFrame() const { return nextFrame; }
void CEntity::SetInterpolation(float i) { interpolation = i; }
float CEntity::GetInterpolation() const { return interpolation; }
void CEntity::SetInterpolationStep(float s) { interpolationStep = s; }
float CEntity::GetInterpolationStep() const { return interpolationStep; }
