// A bare window of the program's size and clear colour, for the first frame's yardstick: what any
// program pays to open a window and show one frame.

#include <GL/freeglut.h>

namespace {
void display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}
}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(1024, 700);
    glutInitWindowPosition(100, 50);
    glutCreateWindow("bare");
    glClearColor(0.9f, 0.9f, 0.8f, 0.0f);
    glutDisplayFunc(display);
    glutMainLoop();
}
