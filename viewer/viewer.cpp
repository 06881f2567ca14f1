#include "viewer/viewer.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

#include "scene/scene.h"
#include "viewer/overlay.h"
#include "viewer/process.h"
#include "viewer/renderer.h"

ViewState viewState;

namespace {

const Judgement* shown = nullptr;
StepView stepView;
int playGeneration = 0;  // a tick armed for an earlier play (or speed) is ignored

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

// The layout of the page as the window now is, with the polygon framed in its picture. Called
// wherever the picture may have changed (a resize, another page), so that the pointer always maps
// through the framing on the screen.
PageLayout framedLayout() {
    const PageLayout page = layoutFor(*shown, stepView, viewState.windowWidth, viewState.windowHeight);
    const PixelRect& was = viewState.picture;
    const PixelRect& now = page.picture;
    if (was.x != now.x || was.y != now.y || was.width != now.width || was.height != now.height) {
        framePicture(viewState, now);
        applyProjection();
        applyModelView();
    }
    return page;
}

void showFrame() { drawFrame(*shown, stepView, viewState, framedLayout()); }

void onTick(int generation);

void armTick() {
    glutTimerFunc(static_cast<unsigned>(playSeconds(stepView) * 1000), onTick, ++playGeneration);
}

void onTick(int generation) {
    if (generation != playGeneration || !playTick(stepView, pageCount(*shown))) return;
    if (stepView.playing) armTick();
    framedLayout();
    glutPostRedisplay();
}

void press(Key key) {
    const StepView before = stepView;
    const KeyEffect effect = pressKey(stepView, key, pageCount(*shown));
    // A play that starts, changes speed or is moved to another step waits one whole interval for
    // its next step.
    if (stepView.playing &&
        (!before.playing || before.interval != stepView.interval || before.page != stepView.page)) {
        armTick();
    }
    if (before.page != stepView.page) framedLayout();
    switch (effect) {
        case KeyEffect::None:
            return;
        case KeyEffect::Redraw:
            break;
        case KeyEffect::ResetView:
            resetNavigation(viewState);
            applyModelView();
            break;
        case KeyEffect::Quit:
            leaveWindow();
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
        case 'p':
        case 'P':
            return press(Key::Play);
        case '+':
        case '=':  // the + key without Shift
            return press(Key::Faster);
        case '-':
            return press(Key::Slower);
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
        case GLUT_KEY_PAGE_DOWN:
            return press(Key::TenForward);
        case GLUT_KEY_PAGE_UP:
            return press(Key::TenBack);
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

void onWheel(int wheel, int direction, int x, int y) {
    // The vertical wheel (the first), over the picture; not over the caption or the stack panel.
    if (wheel != 0 || !inPicture(viewState, x, y)) return;
    zoomAbout(viewState, x, y, direction > 0 ? WheelStep : 1.0 / WheelStep);
    applyModelView();
    glutPostRedisplay();
}

void onReshape(int width, int height) {
    resizeWindow(viewState, width, height);
    framedLayout();
    glutPostRedisplay();
}

void runViewer(int argc, char** argv, const Judgement& walkthrough) {
    shown = &walkthrough;
    runInChildProcess();
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(WindowWidth, WindowHeight);
    glutInitWindowPosition(100, 50);
    glutCreateWindow("Geometrija - prikaz zadatka");
    glClearColor(0.9f, 0.9f, 0.8f, 0.0f);

    frameBounds(viewState, scene.boundsMin, scene.boundsMax, boundsEmpty(scene));
    glFrame = GlFrame{viewState.centreX, viewState.centreY, viewState.eyeDistance};
    applyProjection();
    applyModelView();

    // Frames are drawn when something changed: an event, a resize, a step of the play.
    glutDisplayFunc(showFrame);
    glutKeyboardFunc(onKey);
    glutSpecialFunc(onSpecialKey);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    glutMouseWheelFunc(onWheel);
    glutReshapeFunc(onReshape);
    // Closing the window leaves as Q does, with status 0, before the toolkit tears anything down.
    glutCloseFunc(leaveWindow);
    glutMainLoop();
    leaveWindow();
}
