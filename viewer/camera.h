#pragma once
// The camera framed on the scene's bounds and the mouse navigation, as plain arithmetic on the
// view state; the window applies the results to OpenGL.

#include "geometry/records.h"

inline constexpr int WindowWidth = 1024;
inline constexpr int WindowHeight = 700;
inline constexpr double FieldOfView = 60.0;  // vertical, degrees
inline constexpr float MinZoom = 1.0f / 1000.0f;
inline constexpr float MaxZoom = 1000.0f;
inline constexpr double WheelStep = 1.1;  // one notch of the wheel enlarges or shrinks by 10 %

// A point of the polygon's plane, in double: the plane's coordinates keep their precision here
// wherever the polygon lies.
struct PlanePoint {
    double x = 0.0;
    double y = 0.0;
};

// A rectangle of the window in pixels, origin at the bottom left as GL counts.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = WindowWidth;
    int height = WindowHeight;
};

struct ViewState {
    // The camera: it looks down -z at (centreX, centreY, 0) from eyeDistance above that point, which
    // frames the polygon's bounds (boundsWidth by boundsHeight) in the picture rectangle.
    double centreX = 0.0;
    double centreY = 0.0;
    double eyeDistance = 0.0;
    double boundsWidth = 0.0;
    double boundsHeight = 0.0;
    // The pointer.
    int lastX = 0;
    int lastY = 0;
    bool leftDown = false;
    bool middleDown = false;
    bool rightDown = false;
    PlanePoint anchor;  // the point of the polygon's plane under the pointer at the last press
    // The navigation of the scene: turned by `angle` degrees (counter-clockwise) and scaled by
    // `zoom` about the middle of the bounds, then moved by (panX, panY) in its plane.
    float angle = 0.0f;
    float zoom = 1.0f;
    double panX = 0.0;
    double panY = 0.0;
    double pressPanX = 0.0;  // the pan when the last press happened
    double pressPanY = 0.0;
    int windowWidth = WindowWidth;
    int windowHeight = WindowHeight;
    double pixelRatio = 1.0;  // the screen's device pixels to a CSS pixel (a browser's page; the window's 1)
    PixelRect picture;  // the part of the window the polygon is framed in
};

// Centres the camera on the bounds and frames them in the picture rectangle. Empty bounds frame
// the origin.
void frameBounds(ViewState& view, const Point& boundsMin, const Point& boundsMax, bool empty);

// Frames the bounds in `picture`: the eye's distance makes the whole rectangle fill 0.866 of the
// picture's height, or of its width for rectangles wider than the picture. Turns, moves and zooms
// stay, so they keep their place relative to the framing; a drag under way goes on from the pointer.
void framePicture(ViewState& view, const PixelRect& picture);

// True when window position (x, y) (origin top left) lies in the picture.
bool inPicture(const ViewState& view, int x, int y);

double nearPlane(const ViewState& view);
double farPlane(const ViewState& view);
double aspectRatio(const ViewState& view);

// The model-view matrix (column-major, as OpenGL takes it): the navigation, then the camera. It
// takes a scene point p written as (p - origin) / unit and gives eye coordinates in that unit, so
// that with the camera's centre as origin and its eye distance as unit every number in it is near
// 1; the default origin and unit take scene coordinates as they are.
void modelViewMatrix(const ViewState& view, double matrix[16], double originX = 0.0, double originY = 0.0,
                     double unit = 1.0);

// The point of the plane z = 0, before navigation, under window position (x, y) (origin top left).
void pointerOnPlane(const ViewState& view, int x, int y, double& planeX, double& planeY);

// The scene point (before navigation, so a point of the polygon's own plane) shown at window position
// (x, y) (origin top left): the inverse of sceneToPixels, whatever was turned, moved or zoomed.
PlanePoint pointerInScene(const ViewState& view, int x, int y);

// Where the scene point (x, y, 0) appears, in window pixels with GL's origin at the bottom left.
PlanePoint sceneToPixels(const ViewState& view, double x, double y);

// Window pixels per scene unit at the framing, before any zoom.
double pixelsPerUnit(const ViewState& view);

// Rotation of a drag step: its size from the whole step, 180 degrees per picture width + 1, its
// sense from dx (clockwise when dx > 0).
float rotationAngle(int dx, int dy, int pictureWidth);
// Scale factor of a zoom step: a downward step (dy > 0) shrinks the picture.
float zoomFactor(int dy);

// The mouse and window events; each returns true when the picture must be drawn again.
bool pressOrRelease(ViewState& view, int button, bool pressed, int x, int y);
bool movePointer(ViewState& view, int x, int y);
// A height of 0 counts as 1. The caller frames the picture in the new window.
void resizeWindow(ViewState& view, int width, int height);

// Scales the picture by `factor` (within MinZoom..MaxZoom) about window position (x, y): the scene
// point under the pointer stays under it.
void zoomAbout(ViewState& view, int x, int y, double factor);

// Undoes every turn, zoom and pan: the view of the framing as the window opened.
void resetNavigation(ViewState& view);
