// A bare window of the program's size and clear colour, for the yardsticks: what any program pays to
// open a window and show one frame, and to show another frame for a key (each key turns the clear
// colour from the program's to white and back).

#include <GL/freeglut.h>

namespace {
bool white = false;
void display() {
    glClearColor(white ? 1.0f : 0.9f, white ? 1.0f : 0.9f, white ? 1.0f : 0.8f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}
void key(int, int, int) {
    white = !white;
    glutPostRedisplay();
}
}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(1024, 700);
    glutInitWindowPosition(100, 50);
    glutCreateWindow("bare");
    glutDisplayFunc(display);
    glutSpecialFunc(key);
    glutMainLoop();
}
