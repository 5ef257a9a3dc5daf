#pragma once

class CMD2Model;

// One drawn instance of a model: frame, blend toward the next frame, scale.
class CEntity {
public:
    CEntity();

    void DrawEntity(int frame, int flags, float (&unused)[3]);
    void Animate(int start, int end, float step);

    void SetModel(CMD2Model* model);
    CMD2Model* GetModel() const;
    void SetScale(float scale);
    float GetScale() const;
    void SetFrame(int frame);
    int GetFrame() const;
    void SetNextFrame(int frame);
    int GetNextFrame() const;
    void SetInterpolation(float interpolation);
    float GetInterpolation() const;
    void SetInterpolationStep(float step);
    float GetInterpolationStep() const;

    static const int DRAW = 0x02;
    static const int ANIMATED = 0x08;
    static const int TEXTURED = 0x20;
    static const int CULL_BACK = 0x40;

private:
    CMD2Model* model;
    int frame;
    int nextFrame;
    float interpolation;
    float interpolationStep;
    float scale;
};
