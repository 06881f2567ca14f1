#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "viewer/camera.h"

namespace {

ViewState framed(double x0, double y0, double x1, double y1) {
    ViewState view;
    frameBounds(view, Point(x0, y0, 0), Point(x1, y1, 0), false);
    return view;
}

// Window position (origin top left) of a scene point, through the model-view matrix and a 60-degree
// perspective, computed here from first principles. The point goes in as the window hands it to GL:
// relative to the camera's centre, in units of its eye distance.
void project(const ViewState& view, double sceneX, double sceneY, double& wx, double& wy) {
    double m[16];
    modelViewMatrix(view, m, view.centreX, view.centreY, view.eyeDistance);
    const double x = (sceneX - view.centreX) / view.eyeDistance;
    const double y = (sceneY - view.centreY) / view.eyeDistance;
    const double ex = m[0] * x + m[4] * y + m[12];
    const double ey = m[1] * x + m[5] * y + m[13];
    const double ez = m[2] * x + m[6] * y + m[14];
    const double f = 1.0 / std::tan(M_PI / 6.0);
    const double ndcX = f / (static_cast<double>(view.picture.width) / view.picture.height) * ex / -ez;
    const double ndcY = f * ey / -ez;
    wx = (ndcX + 1.0) / 2.0 * view.picture.width;
    wy = view.picture.height - 1 - (ndcY + 1.0) / 2.0 * view.picture.height;  // GL's rows count from below
}

}  // namespace

TEST(Framing, CentreAndDistanceForTallWideAndTinyBounds) {
    const ViewState square = framed(0, 0, 10, 10);
    EXPECT_EQ(square.centreX, 5.0f);
    EXPECT_EQ(square.centreY, 5.0f);
    EXPECT_EQ(square.eyeDistance, 10.0f);
    EXPECT_EQ(framed(0, 0, 3, 10).eyeDistance, 10.0f);
    EXPECT_FLOAT_EQ(framed(600, 0, 800, 100).eyeDistance, 200.0f * 700 / 1024);
    EXPECT_EQ(framed(100, 100, 110, 110).eyeDistance, 10.0f);
    const ViewState tiny = framed(0, 0, 0.5, 0.5);
    EXPECT_EQ(tiny.eyeDistance, 0.5f);
    EXPECT_DOUBLE_EQ(nearPlane(tiny), 0.05);
    EXPECT_DOUBLE_EQ(farPlane(tiny), 5.0);
    EXPECT_EQ(framed(3, 3, 3, 3).eyeDistance, 1.0f);
    ViewState empty;
    frameBounds(empty, Point(), Point(), true);
    EXPECT_EQ(empty.eyeDistance, 1.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(aspectRatio(empty)), 1.4628571f);
}

// The old framing put the eye at max + |min|: beyond the far plane for (600, 0)-(800, 100), nearer
// than the near plane for (0, 0)-(0.5, 0.5), cutting off most of (0, 0)-(3, 10).
TEST(Framing, WholePolygonFillsPointEightSixSixOfTheLimitingSide) {
    struct Case {
        double x0, y0, x1, y1;
    };
    for (const Case& c : {Case{0, 0, 10, 10}, Case{600, 0, 800, 100}, Case{0, 0, 0.5, 0.5}, Case{0, 0, 3, 10},
                          Case{-5000, -4000, -1000, -3900}, Case{1000, 2000, 4000, 9000},
                          Case{7456123.5, 4987654.5, 7456124, 4987655}, Case{1e7, 1e7, 1e7 + 3, 1e7 + 3},
                          Case{0, 0, 1e38f, 1e38f}, Case{0, 0, 1e-38f, 1e-38f}}) {
        const ViewState view = framed(c.x0, c.y0, c.x1, c.y1);
        double left, top, right, bottom;
        project(view, c.x0, c.y1, left, top);
        project(view, c.x1, c.y0, right, bottom);
        EXPECT_NEAR((left + right) / 2, 512.0, 0.01);
        EXPECT_NEAR((top + bottom) / 2, 349.0, 0.01);
        const double heightShare = (bottom - top) / 700.0;
        const double widthShare = (right - left) / 1024.0;
        EXPECT_NEAR(std::max(heightShare, widthShare), 0.866, 0.001) << c.x0 << " " << c.y0;
        EXPECT_LE(nearPlane(view), view.eyeDistance / 2);
        EXPECT_GE(farPlane(view), view.eyeDistance * 2);
    }
}

TEST(Navigation, RotationAndZoomSteps) {
    EXPECT_FLOAT_EQ(rotationAngle(30, 40, 1024), -8.780488f);
    EXPECT_FLOAT_EQ(rotationAngle(0, -40, 1024), 7.0243902f);
    EXPECT_FLOAT_EQ(zoomFactor(2100), 0.36787945f);   // downward: smaller
    EXPECT_FLOAT_EQ(zoomFactor(-2100), 2.7182817f);   // upward: larger
}

TEST(Navigation, FlagsFollowPressesAndAnyReleaseEndsEveryDrag) {
    ViewState view = framed(0, 0, 10, 10);
    EXPECT_FALSE(movePointer(view, 10, 10));  // no button: nothing
    EXPECT_EQ(view.lastX, 0);
    pressOrRelease(view, 0, true, 100, 100);
    pressOrRelease(view, 2, true, 100, 100);
    EXPECT_TRUE(movePointer(view, 100, 150));  // left and right: zoom
    EXPECT_LT(view.zoom, 1.0f);
    EXPECT_EQ(view.panX, 0.0f);
    EXPECT_FALSE(movePointer(view, 100, 150));  // the same position: nothing
    pressOrRelease(view, 2, false, 100, 150);
    EXPECT_FALSE(view.leftDown || view.middleDown || view.rightDown);
    EXPECT_FALSE(movePointer(view, 120, 170));
    // A wheel step reported as button 3 moves the last position and the anchor, sets no flag.
    pressOrRelease(view, 3, true, 300, 200);
    EXPECT_EQ(view.lastX, 300);
    EXPECT_FALSE(view.leftDown || view.middleDown || view.rightDown);
    double x, y;
    pointerOnPlane(view, 300, 200, x, y);
    EXPECT_FLOAT_EQ(view.anchor.x, static_cast<float>(x));
}

// Panning keeps the plane point under the pointer where it was pressed.
TEST(Navigation, PanKeepsThePressedPointUnderThePointer) {
    for (const auto& bounds : {std::pair{0.0, 10.0}, std::pair{0.0, 700.0}, std::pair{-3000.0, 9000.0},
                               std::pair{7456123.5, 7456124.0}}) {
        ViewState view = framed(bounds.first, bounds.first, bounds.second, bounds.second);
        pressOrRelease(view, 2, true, 500, 300);
        movePointer(view, 560, 340);  // turned first, so the pan is not along the axes
        pressOrRelease(view, 2, false, 560, 340);
        // The scene point under (200, 400) now.
        double px, py;
        pointerOnPlane(view, 200, 400, px, py);
        double m[16];
        modelViewMatrix(view, m);
        // Solve the plane part of the model-view matrix for the scene point q seen at (px, py).
        const double det = m[0] * m[5] - m[4] * m[1];
        const double ux = px - (m[12] + view.centreX);
        const double uy = py - (m[13] + view.centreY);
        const double qx = (m[5] * ux - m[4] * uy) / det;
        const double qy = (-m[1] * ux + m[0] * uy) / det;
        pressOrRelease(view, 0, true, 200, 400);
        movePointer(view, 260, 330);
        movePointer(view, 350, 380);
        double wx, wy;
        project(view, qx, qy, wx, wy);
        EXPECT_NEAR(wx, 350.0, 0.01);
        EXPECT_NEAR(wy, 380.0, 0.01);
    }
}

// Turning and zooming pivot about the polygon's own centre.
TEST(Navigation, TurnAndZoomPivotAboutTheMiddleOfTheBoundsWhereverItWasPanned) {
    ViewState view = framed(100, 100, 110, 110);
    double startX, startY;
    project(view, 105, 105, startX, startY);
    EXPECT_NEAR(startX, 512.0, 0.01);
    EXPECT_NEAR(startY, 349.0, 0.01);
    pressOrRelease(view, 0, true, 512, 349);
    movePointer(view, 600, 299);
    pressOrRelease(view, 0, false, 600, 299);
    double cx, cy;
    project(view, 105, 105, cx, cy);
    EXPECT_NEAR(cx, 600.0, 0.01);
    EXPECT_NEAR(cy, 299.0, 0.01);
    pressOrRelease(view, 2, true, 10, 10);
    movePointer(view, 90, 70);
    pressOrRelease(view, 1, true, 90, 70);
    movePointer(view, 90, 20);
    double after_x, after_y;
    project(view, 105, 105, after_x, after_y);
    EXPECT_NEAR(after_x, 600.0, 0.01);
    EXPECT_NEAR(after_y, 299.0, 0.01);
    EXPECT_NE(view.angle, 0.0f);
    EXPECT_GT(view.zoom, 1.0f);
}

// Zooming in stops short of carrying the scene through the near clipping plane.
TEST(Navigation, ZoomStaysWithinAThousandfoldAndTheSceneOffTheClippingPlanes) {
    ViewState view = framed(0, 0, 10, 10);
    pressOrRelease(view, 1, true, 0, 0);
    for (int i = 1; i <= 400; ++i) movePointer(view, 0, -i * 100);
    EXPECT_EQ(view.zoom, MaxZoom);
    for (int i = 1; i <= 800; ++i) movePointer(view, 0, -40000 + i * 100);
    EXPECT_EQ(view.zoom, MinZoom);
    double m[16];
    modelViewMatrix(view, m);
    EXPECT_DOUBLE_EQ(m[14], -view.eyeDistance);  // the plane z = 0 stays at the eye distance
}

// A resize keeps every turn, pan and zoom; resetting undoes them and keeps the size.
TEST(Navigation, ResizeKeepsTheNavigationAndResetUndoesIt) {
    ViewState view = framed(0, 0, 10, 10);
    view.angle = 30;
    view.zoom = 2;
    view.panX = 1;
    resizeWindow(view, 800, 0);
    framePicture(view, {0, 0, 800, view.windowHeight});
    EXPECT_EQ(view.picture.height, 1);
    EXPECT_DOUBLE_EQ(aspectRatio(view), 800.0);
    EXPECT_EQ(view.angle, 30.0f);
    EXPECT_EQ(view.zoom, 2.0f);
    EXPECT_EQ(view.panX, 1.0f);
    resetNavigation(view);
    EXPECT_EQ(std::make_tuple(view.angle, view.zoom, view.panX, view.picture.width), std::make_tuple(0.0f, 1.0f, 0.0, 800));
}

// In any part of any window, portrait too, the bounds fill 0.866 of the limiting side, centred; the
// pointer's plane point and the scene's pixels agree, wherever the part lies in the window.
TEST(Framing, InAPartOfTheWindowWholeAndCentredPortraitToo) {
    struct Case {
        int windowWidth, windowHeight;
        PixelRect picture;
    };
    for (const Case& c : {Case{600, 800, {0, 0, 600, 800}}, Case{1024, 700, {0, 0, 810, 580}},
                          Case{300, 200, {0, 0, 200, 130}}, Case{400, 900, {0, 0, 220, 820}}}) {
        ViewState view = framed(-3, 2, 8, 10);  // 11 wide, 8 tall
        resizeWindow(view, c.windowWidth, c.windowHeight);
        framePicture(view, c.picture);
        const PlanePoint low = sceneToPixels(view, -3, 2);
        const PlanePoint high = sceneToPixels(view, 8, 10);
        const PixelRect& p = c.picture;
        EXPECT_NEAR((low.x + high.x) / 2, p.x + p.width / 2.0, 1e-9);
        EXPECT_NEAR((low.y + high.y) / 2, p.y + p.height / 2.0, 1e-9);
        EXPECT_NEAR(std::max((high.x - low.x) / p.width, (high.y - low.y) / p.height), 0.866, 0.001) << p.width;
        double x, y;
        pointerOnPlane(view, 37, c.windowHeight - 1 - 41, x, y);  // window pixel (37, 41) from the bottom
        const PlanePoint back = sceneToPixels(view, x, y);
        EXPECT_NEAR(back.x, 37, 1e-6);
        EXPECT_NEAR(back.y, 41, 1e-6);
    }
}

// A notch of the wheel scales by 1.1 about the pointer: the scene point under it stays there.
TEST(Navigation, WheelZoomKeepsThePointUnderThePointer) {
    ViewState view = framed(7456123.5, 4987654.5, 7456124, 4987655);
    view.angle = 40;
    view.panX = 0.1;
    const PlanePoint corner = sceneToPixels(view, 7456123.5, 4987654.5);
    const PlanePoint other = sceneToPixels(view, 7456124, 4987655);
    const int x = static_cast<int>(corner.x), y = view.windowHeight - 1 - static_cast<int>(corner.y);
    zoomAbout(view, x, y, WheelStep);
    zoomAbout(view, x, y, WheelStep);
    EXPECT_FLOAT_EQ(view.zoom, 1.21f);
    // Every point moves away from the pointer's pixel by the factor.
    const double gx = x, gy = view.windowHeight - 1 - y;
    for (const auto& [before, after] : {std::pair{corner, sceneToPixels(view, 7456123.5, 4987654.5)},
                                        std::pair{other, sceneToPixels(view, 7456124, 4987655)}}) {
        EXPECT_NEAR(after.x - gx, 1.21 * (before.x - gx), 1e-3);
        EXPECT_NEAR(after.y - gy, 1.21 * (before.y - gy), 1e-3);
    }
    for (int i = 0; i < 200; ++i) zoomAbout(view, x, y, WheelStep);
    EXPECT_EQ(view.zoom, MaxZoom);
}
