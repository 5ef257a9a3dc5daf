#pragma once

// Root of everything the game places: a position (x, y) and the two calls the
// frame loop makes, refresh with the frame time and draw. Menus use x and y
// as screen coordinates; world objects as the column and the height.
class Objet {
public:
    Objet();
    Objet(float x, float y);
    // Blocks and menus are deleted through base pointers.
    virtual ~Objet();

    virtual float getX() const;
    virtual float getY() const;
    virtual void setX(float x);
    virtual void setY(float y);
    virtual void refresh(long dt);
    virtual void draw();

public:
    float x;
    float y;
};
