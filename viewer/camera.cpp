#include "viewer/camera.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int LeftButton = 0;
constexpr int MiddleButton = 1;
constexpr int RightButton = 2;

double tanHalfFieldOfView() { return std::tan(FieldOfView * M_PI / 360.0); }

}  // namespace

void frameBounds(ViewState& view, const Point& boundsMin, const Point& boundsMax, bool empty) {
    if (empty) {
        view.centreX = 0.0;
        view.centreY = 0.0;
        view.eyeDistance = 1.0;
        return;
    }
    view.centreX = (static_cast<double>(boundsMin.x) + boundsMax.x) * 0.5;
    view.centreY = (static_cast<double>(boundsMin.y) + boundsMax.y) * 0.5;
    view.boundsWidth = static_cast<double>(boundsMax.x) - boundsMin.x;
    view.boundsHeight = static_cast<double>(boundsMax.y) - boundsMin.y;
    framePicture(view, view.picture);
}

void framePicture(ViewState& view, const PixelRect& picture) {
    view.picture = picture;
    view.picture.width = std::max(1, picture.width);
    view.picture.height = std::max(1, picture.height);
    // A point, or nothing, is framed in the unit around it.
    const bool point = view.boundsWidth <= 0.0 && view.boundsHeight <= 0.0;
    view.eyeDistance = point ? 1.0
                             : std::max(view.boundsHeight, view.boundsWidth * view.picture.height /
                                                               static_cast<double>(view.picture.width));
    // A drag under way goes on from here in the new framing, as if pressed where the pointer is.
    pointerOnPlane(view, view.lastX, view.lastY, view.anchor.x, view.anchor.y);
    view.pressPanX = view.panX;
    view.pressPanY = view.panY;
}

bool inPicture(const ViewState& view, int x, int y) {
    const PixelRect& p = view.picture;
    const int fromBottom = view.windowHeight - 1 - y;
    return x >= p.x && x < p.x + p.width && fromBottom >= p.y && fromBottom < p.y + p.height;
}

double nearPlane(const ViewState& view) { return view.eyeDistance / 10.0; }
double farPlane(const ViewState& view) { return view.eyeDistance * 10.0; }
double aspectRatio(const ViewState& view) {
    return static_cast<float>(static_cast<double>(view.picture.width) / view.picture.height);
}

void modelViewMatrix(const ViewState& view, double m[16], double originX, double originY, double unit) {
    const double radians = view.angle * M_PI / 180.0;
    const double c = view.zoom * std::cos(radians);
    const double s = view.zoom * std::sin(radians);
    const double dx = originX - view.centreX;
    const double dy = originY - view.centreY;
    // p -> R S (p - centre) + centre + pan, seen from the eye at (centre, eyeDistance), for
    // p = origin + unit q and divided by the unit.
    const double columns[16] = {c, s, 0, 0,  -s, c, 0, 0,  0, 0, view.zoom, 0,
                                (c * dx - s * dy + view.panX) / unit, (s * dx + c * dy + view.panY) / unit,
                                -view.eyeDistance / unit, 1};
    std::copy(columns, columns + 16, m);
}

void pointerOnPlane(const ViewState& view, int x, int y, double& planeX, double& planeY) {
    // Normalised device coordinates of the pixel, as the unprojection of window (x, h - y - 1)
    // through the picture's viewport.
    const PixelRect& p = view.picture;
    const double ndcX = 2.0 * (x - p.x) / p.width - 1.0;
    const double ndcY = 2.0 * (view.windowHeight - y - 1 - p.y) / p.height - 1.0;
    const double halfHeight = view.eyeDistance * tanHalfFieldOfView();
    planeX = view.centreX + ndcX * halfHeight * aspectRatio(view);
    planeY = view.centreY + ndcY * halfHeight;
}

PlanePoint pointerInScene(const ViewState& view, int x, int y) {
    double qx;
    double qy;
    pointerOnPlane(view, x, y, qx, qy);
    // q = R S (p - centre) + centre + pan, so p = S^-1 R^-1 (q - centre - pan) + centre.
    const double radians = view.angle * M_PI / 180.0;
    const double c = std::cos(radians) / view.zoom;
    const double s = std::sin(radians) / view.zoom;
    const double dx = qx - view.centreX - view.panX;
    const double dy = qy - view.centreY - view.panY;
    return {view.centreX + c * dx + s * dy, view.centreY - s * dx + c * dy};
}

PlanePoint sceneToPixels(const ViewState& view, double x, double y) {
    // The navigation of modelViewMatrix, then the perspective onto the plane's distance.
    const double radians = view.angle * M_PI / 180.0;
    const double c = view.zoom * std::cos(radians);
    const double s = view.zoom * std::sin(radians);
    const double dx = x - view.centreX;
    const double dy = y - view.centreY;
    const double qx = c * dx - s * dy + view.panX;
    const double qy = s * dx + c * dy + view.panY;
    const double halfHeight = view.eyeDistance * tanHalfFieldOfView();
    const PixelRect& p = view.picture;
    return {p.x + (qx / (halfHeight * aspectRatio(view)) + 1.0) / 2.0 * p.width,
            p.y + (qy / halfHeight + 1.0) / 2.0 * p.height};
}

double pixelsPerUnit(const ViewState& view) {
    return view.picture.height / (2.0 * view.eyeDistance * tanHalfFieldOfView());
}

float rotationAngle(int dx, int dy, int pictureWidth) {
    const float distance = static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
    const float angle = static_cast<float>(distance / (pictureWidth + 1.0) * 180.0);
    return dx > 0 ? -angle : angle;
}

float zoomFactor(int dy) { return static_cast<float>(std::exp(-dy / 2100.0)); }

bool pressOrRelease(ViewState& view, int button, bool pressed, int x, int y) {
    if (!pressed) {  // any release ends every drag
        view.leftDown = view.middleDown = view.rightDown = false;
        return true;
    }
    view.lastX = x;
    view.lastY = y;
    double planeX;
    double planeY;
    pointerOnPlane(view, x, y, planeX, planeY);
    view.anchor = {planeX, planeY};
    view.pressPanX = view.panX;
    view.pressPanY = view.panY;
    if (button == LeftButton) view.leftDown = true;
    if (button == MiddleButton) view.middleDown = true;
    if (button == RightButton) view.rightDown = true;
    return true;
}

bool movePointer(ViewState& view, int x, int y) {
    const int dx = x - view.lastX;
    const int dy = y - view.lastY;
    if (dx == 0 && dy == 0) return false;
    if (view.middleDown || (view.leftDown && view.rightDown)) {
        view.zoom = std::clamp(view.zoom * zoomFactor(dy), MinZoom, MaxZoom);
    } else if (view.leftDown) {
        // The plane point under the pointer at the press stays under the pointer.
        double planeX;
        double planeY;
        pointerOnPlane(view, x, y, planeX, planeY);
        view.panX = view.pressPanX + (planeX - view.anchor.x);
        view.panY = view.pressPanY + (planeY - view.anchor.y);
    } else if (view.rightDown) {
        view.angle = std::fmod(view.angle + rotationAngle(dx, dy, view.picture.width), 360.0f);
    } else {
        return false;
    }
    view.lastX = x;
    view.lastY = y;
    return true;
}

void resizeWindow(ViewState& view, int width, int height) {
    view.windowWidth = std::max(1, width);
    view.windowHeight = std::max(1, height);
}

void zoomAbout(ViewState& view, int x, int y, double factor) {
    double qx;
    double qy;
    pointerOnPlane(view, x, y, qx, qy);
    const float zoom = std::clamp(static_cast<float>(view.zoom * factor), MinZoom, MaxZoom);
    // A scene point p shows at R S (p - centre) + centre + pan; scaling S by f keeps the point
    // under q there when the pan becomes q - centre - f (q - centre - pan).
    const double f = static_cast<double>(zoom) / view.zoom;
    view.panX = qx - view.centreX - f * (qx - view.centreX - view.panX);
    view.panY = qy - view.centreY - f * (qy - view.centreY - view.panY);
    view.zoom = zoom;
}

void resetNavigation(ViewState& view) {
    view.angle = 0.0f;
    view.zoom = 1.0f;
    view.panX = view.panY = 0.0;
}
