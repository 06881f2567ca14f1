#include "viewer/viewer.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>

#include "scene/scene.h"
#include "viewer/renderer.h"

ViewState viewState;

namespace {

// GL receives coordinates in the renderer's frame (GlFrame), so the eye coordinates and the
// clipping planes are in its unit as well.
void applyProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(FieldOfView, aspectRatio(viewState), nearPlane(viewState) / glFrame.unit,
                   farPlane(viewState) / glFrame.unit);
    glMatrixMode(GL_MODELVIEW);
}

void applyModelView() {
    double matrix[16];
    modelViewMatrix(viewState, matrix, glFrame.centreX, glFrame.centreY, glFrame.unit);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(matrix);
}

}  // namespace

void onMouse(int button, int state, int x, int y) {
    pressOrRelease(viewState, button, state == GLUT_DOWN, x, y);
    glutPostRedisplay();
}

void onMotion(int x, int y) {
    if (!movePointer(viewState, x, y)) return;
    applyModelView();
    glutPostRedisplay();
}

void onReshape(int width, int height) {
    resizeViewport(viewState, width, height);
    glViewport(0, 0, viewState.viewportWidth, viewState.viewportHeight);
    applyProjection();
}

void runViewer(int argc, char** argv) {
    // Mesa keeps its on-disk shader cache with a worker thread at the lowest priority, and exit
    // joins that thread, which a busy machine leaves waiting for the processor long after the
    // window has closed. Without the cache the few shaders this window needs compile afresh in
    // milliseconds. Set before the toolkit opens the display, where the driver starts; a setting
    // already in the environment stands.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    glutInit(&argc, argv);
    // Closing the window leaves through exit(0), so the scene's lists are destroyed at exit.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_EXIT);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(WindowWidth, WindowHeight);
    glutInitWindowPosition(100, 50);
    glutCreateWindow("Geometrija - prikaz zadatka");
    glClearColor(0.9f, 0.9f, 0.8f, 0.0f);

    frameBounds(viewState, scene.boundsMin, scene.boundsMax, boundsEmpty(scene));
    glFrame = GlFrame{viewState.centreX, viewState.centreY, viewState.eyeDistance};
    applyProjection();
    applyModelView();

    glutDisplayFunc(display);
    glutIdleFunc(display);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    glutReshapeFunc(onReshape);
    glutMainLoop();
    std::exit(0);
}
