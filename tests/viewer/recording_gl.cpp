// A stand-in for the GL functions the renderer calls: each call is written down as text.

#include "recording_gl.h"

#include <GL/gl.h>
#include <GL/glut.h>

#include <cstdio>

std::vector<std::string> glCalls;

namespace {
void record(const char* format, double a = 0, double b = 0, double c = 0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b, c);
    glCalls.push_back(text);
}
}  // namespace

void glClear(GLbitfield mask) { record("clear %g", mask); }
void glPushMatrix() { record("push"); }
void glPopMatrix() { record("pop"); }
void glFlush() { record("flush"); }
void glutSwapBuffers() { record("swap"); }
void glPointSize(GLfloat size) { record("pointSize %g", size); }
void glColor3f(GLfloat red, GLfloat green, GLfloat blue) { record("colour %g %g %g", red, green, blue); }
void glBegin(GLenum mode) {
    record(mode == GL_LINES ? "begin lines" : mode == GL_POINTS ? "begin points" : mode == GL_LINE_LOOP ? "begin loop" : "begin ?");
}
void glEnd() { record("end"); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { record("vertex %.9g %.9g %.9g", x, y, z); }
void glLineWidth(GLfloat width) { record("lineWidth %g", width); }
