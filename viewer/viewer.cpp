#include "viewer/viewer.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

#include "scene/scene.h"
#include "viewer/overlay.h"
#include "viewer/process.h"
#include "viewer/renderer.h"

namespace {

// The one state of the window, which every callback of the toolkit reaches.
Workbench bench;

// GL receives coordinates in the renderer's frame (GlFrame), so the eye coordinates and the
// clipping planes are in its unit as well.
void applyProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(FieldOfView, aspectRatio(bench.view), nearPlane(bench.view) / glFrame.unit,
                   farPlane(bench.view) / glFrame.unit);
    glMatrixMode(GL_MODELVIEW);
}

void applyModelView() {
    double matrix[16];
    modelViewMatrix(bench.view, matrix, glFrame.centreX, glFrame.centreY, glFrame.unit);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(matrix);
}

// Frames the polygon as it now is (its scene's bounds) and hands GL numbers near 1 about it; an
// empty scene (a new polygon begun) keeps the framing there is. The dialogue's polygon has at least
// one vertex, so the first framing always has bounds.
void frameScene() {
    if (!boundsEmpty(scene)) {
        frameBounds(bench.view, scene.boundsMin, scene.boundsMax, false);
        glFrame = GlFrame{bench.view.centreX, bench.view.centreY, bench.view.eyeDistance};
    }
    applyProjection();
    applyModelView();
}

// The layout of the page as the window now is, with the polygon framed in its picture. Called
// wherever the picture may have changed (a resize, another page, a line more or less at the
// bottom), so that the pointer always maps through the framing on the screen.
PageLayout framedLayout() {
    const PageLayout page = layoutOf(bench);
    const PixelRect& was = bench.view.picture;
    const PixelRect& now = page.picture;
    if (was.x != now.x || was.y != now.y || was.width != now.width || was.height != now.height) {
        framePicture(bench.view, now);
        applyProjection();
        applyModelView();
    }
    return page;
}

void showFrame() { drawFrame(bench, framedLayout()); }

void redraw() {
    framedLayout();
    glutPostRedisplay();
}

void onTick(int generation);

void armTick() {
    glutTimerFunc(static_cast<unsigned>(playSeconds(bench.steps) * 1000), onTick, ++bench.playGeneration);
}

void onTick(int generation) {
    if (generation != bench.playGeneration || !playTick(bench.steps, pageCount(bench.shown))) return;
    if (bench.steps.playing) armTick();
    redraw();
}

void press(Key key) {
    withdrawQuitWarning(bench);
    // A new polygon under way has no steps yet.
    if (bench.edit.drawing && key != Key::Help && key != Key::ResetView) return;
    const StepView before = bench.steps;
    const KeyEffect effect = pressKey(bench.steps, key, pageCount(bench.shown));
    // A play that starts, changes speed or is moved to another step waits one whole interval for
    // its next step.
    const StepView& now = bench.steps;
    if (now.playing && (!before.playing || before.interval != now.interval || before.page != now.page)) armTick();
    switch (effect) {
        case KeyEffect::None:
            return;
        case KeyEffect::Redraw:
            break;
        case KeyEffect::ResetView:
            resetNavigation(bench.view);
            frameScene();
            break;
    }
    redraw();
}

// Carries out what an edit, the mouse or a closing key asks of the window.
void apply(const Effect& effect) {
    if (effect.quit) leaveWindow();
    if (effect.polygon) showInScene(scene, bench.shown);
    if (effect.save) {
        if (savePolygon(bench.shown.vertices, ".", bench.edit.message)) bench.saved = bench.shown.vertices;
        std::printf("%s%s\n", bench.consoleLineOpen ? "\n" : "", bench.edit.message.c_str());
        bench.consoleLineOpen = false;
        std::fflush(stdout);
    }
    if (effect.navigation) applyModelView();
    if (effect.redraw || effect.polygon || effect.save || effect.navigation) redraw();
}

void edit(EditKey key, int x, int y) {
    withdrawQuitWarning(bench);
    apply(pressEditKey(bench, key, x, y));
}

}  // namespace

void onKey(unsigned char key, int x, int y) {
    switch (key) {
        case ' ':
            return press(Key::Next);
        case '\b':
            return bench.edit.drawing ? edit(EditKey::RemoveLast, x, y) : press(Key::Previous);
        case '\r':
            return edit(EditKey::Close, x, y);
        case 27:  // Escape: in editing it takes back what is under way, never closes
            if (bench.edit.on) return edit(EditKey::Cancel, x, y);
            return apply(pressQuit(bench));
        case 'q':
        case 'Q':
            return apply(pressQuit(bench));
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
        case 'e':
        case 'E':
            return edit(EditKey::Toggle, x, y);
        case 'g':
        case 'G':
            return edit(EditKey::Grid, x, y);
        case 'u':
        case 'U':
        case 'Z' - '@':  // Ctrl+Z
            return edit(EditKey::Undo, x, y);
        case 'Y' - '@':  // Ctrl+Y
            return edit(EditKey::Redo, x, y);
        case 'n':
        case 'N':
            return edit(EditKey::New, x, y);
        case 's':
        case 'S':
            return edit(EditKey::Save, x, y);
        case 'x':
        case 'X':
        case 127:  // Delete
            return edit(EditKey::Delete, x, y);
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
    if (state == GLUT_DOWN) withdrawQuitWarning(bench);
    apply(pressButton(bench, button, state == GLUT_DOWN, x, y));
}

void onMotion(int x, int y) { apply(movePointerTo(bench, x, y)); }

void onWheel(int wheel, int direction, int x, int y) {
    // The vertical wheel (the first), over the picture; not over the caption or the stack panel.
    if (wheel != 0 || !inPicture(bench.view, x, y)) return;
    zoomAbout(bench.view, x, y, direction > 0 ? WheelStep : 1.0 / WheelStep);
    applyModelView();
    glutPostRedisplay();
}

void onReshape(int width, int height) {
    resizeWindow(bench.view, width, height);
    redraw();
}

void runViewer(int argc, char** argv, const Judgement& judged) {
    bench = openWorkbench(judged);
    runInChildProcess();
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(WindowWidth, WindowHeight);
    glutInitWindowPosition(100, 50);
    glutCreateWindow("Geometrija - prikaz zadatka");
    glClearColor(0.9f, 0.9f, 0.8f, 0.0f);
    frameScene();

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
