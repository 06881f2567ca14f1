#include "viewer/viewer.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>

#include "scene/scene.h"
#include "viewer/overlay.h"
#include "viewer/renderer.h"

ViewState viewState;

namespace {

// A ring's radius, as a share of the eye's distance (which the framed height is proportional to):
// about 8 pixels in the window as it opens, whatever the polygon's size.
constexpr double RingShare = 0.014;

const Walkthrough* shown = nullptr;
StepView stepView;

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

void showFrame() {
    drawWalkthrough(*shown, stepView, RingShare * viewState.eyeDistance, viewState.viewportWidth,
                    viewState.viewportHeight);
}

void press(Key key) {
    switch (pressKey(stepView, key, pageCount(*shown))) {
        case KeyEffect::None:
            return;
        case KeyEffect::Redraw:
            break;
        case KeyEffect::ResetView:
            resetNavigation(viewState);
            applyModelView();
            break;
        case KeyEffect::Quit:
            // The same way out as the window's close button: the loop ends and the program exits 0.
            glutLeaveMainLoop();
            return;
    }
    glutPostRedisplay();
}

}  // namespace

void onKey(unsigned char key, int, int) {
    switch (key) {
        case ' ':
            return press(Key::Next);
        case '\b':
            return press(Key::Previous);
        case 27:  // Escape
        case 'q':
        case 'Q':
            return press(Key::Quit);
        case 'l':
        case 'L':
            return press(Key::Labels);
        case 'r':
        case 'R':
            return press(Key::ResetView);
        case 'h':
        case 'H':
            return press(Key::Help);
        default:
            return;
    }
}

void onSpecialKey(int key, int, int) {
    switch (key) {
        case GLUT_KEY_RIGHT:
            return press(Key::Next);
        case GLUT_KEY_LEFT:
            return press(Key::Previous);
        case GLUT_KEY_HOME:
            return press(Key::First);
        case GLUT_KEY_END:
            return press(Key::Full);
        default:
            return;
    }
}

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

void runViewer(int argc, char** argv, const Walkthrough& walkthrough) {
    shown = &walkthrough;
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

    glutDisplayFunc(showFrame);
    glutIdleFunc(showFrame);
    glutKeyboardFunc(onKey);
    glutSpecialFunc(onSpecialKey);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    glutReshapeFunc(onReshape);
    glutMainLoop();
    std::exit(0);
}
