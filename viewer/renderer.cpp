#include "viewer/renderer.h"

#include <GL/gl.h>
#include <GL/glut.h>

#include <cmath>

#include "scene/scene.h"

namespace {

constexpr float DotSize = 4.0f;
constexpr int CircleVertices = 100;

struct Rgb {
    float red;
    float green;
    float blue;
};

constexpr Rgb palette[10] = {
    {1, 0, 0},     {0, 1, 0}, {0, 0, 1}, {1, 1, 0},     {1, 0.5f, 0},
    {1, 0, 1},     {0, 1, 1}, {0.5f, 0, 0.5f}, {1, 1, 1}, {0, 0, 0},
};

float rounded(double value) { return static_cast<float>(value); }

}  // namespace

GlFrame glFrame;

void sceneVertex(double x, double y, double z) {
    const GlPoint p = toGl(x, y, z);
    glVertex3f(p.x, p.y, p.z);
}

void sceneVertex(const Point& p) { sceneVertex(p.x, p.y, p.z); }

GlPoint toGl(double x, double y, double z) {
    return {rounded((x - glFrame.centreX) / glFrame.unit), rounded((y - glFrame.centreY) / glFrame.unit),
            rounded(z / glFrame.unit)};
}

void setColour(Colour code) {
    if (code < 0 || code > 9) return;
    const Rgb& c = palette[code];
    glColor3f(c.red, c.green, c.blue);
}

void drawSegment(const Segment& segment) {
    glPointSize(DotSize);
    setColour(segment.colour);
    glBegin(GL_LINES);
    sceneVertex(segment.start);
    sceneVertex(segment.end);
    glEnd();
    glBegin(GL_POINTS);
    sceneVertex(segment.start);
    sceneVertex(segment.end);
    glEnd();
}

void drawLine(const Line& line) {
    setColour(line.colour);
    const Point& p = line.point;
    const Point& d = line.direction;
    glBegin(GL_LINES);
    sceneVertex(p.x + 100.0 * d.x, p.y + 100.0 * d.y, p.z + 100.0 * d.z);
    sceneVertex(p.x - 100.0 * d.x, p.y - 100.0 * d.y, p.z - 100.0 * d.z);
    glEnd();
}

void drawCircle(const Circle& circle) {
    setColour(circle.colour);
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < CircleVertices; ++i) {
        const float theta = rounded(i * 2.0 * M_PI / CircleVertices);
        const float c = rounded(std::cos(static_cast<double>(theta)));
        const float s = rounded(std::sin(static_cast<double>(theta)));
        sceneVertex(circle.centre.x + static_cast<double>(circle.radius) * c,
               circle.centre.y + static_cast<double>(circle.radius) * s, circle.centre.z);
    }
    glEnd();
}

void clearFrame() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

void drawScene(int segmentLimit, float outlineWidth, float diagonalWidth) {
    glPushMatrix();
    for (const Circle& c : scene.circles) drawCircle(c);
    for (const Line& l : scene.lines) drawLine(l);
    int drawn = 0;
    for (const Segment& s : scene.segments) {
        if (drawn++ == segmentLimit) break;
        if (outlineWidth > 0.0f) glLineWidth(s.colour == Black ? outlineWidth : diagonalWidth);
        drawSegment(s);
    }
    for (const Point& p : scene.points) {
        setColour(p.colour);
        glPointSize(DotSize);
        glBegin(GL_POINTS);
        sceneVertex(p);
        glEnd();
    }
    glPopMatrix();
}

void display() {
    clearFrame();
    drawScene(static_cast<int>(scene.segments.size()), 0.0f, 0.0f);
    glFlush();
    glutSwapBuffers();
}
