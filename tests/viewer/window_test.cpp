// The real window under Xvfb: the program runs with a polygon piped in, screenshots are read back
// and pixels checked where the geometry puts them; mouse drags are sent with xdotool.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/dialogue.h"
#include "geometry/task.h"
#include "screen_pixel.h"
#include "tests/support/command_output.h"
#include "viewer/palette.h"
#include "viewer/svg.h"
#include "viewer/workbench.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string display;  // ":N" of the Xvfb started for this test program

std::string capture(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
        pclose(pipe);
    }
    return out;
}

std::string withDisplay(const std::string& command) { return "DISPLAY=" + display + " " + command; }

struct Rgb {
    int r, g, b;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bytes;
    Rgb at(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return {-1, -1, -1};
        const size_t i = 3 * (static_cast<size_t>(y) * width + x);
        return {bytes[i], bytes[i + 1], bytes[i + 2]};
    }
};

Image readPpm(const std::string& path) {
    Image image;
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> image.width >> image.height >> maxValue;
    in.get();
    image.bytes.resize(static_cast<size_t>(image.width) * image.height * 3);
    in.read(reinterpret_cast<char*>(image.bytes.data()), static_cast<std::streamsize>(image.bytes.size()));
    return image;
}

Image screenshot() {
    const std::string path = testing::TempDir() + "window_shot_" + std::to_string(getpid()) + ".ppm";
    std::system(withDisplay("import -window root -depth 8 ppm:" + path).c_str());
    return readPpm(path);
}

// A pixel of the screen straight from the X server (black where it cannot be read).
Rgb pixel(int x, int y) {
    Rgb c{0, 0, 0};
    screenPixel(display.c_str(), x, y, c.r, c.g, c.b);
    return c;
}

bool near(const Rgb& c, int r, int g, int b, int tolerance = 40) {
    return std::abs(c.r - r) <= tolerance && std::abs(c.g - g) <= tolerance && std::abs(c.b - b) <= tolerance;
}
bool background(const Rgb& c) { return near(c, 230, 230, 204, 4); }
bool black(const Rgb& c) { return near(c, 0, 0, 0, 60); }
// Within `tolerance` of an ink of the palette on every channel, as the screen has it in 8 bits.
bool inkNear(const Rgb& c, const Rgba& ink, int tolerance = 40) {
    return near(c, static_cast<int>(std::lround(ink.r * 255)), static_cast<int>(std::lround(ink.g * 255)),
                static_cast<int>(std::lround(ink.b * 255)), tolerance);
}
bool red(const Rgb& c) { return inkNear(c, OppositeInk); }
bool blue(const Rgb& c) { return inkNear(c, SameInk); }
bool green(const Rgb& c) { return inkNear(c, SweepInk); }
bool magenta(const Rgb& c) { return inkNear(c, WhyInk); }

// A pixel of the wanted kind within `radius` of (x, y) (window coordinates).
template <typename Wanted>
bool foundNear(const Image& image, int left, int top, double x, double y, Wanted wanted, int radius = 2) {
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            if (wanted(image.at(left + static_cast<int>(std::lround(x)) + dx, top + static_cast<int>(std::lround(y)) + dy))) {
                return true;
            }
        }
    }
    return false;
}

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    double centreX() const { return (left + right) / 2.0; }
    double centreY() const { return (top + bottom) / 2.0; }
};

bool border(const Rgb& c);

// The box around every pixel of the window that is not the clear colour, leaving out the grey of
// the hint in the corner and the `bottomRows` rows along the bottom.
Box drawnBox(const Image& image, int left, int top, int width, int height, int bottomRows = 0) {
    Box box;
    for (int y = 0; y < height - bottomRows; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb pixel = image.at(left + x, top + y);
            if (!background(pixel) && !border(pixel)) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
        }
    }
    return box;
}

struct Vertex {
    double x, y;
};

// The height of the row of buttons along the bottom of a window of this size.
int toolbarOf(int width, int height) { return toolbarHeight(windowText(width, height), height, 1.0); }

// The part of the window the polygon is framed in: left, bottom (GL's origin), width, height; by
// default the full picture's, the whole window above the row of buttons.
struct Picture {
    int left = 0, bottom = toolbarOf(1024, 700), width = 1024, height = 700 - toolbarOf(1024, 700);
};
Picture fullPicture(int width, int height) { return {0, toolbarOf(width, height), width, height - toolbarOf(width, height)}; }

// Where a picture shows a polygon point: centred on the bounds, which fill 0.866 of the picture's
// limiting side (the eye at max(h, w ph / pw)).
struct Framing {
    double centreX, centreY, scale;  // pixels per unit
    Picture picture;
    int windowHeight;
    explicit Framing(const std::vector<Vertex>& polygon, Picture part = {}, int windowHeight = 700)
        : picture(part), windowHeight(windowHeight) {
        double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
        for (const Vertex& v : polygon) {
            x0 = std::min(x0, v.x);
            x1 = std::max(x1, v.x);
            y0 = std::min(y0, v.y);
            y1 = std::max(y1, v.y);
        }
        centreX = (x0 + x1) / 2;
        centreY = (y0 + y1) / 2;
        const double distance = std::max(y1 - y0, (x1 - x0) * part.height / part.width);
        scale = (part.height / 2.0) / (distance * std::tan(M_PI / 6));
    }
    // Window position (origin top left) of a polygon point turned by `degrees` and scaled by `zoom`
    // about the centre.
    Vertex place(Vertex v, double degrees = 0, double zoom = 1) const {
        const double a = degrees * M_PI / 180;
        const double dx = (v.x - centreX) * zoom, dy = (v.y - centreY) * zoom;
        const double rx = dx * std::cos(a) - dy * std::sin(a), ry = dx * std::sin(a) + dy * std::cos(a);
        return {picture.left + picture.width / 2.0 + rx * scale,
                windowHeight - 1 - (picture.bottom + picture.height / 2.0 + ry * scale)};
    }
};

bool border(const Rgb& c) { return near(c, 140, 140, 140, 8); }

// A step's picture, found on the screen: below the grey line under the caption band and left of the
// grey line that begins the stack panel, if there is one.
Picture pictureOf(const Image& image, int left, int top, int width, int height) {
    Picture p = fullPicture(width, height);
    for (int y = 0; y < height - p.bottom - 1; ++y) {
        if (border(image.at(left + 2, top + y)) && border(image.at(left + width / 2, top + y))) {
            p.height = height - 1 - y - p.bottom;
            break;
        }
    }
    const int row = height - p.bottom - p.height + 5;
    for (int x = width - 1; x > 0; --x) {
        if (border(image.at(left + x, top + row)) && border(image.at(left + x, top + height - p.bottom - 3))) {
            p.width = x;
            break;
        }
    }
    return p;
}

class Program {
public:
    // Starts the program with the polygon typed on a pipe and its output read from another, as a
    // shell pipeline would; unless `closeInput`, the last vertex waits for finishInput.
    explicit Program(const std::vector<Vertex>& polygon, bool closeInput = true) : polygon_(polygon) {
        std::ostringstream text;
        text.precision(9);  // every float's value, survey coordinates included
        text << polygon.size() << "\n";
        for (size_t i = 0; i + 1 < polygon.size(); ++i) text << polygon[i].x << " " << polygon[i].y << "\n";
        start(text.str());
        if (closeInput) finishInput();
    }
    // Starts the program with `input` typed whole; from `folder` through the README's run.sh, when given;
    // with the program's own options `arguments`.
    explicit Program(const std::string& input, const std::string& folder = "", const std::vector<std::string>& arguments = {}) {
        start(input, folder, arguments);
        close(input_);
        input_ = -1;
    }
    // Ends the program and its window's process, and waits until the window's is gone too.
    ~Program() {
        if (pid_ > 0) {
            const std::vector<int> windows = children();
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            for (const int w : windows) {  // this test's own, once the program is gone (a subreaper)
                kill(w, SIGKILL);
                waitpid(w, nullptr, 0);
            }
        }
        if (input_ >= 0) close(input_);
        close(output_);
    }

    std::vector<int> children() const {
        std::ifstream in("/proc/" + std::to_string(pid_) + "/task/" + std::to_string(pid_) + "/children");
        std::vector<int> pids;
        for (int child; in >> child;) pids.push_back(child);
        return pids;
    }

    // Types the last vertex; returns the moment it was written.
    Clock::time_point finishInput() {
        std::ostringstream text;
        text.precision(9);
        text << polygon_.back().x << " " << polygon_.back().y << "\n";
        write(text.str());
        const Clock::time_point now = Clock::now();
        close(input_);
        input_ = -1;
        return now;
    }

    // Waits for the window; fills its id and position.
    // Under load the toolkit now and then fails to open the display though the server is fine, and
    // the program ends at once: such a start is made again, with the same input, twice at most.
    bool findWindow() {
        for (int attempt = 0; attempt < 3; ++attempt) {
            const std::string id =
                capture(withDisplay("timeout 20 xdotool search --sync --onlyvisible --name 'Geometrija - prikaz zadatka'"));
            window_ = id.substr(0, id.find('\n'));
            if (!window_.empty()) {
                readGeometry();
                return true;
            }
            int status = 0;
            if (pid_ <= 0 || input_ >= 0 || waitpid(pid_, &status, WNOHANG) != pid_) continue;
            std::printf("the program ended before its window showed: starting it again\n");
            close(output_);
            const std::string typed = typed_;
            typed_.clear();
            captured_.clear();
            start(typed, folder_, arguments_);
            close(input_);
            input_ = -1;
        }
        return false;
    }

    void readGeometry() {
        const std::string geometry = capture(withDisplay("xdotool getwindowgeometry " + window_));
        std::sscanf(geometry.substr(geometry.find("Position:")).c_str(), "Position: %d,%d", &left_, &top_);
        std::sscanf(geometry.substr(geometry.find("Geometry:")).c_str(), "Geometry: %dx%d", &width_, &height_);
    }

    void drag(int button, int x0, int y0, int x1, int y1) {
        const std::string b = std::to_string(button);
        std::system(withDisplay("xdotool mousemove --window " + window_ + " " + std::to_string(x0) + " " +
                                std::to_string(y0) + " sleep 0.2 mousedown " + b + " sleep 0.2 mousemove --window " +
                                window_ + " " + std::to_string(x1) + " " + std::to_string(y1) + " sleep 0.2 mouseup " +
                                b + " sleep 0.3")
                        .c_str());
    }

    // Presses the left button at (x0, y0) and moves, still holding it, to (x1, y1); letGo releases it.
    void hold(long x0, long y0, long x1, long y1) {
        const std::string to = " mousemove --window " + window_ + " ";
        std::system(withDisplay("xdotool" + to + std::to_string(x0) + " " + std::to_string(y0) + " mousedown 1 sleep 0.2" +
                                to + std::to_string(x1) + " " + std::to_string(y1) + " sleep 0.5")
                        .c_str());
    }
    void letGo() { std::system(withDisplay("xdotool mouseup 1 sleep 0.3").c_str()); }

    void click(int x, int y) {
        std::system(withDisplay("xdotool mousemove --window " + window_ + " " + std::to_string(x) + " " +
                                std::to_string(y) + " click 1 sleep 0.2").c_str());
    }

    void wheelUp(int x, int y, int notches) {
        std::string command = "xdotool mousemove --window " + window_ + " " + std::to_string(x) + " " + std::to_string(y);
        for (int i = 0; i < notches; ++i) command += " click 4 sleep 0.1";
        std::system(withDisplay(command + " sleep 0.3").c_str());
    }

    void resize(int width, int height) {
        std::system(withDisplay("xdotool windowsize " + window_ + " " + std::to_string(width) + " " +
                                std::to_string(height) + " sleep 0.5")
                        .c_str());
        readGeometry();
    }

    // Sends the close request and waits for the exit; returns the exit status (-1: none in time)
    // and puts in `seconds` the time from the request to the exit.
    int closeAndWait(double& seconds) {
        const Clock::time_point sent = Clock::now();
        std::system(withDisplay(std::string(CLOSE_WINDOW_PATH) + " " + window_).c_str());
        return waitForExit(sent, seconds);
    }

    // Types keys (xdotool's names) into the window, then gives it time to draw.
    void keys(const std::string& names) {
        std::system(withDisplay("xdotool key --window " + window_ + " --delay 100 " + names + " sleep 0.4").c_str());
    }

    // True while the program has not ended, after a moment's grace for it to do so.
    bool running() {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0;
    }

    // Waits for the program's exit and the end of its output; `seconds` from `since` to the later.
    int waitForExit(Clock::time_point since, double& seconds) {
        int status = -1;
        bool ended = false;
        for (int i = 0; i < 2000 && (pid_ > 0 || !ended); ++i) {
            if (pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_) pid_ = -1;
            ended = ended || drain();
            if (pid_ > 0 || !ended) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (pid_ > 0 || !ended) return -1;
        seconds = std::chrono::duration<double>(Clock::now() - since).count();
        waitStatus_ = status;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // The whole status of the last wait, as waitpid gave it (a signal that ended the program too).
    int waitStatus() const { return waitStatus_; }

    // Sends `signal` to the program's process, or to its window's.
    void signalProgram(int signal) const { kill(pid_, signal); }
    void signalWindow(int signal) const {
        for (const int w : children()) kill(w, signal);
    }

    // Processor time, in seconds, used so far by the program and its window's process.
    double processorSeconds() const {
        double seconds = 0;
        std::vector<int> pids = children();
        pids.push_back(pid_);
        for (const int pid : pids) {
            std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
            std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            std::istringstream fields(stat.substr(stat.rfind(')') + 2));  // from field 3, the state
            std::string field;
            for (int i = 3; i <= 13; ++i) fields >> field;
            long user = 0, system = 0;
            fields >> user >> system;
            seconds += static_cast<double>(user + system) / sysconf(_SC_CLK_TCK);
        }
        return seconds;
    }

    std::string output() {
        drain();
        return captured_;
    }

    unsigned long windowId() const { return std::stoul(window_); }
    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    void start(const std::string& input, const std::string& folder = "", const std::vector<std::string>& arguments = {}) {
        folder_ = folder;
        arguments_ = arguments;
        int fds[2];
        int outs[2];
        if (pipe(fds) != 0 || pipe(outs) != 0) std::abort();
        pid_ = fork();
        if (pid_ == 0) {
            dup2(fds[0], 0);
            dup2(outs[1], 1);
            for (const int fd : {fds[0], fds[1], outs[0], outs[1]}) close(fd);
            setenv("DISPLAY", display.c_str(), 1);
            if (!folder.empty()) {
                const int devNull = open("/dev/null", O_WRONLY);
                dup2(devNull, 2);  // the set-up's lines
                if (chdir(folder.c_str()) != 0) _exit(127);
                execlp("bash", "bash", RUN_SCRIPT, static_cast<char*>(nullptr));
            }
            std::vector<char*> argv = {const_cast<char*>(PROGRAM_PATH)};
            for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(PROGRAM_PATH, argv.data());
            _exit(127);
        }
        close(fds[0]);
        close(outs[1]);
        input_ = fds[1];
        // The program's few lines fit the pipe's buffer; they are read as the test needs them.
        output_ = outs[0];
        fcntl(output_, F_SETFL, O_NONBLOCK);
        write(input);
    }

    // Takes in what the program has written so far; true once every writer has let the pipe go.
    bool drain() {
        char buffer[4096];
        ssize_t n;
        while ((n = read(output_, buffer, sizeof buffer)) > 0) captured_.append(buffer, static_cast<size_t>(n));
        return n == 0;
    }

    void write(const std::string& text) {
        if (::write(input_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) std::abort();
        typed_ += text;
    }
    std::vector<Vertex> polygon_;
    std::string typed_;  // every byte the program was given, for a start made again
    std::string folder_;
    std::vector<std::string> arguments_;
    int waitStatus_ = -1;
    int output_ = -1;
    std::string captured_;
    std::string window_;
    pid_t pid_ = -1;
    int input_ = -1;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

// Starts an Xvfb with a screen of `size` ("1280x1024") on a display number that no server holds (no
// lock file), and waits for its socket; `name` gets ":N".
pid_t startXvfb(const char* size, std::string& name) {
    int number = 90 + getpid() % 100;
    while (access(("/tmp/.X" + std::to_string(number) + "-lock").c_str(), F_OK) == 0) ++number;
    name = ":" + std::to_string(number);
    const pid_t xvfb = fork();
    if (xvfb == 0) {
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, 1);
        dup2(devNull, 2);
        execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", (std::string(size) + "x24").c_str(), "-nolisten", "tcp",
               "-ac", static_cast<char*>(nullptr));
        _exit(127);
    }
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    for (int i = 0; i < 100 && access(socket.c_str(), F_OK) != 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return xvfb;
}

void stopXvfb(pid_t xvfb) {
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
}

class Window : public testing::Test {
protected:
    static void SetUpTestSuite() {
        // Window processes whose program ended become this test's, to be waited for.
        prctl(PR_SET_CHILD_SUBREAPER, 1);
        xvfb_ = startXvfb("1280x1024", display);
    }
    static void TearDownTestSuite() { stopXvfb(xvfb_); }
    static inline pid_t xvfb_ = -1;
};

// Polls screenshots until the window shows its clear colour with something drawn on it.
Image firstDrawnFrame(const Program& p) {
    Image image;
    for (int i = 0; i < 100; ++i) {
        image = screenshot();
        if (background(image.at(p.left() + 1, p.top() + 1)) &&
            drawnBox(image, p.left(), p.top(), p.width(), p.height()).right >= 0) {
            break;
        }
    }
    return image;
}

const std::vector<Vertex> hexagon = {{0, 10}, {5, 8}, {6, 5}, {4, 1}, {0, 0}, {-5, 4}};

// The full picture while editing: above the grey line that begins the footer band.
Picture editingPicture(const Image& image, const Program& p) {
    for (int y = p.height() - toolbarOf(p.width(), p.height()) - 2; y > 0; --y) {
        if (border(image.at(p.left() + 2, p.top() + y)) && border(image.at(p.left() + p.width() / 2, p.top() + y))) {
            return Picture{0, p.height() - y, p.width(), y};
        }
    }
    return Picture{};
}

template <typename Wanted>
int countIn(const Image& image, const Program& p, Wanted wanted) {
    int count = 0;
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) count += wanted(image.at(p.left() + x, p.top() + y));
    }
    return count;
}

int differingPixels(const Image& a, const Image& b, const Program& p) {
    return countIn(a, p, [&, i = 0](const Rgb& c) mutable {
        const Rgb d = b.at(p.left() + i % p.width(), p.top() + i / p.width());
        ++i;
        return c.r != d.r || c.g != d.g || c.b != d.b;
    });
}

}  // namespace

TEST_F(Window, ShowsTheOutlineInBlackAndTheDiagonalsInRedAndBlue) {
    Program p(hexagon);
    ASSERT_TRUE(p.findWindow());
    EXPECT_EQ(p.left(), 100);
    EXPECT_EQ(p.top(), 50);
    EXPECT_EQ(p.width(), 1024);
    EXPECT_EQ(p.height(), 700);
    const Image image = firstDrawnFrame(p);
    const Framing f(hexagon);
    auto mid = [&](Vertex a, Vertex b) {
        const Vertex pa = f.place(a), pb = f.place(b);
        return Vertex{(pa.x + pb.x) / 2, (pa.y + pb.y) / 2};
    };
    EXPECT_TRUE(background(image.at(p.left() + 5, p.top() + 5)));
    EXPECT_TRUE(background(image.at(p.left() + 1000, p.top() + 699 - f.picture.bottom - 10)));  // above the row of buttons
    const Vertex edge = mid({5, 8}, {6, 5}), red1 = mid({-5, 4}, {6, 5}), blue1 = mid({6, 5}, {0, 10});
    EXPECT_TRUE(foundNear(image, p.left(), p.top(), edge.x, edge.y, black));
    EXPECT_TRUE(foundNear(image, p.left(), p.top(), red1.x, red1.y, red));
    EXPECT_TRUE(foundNear(image, p.left(), p.top(), blue1.x, blue1.y, blue));
    EXPECT_FALSE(foundNear(image, p.left(), p.top(), red1.x, red1.y, blue));
    for (const Vertex& v : hexagon) {
        const Vertex at = f.place(v);
        EXPECT_TRUE(foundNear(image, p.left(), p.top(), at.x, at.y, [](const Rgb& c) { return !background(c); }))
            << v.x << "," << v.y;
    }
}

// Whatever its size and wherever it lies, the polygon is shown whole, centred, and filling the
// limiting side: wide ones, tall ones, tiny ones, and those far from the origin alike; below it, its
// verdict.
// Far from the origin, huge and tiny polygons are framed the same (GL sees numbers near 1); the
// survey square's corners are the floats the dialogue keeps for 7456123.45 4987654.32 and so on.
TEST_F(Window, FramesAnyPolygonWholeCentredAndFillingTheLimitingSide) {
    const std::vector<std::vector<Vertex>> polygons = {
        {{-3, -2}, {4, -1}, {1, 5}},
        {{600, 0}, {800, 40}, {700, 100}},
        {{0, 0}, {0.5, 0.1}, {0.2, 0.5}},
        {{1000, 2000}, {4000, 3000}, {2500, 9000}},
        {{-5000, -4000}, {-1000, -3950}, {-3000, -3900}},
        {{5000000, 5000010}, {5000006, 5000009}, {5000001, 5000007}, {5000007, 5000005},
         {5000002, 5000003}, {5000005, 5000000}, {4999996, 5000002}, {4999999, 5000006}},
        {{10000000, 10000000}, {10000003, 10000000}, {10000003, 10000003}, {10000000, 10000003}},
        {{7456123.5, 4987654.5}, {7456124, 4987654.5}, {7456124, 4987655}, {7456123.5, 4987655}},
        {{0, 0}, {1e38f, 0}, {0, 1e38f}},
        {{0, 0}, {1e-38f, 0}, {0, 1e-38f}},
    };
    for (const auto& polygon : polygons) {
        Program p(polygon);
        ASSERT_TRUE(p.findWindow());
        const Image image = firstDrawnFrame(p);
        // The verdict's lines below the polygon (at most two of 14-pixel digits here) and the row of
        // buttons below them left out.
        const Framing f(polygon);
        const Box box = drawnBox(image, p.left(), p.top(), p.width(), p.height(), 42 + f.picture.bottom);
        double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
        for (const Vertex& v : polygon) {
            const Vertex at = f.place(v);
            x0 = std::min(x0, at.x), x1 = std::max(x1, at.x), y0 = std::min(y0, at.y), y1 = std::max(y1, at.y);
        }
        // The dots are 4 pixels wide, so the drawn box reaches about 2 pixels past each vertex.
        EXPECT_NEAR(box.left, x0 - 2, 2.5) << polygon[0].x;
        EXPECT_NEAR(box.right, x1 + 2, 2.5) << polygon[0].x;
        EXPECT_NEAR(box.top, y0 - 2, 2.5) << polygon[0].x;
        EXPECT_NEAR(box.bottom, y1 + 2, 2.5) << polygon[0].x;
        EXPECT_NEAR(box.centreX(), 512, 2.5);
        EXPECT_NEAR(box.centreY(), 699 - (f.picture.bottom + f.picture.height / 2.0), 2.5);
        const double share =
            std::max((box.bottom - box.top - 3) / static_cast<double>(f.picture.height), (box.right - box.left - 3) / 1024.0);
        EXPECT_NEAR(share, 0.866, 0.006) << polygon[0].x;
    }
}

// The second hexagon lies at survey coordinates, half a unit per step of the first.
TEST_F(Window, DragsTurnPanAndZoomAndAResizeKeepsThem) {
    std::vector<Vertex> surveyed;
    for (const Vertex& v : hexagon) surveyed.push_back({7456120 + v.x / 2, 4987650 + v.y / 2});
    for (const std::vector<Vertex>& polygon : {hexagon, surveyed}) {
        Program p(polygon);
        ASSERT_TRUE(p.findWindow());
        firstDrawnFrame(p);
        const Framing f(polygon);
        auto expectVertices = [&](const Framing& frame, double degrees, double zoom, double shiftX, double shiftY,
                                  const char* what) {
            const Image image = screenshot();
            for (const Vertex& v : polygon) {
                const Vertex at = frame.place(v, degrees, zoom);
                EXPECT_TRUE(foundNear(image, p.left(), p.top(), at.x + shiftX, at.y + shiftY,
                                      [](const Rgb& c) { return !background(c); }, 3))
                    << what << ": vertex " << v.x << "," << v.y << " expected near " << at.x + shiftX << ","
                    << at.y + shiftY;
            }
        };
        // Right-drag by (0, 200): 200 / 1025 * 180 degrees, counter-clockwise (dx is not positive).
        p.drag(3, 100, 100, 100, 300);
        const double turn = 200.0 / 1025.0 * 180.0;
        expectVertices(f, turn, 1, 0, 0, "turned");
        // Middle-drag up by 150: larger by exp(150 / 2100) about the centre.
        p.drag(2, 900, 600, 900, 450);
        const double zoom = std::exp(150.0 / 2100.0);
        expectVertices(f, turn, zoom, 0, 0, "zoomed");
        // Left-drag by (-120, 70): the picture follows the pointer.
        p.drag(1, 700, 300, 580, 370);
        expectVertices(f, turn, zoom, -120, 70, "panned");
        // A resize keeps the turn, the zoom and the pan; the polygon's plane keeps its size on screen
        // relative to the window's height, and the pan its size in the plane.
        p.resize(800, 600);
        const Framing resized(polygon, fullPicture(800, 600), 600);
        const double panScale = resized.scale / f.scale;
        expectVertices(resized, turn, zoom, -120 * panScale, 70 * panScale, "resized");
    }
}

// Milliseconds from starting `path` (with standard input from `input`, when given) until the screen
// shows the clear colour at the window's top left corner and `wanted` at window position (x, y).
double msToFirstFrame(const char* path, const std::string& input, int x, int y, bool (*wanted)(const Rgb&)) {
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (!input.empty()) dup2(open(input.c_str(), O_RDONLY), 0);
        dup2(open("/dev/null", O_WRONLY), 1);
        setenv("DISPLAY", display.c_str(), 1);
        execl(path, path, static_cast<char*>(nullptr));
        _exit(127);
    }
    double ms = -1;
    for (int i = 0; i < 20000 && ms < 0; ++i) {
        if (background(pixel(102, 52)) && wanted(pixel(100 + x, 50 + y))) {
            ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the window leaves the screen
    return ms;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The first frame comes nearly as soon as a bare window's of the same size; closing ends the program
// and its output at once with status 0, on a busy machine too, whatever the GL driver's threads are
// doing.
TEST_F(Window, FirstFrameComesSoonAndClosingEndsTheProgramAtOnceUnderLoad) {
    const std::string input = testing::TempDir() + "window_hexagon_" + std::to_string(getpid()) + ".txt";
    std::ofstream(input) << "6\n0 10\n5 8\n6 5\n4 1\n0 0\n-5 4\n";
    const Vertex dot = Framing(hexagon).place({5, 8});  // a black vertex dot
    std::vector<double> program, bare;
    for (int i = 0; i < 5; ++i) {
        bare.push_back(msToFirstFrame(BARE_WINDOW_PATH, "", 512, 350, background));
        program.push_back(msToFirstFrame(PROGRAM_PATH, input, static_cast<int>(std::lround(dot.x)),
                                         static_cast<int>(std::lround(dot.y)), black));
    }
    const double ratio = median(program) / median(bare);
    std::printf("start to first frame, median of 5: program %.1f ms, bare window %.1f ms, ratio %.2f\n",
                median(program), median(bare), ratio);
    RecordProperty("first_frame_ms", static_cast<int>(median(program)));
    RecordProperty("bare_window_first_frame_ms", static_cast<int>(median(bare)));
    EXPECT_GT(*std::min_element(program.begin(), program.end()), 0.0);
    EXPECT_LT(ratio, 2.0);

    Program p(hexagon);
    ASSERT_TRUE(p.findWindow());
    firstDrawnFrame(p);
    std::vector<pid_t> load;
    for (int i = 0; i < 3; ++i) {
        const pid_t spinner = fork();
        if (spinner == 0) {
            for (volatile unsigned long spin = 0;; ++spin) {
            }
        }
        load.push_back(spinner);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    double closing = -1;
    EXPECT_EQ(p.closeAndWait(closing), 0);
    for (const pid_t spinner : load) {
        kill(spinner, SIGKILL);
        waitpid(spinner, nullptr, 0);
    }
    std::printf("from the close request to the exit and the end of the output, with three processors' worth of "
                "load beside it: %.3f s\n", closing);
    EXPECT_LT(closing, 0.3);
    const std::string out = p.output();
    EXPECT_EQ(out.rfind(" - TRIANGULACIJA MONOTONIH POLIGONA -", 0), 0u);
    EXPECT_NE(out.find("Poligon je monoton!\nTemena u opadajucem poretku po ordinati: \n(0.000000,10.000000) "),
              std::string::npos);
    EXPECT_EQ(out.substr(out.size() - 20), "(0.000000,0.000000) ");
}

// The step keys replay the sweep: step 1 has no diagonal yet and the sweep line through the second
// highest vertex, the last step (the fifth; the guards' pages follow) every diagonal and the line
// through the lowest; End and R give
// back the very first frame, after any turn; Q ends the program with status 0.
TEST_F(Window, StepKeysReplayTheSweepAndEndAndRGiveBackTheFirstFrame) {
    Program p(hexagon);
    ASSERT_TRUE(p.findWindow());
    const Image first = firstDrawnFrame(p);
    p.keys("Right");
    const Image step1 = screenshot();
    const Framing f(hexagon, pictureOf(step1, p.left(), p.top(), p.width(), p.height()), p.height());
    auto mid = [&](Vertex a, Vertex b) {
        const Vertex pa = f.place(a), pb = f.place(b);
        return Vertex{(pa.x + pb.x) / 2, (pa.y + pb.y) / 2};
    };
    const Vertex diagonals[] = {mid({6, 5}, {0, 10}), mid({-5, 4}, {6, 5}), mid({4, 1}, {-5, 4})};
    auto coloured = [](const Rgb& c) { return red(c) || blue(c); };
    // The sweep line reaches past the polygon's sides (x from -5 to 6) at the swept vertex's height.
    auto sweepLineAt = [&](const Image& image, double y) {
        const Vertex left = f.place({-5, y}), right = f.place({6, y});
        return foundNear(image, p.left(), p.top(), left.x - 12, left.y, green) &&
               foundNear(image, p.left(), p.top(), right.x + 12, right.y, green);
    };
    for (const Vertex& d : diagonals) EXPECT_FALSE(foundNear(step1, p.left(), p.top(), d.x, d.y, coloured, 3));
    EXPECT_TRUE(sweepLineAt(step1, 8));
    EXPECT_FALSE(sweepLineAt(step1, 0));
    p.keys("Right Right Right Right");
    const Image last = screenshot();
    for (const Vertex& d : diagonals) EXPECT_TRUE(foundNear(last, p.left(), p.top(), d.x, d.y, coloured));
    EXPECT_TRUE(sweepLineAt(last, 0));
    p.drag(3, 100, 100, 100, 300);
    p.keys("End r");
    const Image back = screenshot();
    EXPECT_EQ(differingPixels(first, back, p), 0);
    p.keys("q");
    double seconds = -1;
    EXPECT_EQ(p.waitForExit(Clock::now(), seconds), 0);
    EXPECT_EQ(p.output().substr(p.output().size() - 20), "(0.000000,0.000000) ");
}

// In a step, the polygon is framed in the part of the window the caption and the stack leave free,
// whole, at any size and in portrait too: every vertex shows its dot where that framing puts it,
// the highest one at the top left included.
TEST_F(Window, StepsFrameThePolygonWholeBesideTheirText) {
    const std::vector<Vertex> topLeft = {{0, 10}, {10, 9}, {9, 4}, {6, 0}, {1, 3}};
    auto dot = [](const Rgb& c) { return black(c) || red(c) || blue(c); };
    for (const auto& [width, height] : {std::pair{1024, 700}, std::pair{600, 800}, std::pair{300, 200}}) {
        Program p(topLeft);
        ASSERT_TRUE(p.findWindow());
        firstDrawnFrame(p);
        if (width != p.width() || height != p.height()) p.resize(width, height);
        p.keys("Right Right");
        const Image image = screenshot();
        const Picture picture = pictureOf(image, p.left(), p.top(), p.width(), p.height());
        EXPECT_LT(picture.height, height - 20) << width;  // a caption band above
        EXPECT_LT(picture.width, width - 20) << width;    // a stack panel beside
        const Framing f(topLeft, picture, p.height());
        for (const Vertex& v : topLeft) {
            const Vertex at = f.place(v);
            EXPECT_LT(at.y, height - picture.height + picture.height) << width;
            EXPECT_TRUE(foundNear(image, p.left(), p.top(), at.x, at.y, dot)) << width << "x" << height << ": " << v.x
                                                                             << "," << v.y;
        }
    }
}

// P plays the steps without keys, one per interval (here 0.5 s, after +), and stops at the last
// (the guards' page, after the sweep's five and the dual graph's and the colouring's); from then on
// the still window costs next to no processor time and its picture stays.
TEST_F(Window, PlayStepsByItselfStopsAtTheLastAndAStillWindowIdles) {
    Program p(hexagon);
    ASSERT_TRUE(p.findWindow());
    firstDrawnFrame(p);
    p.keys("plus p");
    // The row of the sweep line: the one with the most green in it.
    auto sweepRow = [&](const Image& image) {
        int best = -1, most = 30;
        for (int y = 0; y < p.height(); ++y) {
            int count = 0;
            for (int x = 0; x < p.width(); x += 2) count += green(image.at(p.left() + x, p.top() + y));
            if (count > most) most = count, best = y;
        }
        return best;
    };
    std::vector<int> rows;
    Image lowest;  // the frame of the last row seen, framed as the sweep's pages are
    for (int i = 0; i < 70; ++i) {
        const Image image = screenshot();
        const int row = sweepRow(image);
        if (row >= 0 && (rows.empty() || rows.back() != row)) {
            rows.push_back(row);
            lowest = image;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    const Image last = screenshot();
    ASSERT_FALSE(rows.empty());
    const Framing f(hexagon, pictureOf(lowest, p.left(), p.top(), p.width(), p.height()), p.height());
    ASSERT_GE(rows.size(), 4u);  // five steps, half a second apart
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end())) << "the sweep line goes down";
    EXPECT_NEAR(rows.back(), f.place({0, 0}).y, 2);  // and stops at the lowest vertex
    const double before = p.processorSeconds();
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const double used = p.processorSeconds() - before;
    std::printf("processor time over 3 s with the picture still: %.3f s\n", used);
    EXPECT_LT(used, 0.02 * 3);
    EXPECT_EQ(differingPixels(last, screenshot(), p), 0);
}

// Three notches of the wheel enlarge the picture 1.1^3 times about the pointer: the vertex under
// it stays, another moves away from it by the factor.
TEST_F(Window, WheelZoomsAboutThePointer) {
    Program p(hexagon);
    ASSERT_TRUE(p.findWindow());
    firstDrawnFrame(p);
    const Framing f(hexagon);
    const Vertex under = f.place({5, 8}), other = f.place({-5, 4});
    p.wheelUp(static_cast<int>(std::lround(under.x)), static_cast<int>(std::lround(under.y)), 3);
    const Image image = screenshot();
    const double k = 1.1 * 1.1 * 1.1;
    const Vertex moved{under.x + k * (other.x - under.x), under.y + k * (other.y - under.y)};
    auto dot = [](const Rgb& c) { return black(c) || red(c) || blue(c); };
    EXPECT_TRUE(foundNear(image, p.left(), p.top(), under.x, under.y, dot));
    EXPECT_TRUE(foundNear(image, p.left(), p.top(), moved.x, moved.y, dot, 3));
    EXPECT_FALSE(foundNear(image, p.left(), p.top(), other.x, other.y, dot, 3));
}

const std::vector<Vertex> wShape = {{0, 6}, {2, 0}, {4, 3}, {6, 0}, {8, 6}, {7, 6}, {6, 2}, {4, 5}, {2, 2}, {1, 6}};

// The partition's diagonals (closer: the right chain's band over the beige is near it).
bool lilac(const Rgb& c) { return inkNear(c, PartitionInk, 25); }

// The run of `wanted` pixels through (x, y) along a row (or a column), as wide as a line drawn there.
template <typename Wanted>
int runThrough(const Image& image, const Program& p, Vertex at, bool across, Wanted wanted) {
    const int x = p.left() + static_cast<int>(std::lround(at.x)), y = p.top() + static_cast<int>(std::lround(at.y));
    int best = 0;
    for (int shift = -3; shift <= 3; ++shift) {  // the line passes within three pixels of the point
        int run = 0;
        for (int k = -12; k <= 12; ++k) {
            const bool hit = wanted(across ? image.at(x + shift + k, y) : image.at(x, y + shift + k));
            run = hit ? run + 1 : 0;
            best = std::max(best, run);
        }
        if (best > 0) break;
    }
    return best;
}

// Pixels of `wanted` in a rectangle of the window.
template <typename Wanted>
int countInRect(const Image& image, const Program& p, int x0, int y0, int x1, int y1, Wanted wanted) {
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) count += wanted(image.at(p.left() + x, p.top() + y));
    }
    return count;
}

bool ink(const Rgb& c) { return c.r < 90 && c.g < 90 && c.b < 90; }

// The rightmost pixel of ink in the text row whose digits span window rows y0..y1.
int rightmostInk(const Image& image, const Program& p, int y0, int y1) {
    for (int x = p.width() - 1; x >= 0; --x) {
        if (countInRect(image, p, x, y0, x + 1, y1, ink) > 0) return x;
    }
    return -1;
}

// Section 1: the verdict is on every page: the full picture's bottom lines and its marks (vertex 3
// split, 7 and 9 merge: ringed, with their shapes), the first line of a step's caption, and, while
// editing, the marks follow a drag that makes the polygon not monotone, the button still down.
TEST_F(Window, VerdictAndPlaceInTheLessonAreOnEveryPageAndFollowADrag) {
    {
        Program p(wShape);
        ASSERT_TRUE(p.findWindow());
        const Image first = firstDrawnFrame(p);
        const Framing f(wShape);
        const double ring = 2.2 * 0.6 * 14;  // the verdict's ring: 2.2 of 0.6 of the 14-pixel digits
        auto ringed = [&](const Image& image, const Framing& frame, Vertex v) {
            const Vertex at = frame.place(v);
            return foundNear(image, p.left(), p.top(), at.x + ring, at.y, magenta) &&
                   foundNear(image, p.left(), p.top(), at.x, at.y - ring, magenta) &&
                   foundNear(image, p.left(), p.top(), at.x, at.y, black);
        };
        for (const int v : {3, 7, 9}) EXPECT_TRUE(ringed(first, f, wShape[v - 1])) << v;
        for (const int v : {1, 2, 8}) EXPECT_FALSE(ringed(first, f, wShape[v - 1])) << v;
        // "Poligon nije monoton. Temena razdvajanja: 3. Temena spajanja: 7 i 9." (68 characters of
        // 11.73 pixels from 11.2) above "Strana 1 od 25  H - pomoc, strelice - koraci".
        const int row = toolbarOf(1024, 700);  // the lines stand on the row of buttons
        EXPECT_NEAR(rightmostInk(first, p, 658 - row, 674 - row), 11.2 + 68 * 11.73, 12);
        EXPECT_NEAR(rightmostInk(first, p, 681 - row, 693 - row), 11.2 + 14 * 11.73, 12);  // below the line above's j
        p.keys("Right");  // the why page: the verdict first, the marks as on the full picture
        const Image why = screenshot();
        EXPECT_NEAR(rightmostInk(why, p, 10, 26), 11.2 + 68 * 11.73, 12);
        const Framing g(wShape, pictureOf(why, p.left(), p.top(), p.width(), p.height()), p.height());
        for (const int v : {3, 7, 9}) EXPECT_TRUE(ringed(why, g, wShape[v - 1])) << v;
    }
    const std::vector<Vertex> square = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    Program p(square);
    ASSERT_TRUE(p.findWindow());
    firstDrawnFrame(p);
    p.keys("e");
    const Framing f(square, editingPicture(screenshot(), p), p.height());
    const Vertex from = f.place({2, 0}), to = f.place({2, 2});
    p.hold(std::lround(from.x), std::lround(from.y), std::lround(to.x), std::lround(to.y));
    const Image held = screenshot();  // vertex 2, inserted and dragged up into the square: a split vertex
    p.letGo();
    EXPECT_TRUE(foundNear(held, p.left(), p.top(), to.x + 2.2 * 0.6 * 14, to.y, magenta));
    EXPECT_TRUE(foundNear(held, p.left(), p.top(), to.x, to.y, black));
}

// Section 2: the stack as the textbook keeps it. At the fourth step of the example the swept vertex 4
// lies across from the stack's top: both entries, 8 and 3, are struck in "pre" (a red line through
// each row), and 8, pushed back, is joined by a line to its place in "posle", where no entry is
// struck.
TEST_F(Window, StackPanelStrikesEveryPopAndLinksWhatWentBack) {
    Program p(std::vector<Vertex>{{0, 10}, {6, 9}, {1, 7}, {7, 5}, {2, 3}, {5, 0}, {-4, 2}, {-1, 6}});
    ASSERT_TRUE(p.findWindow());
    firstDrawnFrame(p);
    p.keys("Right Right Right Right");
    const Image image = screenshot();
    const int panel = pictureOf(image, p.left(), p.top(), p.width(), p.height()).width;
    // The columns: "pre" from 11.2 pixels into the panel, 5 characters of 11.73 wide, "posle" 2 after.
    const int pre = panel + 11, posle = panel + 11 + 82;
    auto red = [](const Rgb& c) { return inkNear(c, StrikeInk, 60); };
    std::vector<int> struck;  // the rows with a strike through "pre"
    for (int y = p.height() / 2; y < p.height(); ++y) {
        if (countInRect(image, p, pre, y, pre + 58, y + 1, red) > 30 && (struck.empty() || y > struck.back() + 3)) struck.push_back(y);
    }
    ASSERT_EQ(struck.size(), 2u);
    EXPECT_NEAR(struck[1] - struck[0], 21.7, 1.5);  // one row apart
    EXPECT_EQ(countInRect(image, p, posle, p.height() / 2, posle + 58, p.height(), red), 0);
    auto chainInk = [](const Rgb& c) { return inkNear(c, LeftInk) || inkNear(c, RightInk); };
    EXPECT_GT(countInRect(image, p, pre + 60, struck[0] - 12, posle - 2, struck[1] + 2, chainInk), 10);
}

// Section 3: the partition as the textbook draws it, on a W. At vertex 3, a split vertex, the panel
// lists the edges on the sweep line, the one put on green, and the new diagonal 3-8 is lilac and five
// pixels wide; on the last page every diagonal of the partition is lilac and three wide and the four
// pieces are tinted, neighbours apart; while a piece is swept only it is tinted, the others faded.
// End gives back the first frame pixel for pixel.
TEST_F(Window, PartitionShowsItsSweepLineItsDiagonalsAndItsPieces) {
    {
        Program p(wShape);
        ASSERT_TRUE(p.findWindow());
        const Image first = firstDrawnFrame(p);
        p.keys("Right Right Right Right Right Right Right");
        const Image split = screenshot();
        const Picture picture = pictureOf(split, p.left(), p.top(), p.width(), p.height());
        const Framing f(wShape, picture, p.height());
        auto swept = [](const Rgb& c) { return inkNear(c, SweptInk, 60); };
        EXPECT_GT(countInRect(split, p, picture.width + 5, 0, p.width(), p.height(), ink), 300);
        EXPECT_GT(countInRect(split, p, picture.width + 5, 0, p.width(), p.height(), swept), 20);
        EXPECT_EQ(runThrough(split, p, f.place({4, 4}), true, lilac), 5);
        p.keys("End Left Left Left Left Left Left Left Left Left Left Left");  // before the ten pages of the guards
        const Image whole = screenshot();
        // Each part of the lesson frames the picture for its own caption band.
        const Framing fw(wShape, pictureOf(whole, p.left(), p.top(), p.width(), p.height()), p.height());
        EXPECT_EQ(runThrough(whole, p, fw.place({4, 4}), true, lilac), 3);
        EXPECT_EQ(runThrough(whole, p, fw.place({2, 1}), true, lilac), 3);
        // A point of each piece, left to right, clear of the pieces' own diagonals (3-9 and 3-7 run
        // through (3, 2.5) and (5, 2.5)).
        const Vertex inside[] = {{1.35, 3}, {2.5, 2.5}, {5.5, 2.5}, {6.65, 3}};
        std::vector<Rgb> tints;
        for (const Vertex& v : inside) {
            const Vertex at = fw.place(v);
            tints.push_back(whole.at(p.left() + std::lround(at.x), p.top() + std::lround(at.y)));
            EXPECT_FALSE(background(tints.back())) << v.x;
        }
        for (int i = 0; i + 1 < 4; ++i) EXPECT_GT(std::abs(tints[i].r - tints[i + 1].r) + std::abs(tints[i].b - tints[i + 1].b), 30) << i;
        p.keys("End Right Right Right Right Right Right Right Right Right Right Right Right Right");  // piece 1, step 2
        const Image piece = screenshot();
        const Framing fp(wShape, pictureOf(piece, p.left(), p.top(), p.width(), p.height()), p.height());
        auto at = [&](Vertex v) { const Vertex w = fp.place(v); return piece.at(p.left() + std::lround(w.x), p.top() + std::lround(w.y)); };
        EXPECT_FALSE(background(at(inside[0])));
        EXPECT_TRUE(background(at(inside[2])));
        // The edge 4-5 of the last piece, a line one pixel wide through (7, 3): grey, not black.
        const Vertex edge = fp.place({7, 3});
        auto faded = [](const Rgb& c) { return near(c, 149, 149, 130, 25); };
        EXPECT_TRUE(foundNear(piece, p.left(), p.top(), edge.x, edge.y, faded, 1));
        EXPECT_FALSE(foundNear(piece, p.left(), p.top(), edge.x, edge.y, black, 1));
        p.keys("End");
        EXPECT_EQ(differingPixels(first, screenshot(), p), 0);
    }
}

// The W's last page, its guards: every vertex in its colour, where the picture puts it (the outline
// edge 1-2's triangle gave 1 blue and 2 orange; the guards 7 and 9 are the smallest class).
TEST_F(Window, GuardsPageDrawsEveryVertexInItsColour) {
    Program p(wShape);
    ASSERT_TRUE(p.findWindow());
    firstDrawnFrame(p);
    p.keys("Left");
    const Image guards = screenshot();
    const Framing f(wShape, pictureOf(guards, p.left(), p.top(), p.width(), p.height()), p.height());
    const int colour[] = {0, 1, 0, 1, 0, 1, 2, 1, 2, 1};
    for (int v = 0; v < 10; ++v) {
        const Vertex at = f.place(wShape[v]);
        const Rgba& wanted = ColourClassInk[colour[v]];
        const bool found = foundNear(guards, p.left(), p.top(), at.x, at.y, [&](const Rgb& c) { return inkNear(c, wanted, 25); }, 4);
        EXPECT_TRUE(found) << "vertex " << v + 1;
    }
    p.keys("q");
}

// Milliseconds from a Right key sent to `window` until the top of the window (its caption) shows
// another frame, for each of ten keys a tenth of a second apart.
std::vector<double> keyToFrame(unsigned long window, int left, int top, int width) {
    std::vector<double> ms;
    std::vector<unsigned char> was, now;
    for (int i = 0; i < 10; ++i) {
        screenRegion(display.c_str(), left, top, width, 200, was);
        const Clock::time_point sent = Clock::now();
        sendKey(display.c_str(), window, 0xff53);  // Right
        do {
            screenRegion(display.c_str(), left, top, width, 200, now);
        } while (now == was && Clock::now() - sent < std::chrono::seconds(2));
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return ms;
}

// A step key on a hundred-vertex comb, not monotone, shows its frame within about twice the time a
// bare window of the same size takes to show another frame for a key, measured in the same run.
TEST_F(Window, StepKeyShowsItsFrameNearlyAsSoonAsABareWindow) {
    const pid_t bare = fork();
    if (bare == 0) {
        setenv("DISPLAY", display.c_str(), 1);
        execl(BARE_WINDOW_PATH, BARE_WINDOW_PATH, static_cast<char*>(nullptr));
        _exit(127);
    }
    const std::string id = capture(withDisplay("timeout 20 xdotool search --sync --onlyvisible --name '^bare$'"));
    ASSERT_FALSE(id.empty());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    keyToFrame(std::stoul(id), 100, 50, 1024);  // the driver's first frames of a kind come slower: warmed up
    const std::vector<double> yardstick = keyToFrame(std::stoul(id), 100, 50, 1024);
    kill(bare, SIGKILL);
    waitpid(bare, nullptr, 0);
    // The comb's teeth point up: the 48 notches between them end in merge vertices.
    std::vector<Vertex> comb = {{0, 0}, {0, 10}};
    for (int t = 0; t < 48; ++t) {
        comb.push_back({2.0 * t + 1, 2});
        comb.push_back({2.0 * t + 2, 10});
    }
    comb.push_back({97, 10});
    comb.push_back({97, 0});
    Program p(comb);
    ASSERT_TRUE(p.findWindow());
    firstDrawnFrame(p);
    p.keys("Right Right");
    keyToFrame(p.windowId(), p.left(), p.top(), p.width());
    const std::vector<double> ms = keyToFrame(p.windowId(), p.left(), p.top(), p.width());
    std::printf("a step key to its frame, median of 10: comb of 100 %.1f ms (slowest %.1f), bare window %.1f ms, "
                "ratio %.2f\n", median(ms), *std::max_element(ms.begin(), ms.end()), median(yardstick),
                median(ms) / median(yardstick));
    RecordProperty("step_key_ms", static_cast<int>(median(ms)));
    // The aim is twice; the bound leaves room for a busy machine.
    EXPECT_LT(median(ms), 3.0 * median(yardstick) + 2.0);
}

// Editing: a dragged vertex takes the outline and the diagonals with it; a vertex inserted on an
// edge and dragged across leaves a polygon that is not monotone, whose first step marks why; undo
// gives back the first frame; the saved polygon, piped into the program, gives the edited frame;
// four clicks and Enter make a new polygon, triangulated.
TEST_F(Window, EditingFollowsTheMouseUndoesSavesAndDrawsANewPolygon) {
    const std::vector<Vertex> square = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    const std::string folder = testing::TempDir() + "editing_" + std::to_string(getpid());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(folder);  // where S saves
    Image edited, quadrilateral;
    {
        Program p(square);
        ASSERT_TRUE(p.findWindow());
        const Image first = firstDrawnFrame(p);
        p.keys("e");
        const Framing f(square, editingPicture(screenshot(), p), p.height());
        auto seen = [&](const Image& image, Vertex v, bool (*wanted)(const Rgb&)) {
            const Vertex at = f.place(v);
            return foundNear(image, p.left(), p.top(), at.x, at.y, wanted);
        };
        auto dragTo = [&](Vertex from, Vertex to) {
            const Vertex a = f.place(from), b = f.place(to);
            p.drag(1, std::lround(a.x), std::lround(a.y), std::lround(b.x), std::lround(b.y));
        };
        auto mid = [](Vertex a, Vertex b) { return Vertex{(a.x + b.x) / 2, (a.y + b.y) / 2}; };
        auto coloured = [](const Rgb& c) { return red(c) || blue(c); };

        dragTo({4, 4}, {1.5, 2});
        const Image moved = screenshot();
        EXPECT_TRUE(seen(moved, mid({4, 0}, {1.5, 2}), black));
        EXPECT_TRUE(seen(moved, {4, 2}, background));  // where the edge was
        EXPECT_TRUE(seen(moved, mid({0, 0}, {1.5, 2}), coloured));
        EXPECT_TRUE(seen(moved, {2, 2}, background));  // where the square's diagonal crossed

        p.keys("u");
        dragTo({2, 0}, {2, 3});  // inserted on the bottom edge and dragged up across the polygon
        const Image notMonotone = screenshot();
        EXPECT_TRUE(seen(notMonotone, mid({0, 0}, {2, 3}), black));
        EXPECT_EQ(countIn(notMonotone, p, coloured), 0);
        p.keys("Right");
        EXPECT_GT(countIn(screenshot(), p, magenta), 0);
        p.keys("End u u e");
        EXPECT_EQ(differingPixels(first, screenshot(), p), 0);

        p.keys("e g");
        dragTo({4, 4}, {1.6, 2});  // on the grid, whose step here is 0.2
        p.keys("g s e");
        edited = screenshot();
        p.keys("e n");
        const Vertex quad[] = {{0.5, 0.5}, {3.5, 1}, {3, 3.5}, {1, 3}};
        for (const Vertex& v : quad) {
            const Vertex at = f.place(v);
            p.click(std::lround(at.x), std::lround(at.y));
        }
        p.keys("Return");
        quadrilateral = screenshot();
        for (int i = 0; i < 4; ++i) EXPECT_TRUE(seen(quadrilateral, mid(quad[i], quad[(i + 1) % 4]), black)) << i;
        EXPECT_TRUE(seen(quadrilateral, mid(quad[0], quad[2]), coloured) || seen(quadrilateral, mid(quad[1], quad[3]), coloured));
        p.keys("q q");  // the new polygon is not saved: the first Q warns
        double seconds = -1;
        EXPECT_EQ(p.waitForExit(Clock::now(), seconds), 0);
        const std::string out = p.output();
        const std::string end = "(0.000000,0.000000) \nPoligon je sacuvan u datoteku poligon-1.txt.\n";
        EXPECT_EQ(out.substr(out.size() - end.size()), end);
    }
    std::ifstream saved("poligon-1.txt");
    const std::string text((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    std::filesystem::current_path(home);
    EXPECT_EQ(text, "4\n0 0\n4 0\n1.6 2\n0 4\n");
    Program again(text);
    ASSERT_TRUE(again.findWindow());
    EXPECT_EQ(differingPixels(edited, firstDrawnFrame(again), again), 0);
}

// Dragging a vertex of a hundred-vertex polygon, triangulated: every motion of the pointer is judged,
// triangulated and on the screen within a frame at 30 a second. Each motion waits for the last to
// show; the time runs from moving the pointer until the moved vertex's edges show above where it was.
TEST_F(Window, DraggingAVertexOfAHundredShowsEveryMotionWithinAFrame) {
    std::vector<Vertex> circle;
    for (int i = 0; i < 100; ++i) circle.push_back({100 * std::cos(i * M_PI / 50), 100 * std::sin(i * M_PI / 50)});
    Program p(circle);
    ASSERT_TRUE(p.findWindow());
    firstDrawnFrame(p);
    p.keys("e");
    const Framing f(circle, editingPicture(screenshot(), p), p.height());
    const Vertex top = f.place(circle[25]), bottom = f.place(circle[75]);
    const int x = p.left() + static_cast<int>(std::lround(top.x));
    const int y = p.top() + static_cast<int>(std::lround(top.y));
    std::system(withDisplay("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " mousedown 1 sleep 0.3").c_str());
    auto drawnAt = [&](int px, int py) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (!background(pixel(px + dx, py))) return true;
        }
        return false;
    };
    std::vector<double> ms;
    for (int i = 1; i <= 11; ++i) {  // 3 pixels up each time, as far as the picture's top margin
        ASSERT_FALSE(drawnAt(x, y - 3 * i + 1));
        const Clock::time_point moved = Clock::now();
        warpPointer(display.c_str(), x, y - 3 * i);
        while (!drawnAt(x, y - 3 * i + 1) && Clock::now() - moved < std::chrono::seconds(1)) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - moved).count());
    }
    std::system(withDisplay("xdotool mouseup 1 sleep 0.2").c_str());
    // The vertex moved, not the picture: the lowest vertex is where it was.
    EXPECT_TRUE(drawnAt(p.left() + static_cast<int>(std::lround(bottom.x)), p.top() + static_cast<int>(std::lround(bottom.y)) - 1));
    std::printf("a dragged vertex of 100 on the screen after each motion: median %.1f ms, slowest %.1f ms\n",
                median(ms), *std::max_element(ms.begin(), ms.end()));
    RecordProperty("drag_slowest_ms", static_cast<int>(*std::max_element(ms.begin(), ms.end())));
    // The bound is 33 ms; twice that here, so that a busy machine does not fail the test.
    EXPECT_LT(*std::max_element(ms.begin(), ms.end()), 66.0);
}

// Section 4: readable from the back of a room. At the opening size the lines are as they were (edges,
// diagonals and the sweep line one pixel, this step's diagonal three); at 1920 by 1080 every edge is
// at least two pixels wide and every diagonal and the sweep line at least three. Zoomed in on a
// hundred vertices, the numbers of those in view are all drawn, where before only the step's were.
TEST_F(Window, LinesAndNumbersGrowReadableFromTheBackOfARoom) {
    auto lineRuns = [](Program& p, int width, int height, int expectedEdge, int expectedDiagonal, int wide) {
        const Framing f(hexagon, fullPicture(width, height), height);
        const Image full = screenshot();
        auto mid = [&](Vertex a, Vertex b) { return f.place({(a.x + b.x) / 2, (a.y + b.y) / 2}); };
        EXPECT_GE(runThrough(full, p, mid({5, 8}, {6, 5}), true, black), expectedEdge) << width;     // steep: across
        EXPECT_GE(runThrough(full, p, mid({6, 5}, {0, 10}), false, blue), expectedDiagonal) << width;  // flat: down
        p.keys("Right Right");
        const Image step = screenshot();
        const Framing g(hexagon, pictureOf(step, p.left(), p.top(), p.width(), p.height()), height);
            const Vertex outside = g.place({-5.5, 5});  // the sweep line, left of the polygon
        EXPECT_GE(runThrough(step, p, outside, false, green), expectedDiagonal) << width;
        EXPECT_GE(runThrough(step, p, g.place({3, 7.5}), false, blue), wide) << width;  // this step's 3-1
        return std::make_pair(runThrough(full, p, mid({5, 8}, {6, 5}), true, black),
                              runThrough(step, p, outside, false, green));
    };
    {
        Program p(hexagon);
        ASSERT_TRUE(p.findWindow());
        firstDrawnFrame(p);
        EXPECT_EQ(lineRuns(p, 1024, 700, 1, 1, 3), std::make_pair(1, 1));
    }
    {
        // A display large enough for the projector's window.
        const std::string usual = display;
        const pid_t xvfb = startXvfb("2048x1200", display);
        {
            Program p(hexagon);
            ASSERT_TRUE(p.findWindow());
            firstDrawnFrame(p);
            p.resize(1920, 1080);
            lineRuns(p, 1920, 1080, 2, 3, 5);
        }
        stopXvfb(xvfb);
        display = usual;
    }
    std::vector<Vertex> circle;
    for (int i = 0; i < 100; ++i) circle.push_back({100 * std::cos(i * M_PI / 50), 100 * std::sin(i * M_PI / 50)});
    Program p(circle);
    ASSERT_TRUE(p.findWindow());
    firstDrawnFrame(p);
    p.keys("Right Right");
    const Image step = screenshot();
    const Framing f(circle, pictureOf(step, p.left(), p.top(), p.width(), p.height()), p.height());
    const Vertex v50 = f.place(circle[49]);
    auto numberBeside = [&](const Image& image, Vertex at) {  // ink right of the vertex, clear of its edges
        return countInRect(image, p, std::lround(at.x) + 6, std::lround(at.y) - 20, std::lround(at.x) + 40,
                           std::lround(at.y) + 20, ink);
    };
    EXPECT_EQ(numberBeside(step, v50), 0);
    p.wheelUp(std::lround(v50.x), std::lround(v50.y), 15);
    EXPECT_GT(numberBeside(screenshot(), v50), 10);
}

// Section 5: editing cannot lose the polygon. Started the README's way from another folder: a vertex
// dragged far below the window stays in the picture, and Escape puts it back; Escape drops a new
// polygon under way and brings back the one there was, then leaves editing, never closing (Q closes); S saves
// in the folder it was started from; an unsaved edit makes the first Q only warn, the second close.
TEST_F(Window, EditingNeverLosesThePolygonOnOneKey) {
    const std::string folder = testing::TempDir() + "started_" + std::to_string(getpid());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::vector<Vertex> square = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    Program p("4\n0 0\n4 0\n4 4\n0 4\n", folder);
    ASSERT_TRUE(p.findWindow());
    firstDrawnFrame(p);
    p.keys("e");
    const Image before = screenshot();
    const Picture picture = editingPicture(before, p);
    const Framing f(square, picture, p.height());
    const Vertex corner = f.place({4, 4});
    p.hold(std::lround(corner.x), std::lround(corner.y), std::lround(corner.x), p.height() + 150);
    const Image held = screenshot();
    // The vertex in hand, ringed green, on the picture's last row above the band.
    const int bandTop = p.height() - picture.bottom;
    EXPECT_GT(countInRect(held, p, std::lround(corner.x) - 12, bandTop - 14, std::lround(corner.x) + 12, bandTop, green), 3);
    p.keys("Escape");  // the button still down
    p.letGo();
    EXPECT_EQ(differingPixels(before, screenshot(), p), 0);
    p.keys("n");
    for (const Vertex& v : {Vertex{1, 1}, Vertex{3, 1}}) {
        const Vertex at = f.place(v);
        p.click(std::lround(at.x), std::lround(at.y));
    }
    p.keys("Escape");
    EXPECT_EQ(differingPixels(before, screenshot(), p), 0);
    p.keys("Escape Escape");  // leaves editing, then nothing: Escape never closes
    EXPECT_TRUE(p.running()) << "closed on Escape";
    p.keys("q");  // nothing was changed: Q closes at once
    double seconds = -1;
    EXPECT_EQ(p.waitForExit(Clock::now(), seconds), 0);

    Program q("4\n0 0\n4 0\n4 4\n0 4\n", folder);
    ASSERT_TRUE(q.findWindow());
    firstDrawnFrame(q);
    q.keys("e");
    q.drag(1, std::lround(corner.x), std::lround(corner.y), std::lround(corner.x) - 30, std::lround(corner.y) + 30);
    q.keys("s");
    EXPECT_TRUE(std::filesystem::exists(folder + "/poligon-1.txt"));
    q.drag(1, std::lround(corner.x) - 30, std::lround(corner.y) + 30, std::lround(corner.x), std::lround(corner.y));
    q.keys("q");
    EXPECT_TRUE(q.running()) << "closed on the first Q";
    q.keys("q");
    EXPECT_EQ(q.waitForExit(Clock::now(), seconds), 0);
    const std::string out = q.output();
    EXPECT_NE(out.find("\nPoligon je sacuvan u datoteku poligon-1.txt.\n"), std::string::npos);
}

// Pictures for slides: I writes the page as it is on the screen to slika-1.svg in the working folder
// and says so; --svg writes every page the same way, the same bytes for the same page; drawn at
// 1024 by 700 by another renderer, the picture shows the window's lines where the window shows them.
TEST_F(Window, PicturesForSlidesShowWhatTheWindowShows) {
    const std::string folder = testing::TempDir() + "slides_" + std::to_string(getpid());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    std::string input = std::to_string(wShape.size()) + "\n";
    for (const Vertex& v : wShape) input += std::to_string(v.x) + " " + std::to_string(v.y) + "\n";
    std::ofstream("w.txt") << input;
    Image window;
    {
        Program p(input);
        ASSERT_TRUE(p.findWindow());
        firstDrawnFrame(p);
        p.keys("Right Right Right Right Right Right Right");
        window = screenshot();
        p.keys("i");
        p.keys("q");
        double seconds = -1;
        EXPECT_EQ(p.waitForExit(Clock::now(), seconds), 0);
        EXPECT_NE(p.output().find("nije monoton.\nSlika je sacuvana u datoteci slika-1.svg.\n"), std::string::npos);
    }
    EXPECT_EQ(std::system((std::string(PROGRAM_PATH) + " --svg pages < w.txt > /dev/null").c_str()), 0);
    auto slurp = [](const std::string& path) {
        std::ifstream in(path);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    EXPECT_EQ(slurp("slika-1.svg"), slurp("pages/strana-008.svg"));
    EXPECT_TRUE(std::filesystem::exists("pages/strana-025.svg"));
    EXPECT_EQ(std::system("xmllint --noout pages/*.svg"), 0);
    EXPECT_EQ(std::system("rsvg-convert -w 1024 -h 700 -b '#e6e6cc' slika-1.svg | convert png:- -depth 8 ppm:slika.ppm"), 0);
    const Image drawn = readPpm("slika.ppm");
    std::filesystem::current_path(home);
    ASSERT_EQ(std::make_pair(drawn.width, drawn.height), std::make_pair(1024, 700));
    // Line for line: where the window has ink of a colour, the picture has it within a pixel.
    const Picture picture = pictureOf(window, 100, 50, 1024, 700);
    const Framing f(wShape, picture, 700);
    auto orange = [](const Rgb& c) { return inkNear(c, StackInk); };
    for (const auto& [at, wanted] : {std::pair<Vertex, bool (*)(const Rgb&)>{f.place({4, 4}), lilac},
                                     {f.place({1, 3}), orange}, {f.place({7, 3}), black}}) {
        EXPECT_TRUE(foundNear(window, 100, 50, at.x, at.y, wanted)) << at.x << "," << at.y;
        EXPECT_TRUE(foundNear(drawn, 0, 0, at.x, at.y, wanted, 1)) << at.x << "," << at.y;
    }
    int ink = 0, both = 0;  // the text: the caption and the panel
    for (int y = 0; y < 700; ++y) {
        for (int x = 0; x < 1024; ++x) {
            // The row of buttons, which no picture has, left out.
            if (!black(window.at(100 + x, 50 + y)) || (x < picture.width && y > 700 - picture.bottom - picture.height) ||
                y >= 700 - picture.bottom) {
                continue;
            }
            ++ink;
            both += foundNear(drawn, 0, 0, x, y, [](const Rgb& c) { return c.r < 140 && c.g < 140 && c.b < 140; }, 1);
        }
    }
    EXPECT_GT(ink, 1000);
    EXPECT_GT(both, ink * 95 / 100);
}

// D writes the lesson as it is to the first free lekcija-K.pdf and says so, a page of the document a
// page of the lesson, at the size the command line asks for pictures, on white; pressed while
// editing, after an edit, it is the edited polygon's lesson without the editing band. I's picture
// takes the same size and white.
TEST_F(Window, LessonAsOnePdfFromTheWindow) {
    const std::string folder = testing::TempDir() + "document_" + std::to_string(getpid());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    std::ofstream("lekcija-1.pdf") << "a teacher's own";
    std::string input = std::to_string(wShape.size()) + "\n";
    for (const Vertex& v : wShape) input += std::to_string(v.x) + " " + std::to_string(v.y) + "\n";
    {
        Program p(input, "", {"--velicina", "1280x720", "--bela"});
        ASSERT_TRUE(p.findWindow());
        const Image image = firstDrawnFrame(p);
        p.keys("Right Right d i");
        // Editing: vertex 8, (4,5), dragged below vertex 3, (4,3): the W's middle splits, a new lesson.
        p.keys("End e");
        const Framing f(wShape, editingPicture(screenshot(), p), p.height());
        const Vertex from = f.place({4, 5}), to = f.place({4, 1});
        p.drag(1, std::lround(from.x), std::lround(from.y), std::lround(to.x), std::lround(to.y));
        p.keys("d");
        p.keys("q q");
        double seconds = -1;
        EXPECT_EQ(p.waitForExit(Clock::now(), seconds), 0);
        const std::string out = p.output();
        EXPECT_NE(out.find("nije monoton.\nLekcija je sacuvana u datoteci lekcija-2.pdf.\nSlika je sacuvana u datoteci "
                           "slika-1.svg.\nLekcija je sacuvana u datoteci lekcija-3.pdf.\n"),
                  std::string::npos)
            << out;
        static_cast<void>(image);
    }
    const auto run = commandOutput;
    std::ifstream mine("lekcija-1.pdf");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(mine), {}), "a teacher's own");
    const std::string first = run("pdfinfo lekcija-2.pdf");
    ASSERT_NE(first.find("Page size:"), std::string::npos) << first;
    EXPECT_EQ(std::atoi(first.c_str() + first.find("Pages:") + 6), 35) << first;
    double width = 0, height = 0;
    std::sscanf(first.c_str() + first.find("Page size:") + 10, " %lf x %lf", &width, &height);
    EXPECT_EQ(std::make_pair(width, height), std::make_pair(960.0, 540.0));
    EXPECT_NE(run("pdftotext -f 3 -l 3 lekcija-2.pdf -").find("Strana 3 od 35. Korak 1 od 10"), std::string::npos);
    // The lesson ends with its guards, their theorem in words a search finds.
    EXPECT_NE(run("pdftotext -f 35 -l 35 lekcija-2.pdf -").find("Čuvari: temena 7, 9 (2 <= floor(n/3) = 3)."), std::string::npos);
    const std::string edited = run("pdftotext lekcija-3.pdf -");
    EXPECT_EQ(edited.find("Strana 1 od 35"), std::string::npos);  // another lesson: the edited polygon's
    EXPECT_NE(edited.find("Strana 1 od "), std::string::npos);
    EXPECT_EQ(edited.find("Uređivanje:"), std::string::npos);
    std::ifstream picture("slika-1.svg");
    const std::string svg((std::istreambuf_iterator<char>(picture)), std::istreambuf_iterator<char>());
    EXPECT_NE(svg.find("width=\"1280\" height=\"720\""), std::string::npos);
    EXPECT_NE(svg.find("fill=\"#ffffff\"/>"), std::string::npos);
    std::filesystem::current_path(home);
}

// No way of closing the window loses unsaved edits (here a new polygon of two vertices under way).
// The close button warns as Q does and the window stays; a second request closes without saving, as
// a second Q does. A killed connection, SIGTERM to the program, SIGHUP to the window's process and
// the window destroyed from outside each first write the polygon to the first free poligon-K.txt and
// say so on the console, then end with the status they have without edits: 0, killed by SIGTERM,
// 129, and 1 for the window destroyed (not 0: the window did not close).
TEST_F(Window, NoWayOfClosingLosesUnsavedEdits) {
    const std::string folder = testing::TempDir() + "closing_" + std::to_string(getpid());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    const std::vector<Vertex> square = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    struct Way {
        const char* name;
        std::function<void(Program&)> close;
        std::function<bool(int)> status;  // of the whole wait status
    };
    const std::vector<Way> ways = {
        {"killed connection", [](Program& p) { std::system(withDisplay("xdotool windowkill " + std::to_string(p.windowId())).c_str()); },
         [](int s) { return WIFEXITED(s) && WEXITSTATUS(s) == 0; }},
        {"SIGTERM", [](Program& p) { p.signalProgram(SIGTERM); }, [](int s) { return WIFSIGNALED(s) && WTERMSIG(s) == SIGTERM; }},
        {"SIGHUP", [](Program& p) { p.signalWindow(SIGHUP); }, [](int s) { return WIFEXITED(s) && WEXITSTATUS(s) == 129; }},
        {"Ctrl+C", [](Program& p) { p.signalWindow(SIGINT); }, [](int s) { return WIFEXITED(s) && WEXITSTATUS(s) == 130; }},
        {"destroyed", [](Program& p) { std::system(withDisplay("xdotool windowclose " + std::to_string(p.windowId()) + " 2>/dev/null").c_str()); },
         [](int s) { return WIFEXITED(s) && WEXITSTATUS(s) == 1; }},
        {"close button", [](Program& p) {
             std::system(withDisplay(std::string(CLOSE_WINDOW_PATH) + " " + std::to_string(p.windowId())).c_str());
             EXPECT_TRUE(p.running()) << "closed on the first request with edits unsaved";
             std::system(withDisplay(std::string(CLOSE_WINDOW_PATH) + " " + std::to_string(p.windowId())).c_str());
         },
         [](int s) { return WIFEXITED(s) && WEXITSTATUS(s) == 0; }},
    };
    for (const Way& way : ways) {
        std::filesystem::remove(folder + "/poligon-1.txt");
        Program p(square);
        ASSERT_TRUE(p.findWindow());
        const Image image = firstDrawnFrame(p);
        p.keys("e n");
        const Framing f(square, editingPicture(image, p), p.height());
        for (const Vertex& v : {Vertex{1, 1}, Vertex{3, 1}}) {
            const Vertex at = f.place(v);
            p.click(std::lround(at.x), std::lround(at.y));
        }
        way.close(p);
        double seconds = -1;
        p.waitForExit(Clock::now(), seconds);
        EXPECT_TRUE(way.status(p.waitStatus())) << way.name << ": status " << p.waitStatus();
        const bool saves = std::string(way.name) != "close button";
        EXPECT_EQ(std::filesystem::exists(folder + "/poligon-1.txt"), saves) << way.name;
        EXPECT_EQ(p.output().find("\nIzmene su sacuvane u datoteci poligon-1.txt.\n") != std::string::npos, saves) << way.name;
        if (saves) {
            std::ifstream in(folder + "/poligon-1.txt");
            int count = 0;
            in >> count;
            EXPECT_EQ(count, 2) << way.name;
        }
    }
    std::filesystem::current_path(home);
}

// The exercise on a task, end to end: --zadatak 4712 prints the dialogue as if the task's text had
// been typed; V asks first, the full picture without its diagonals until its button answers; a
// question page hides its step's diagonal until the vertices clicked (ringed in blue) and Enter give
// the answer; Enter alone answers the next one wrongly. I writes the page exactly as a workbench
// driven the same way makes it, its texts the answer's and the score's; the task is unsaved until S.
TEST_F(Window, ExerciseAsksChecksAndScoresATaskEndToEnd) {
    const std::string folder = testing::TempDir() + "exercise_" + std::to_string(getpid());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(folder);  // where S and I write
    const std::uint64_t task = 4712;
    const std::vector<Point> polygon = taskPolygon(task);
    // The dialogue's bytes for the task's text, and the workbench the window should be.
    std::string expected;
    {
        std::istringstream in(polygonText(polygon));
        char* text = nullptr;
        std::size_t size = 0;
        std::FILE* out = open_memstream(&text, &size);
        Point read[MaxVertices];
        int count = 0;
        Judgement judged;
        ASSERT_TRUE(runDialogue(in, out, read, count, judged));
        std::fclose(out);
        expected.assign(text, size);
        std::free(text);
    }
    Workbench bench = openWorkbench(judgePolygon(polygon.data(), static_cast<int>(polygon.size())));
    markTask(bench, static_cast<long long>(task));
    resize(bench, 1024, 700);
    auto coloured = [](const Rgb& c) { return red(c) || blue(c); };
    Program p("", "", {"--zadatak", std::to_string(task)});
    ASSERT_TRUE(p.findWindow());
    firstDrawnFrame(p);
    EXPECT_EQ(p.output(), expected);
    EXPECT_GT(countIn(screenshot(), p, coloured), 100);  // the full picture's diagonals
    p.keys("v");
    perform(bench, Command::Exercise, 0, 0);
    EXPECT_EQ(countIn(screenshot(), p, coloured), 0);  // asked first: no diagonal
    // The "D - da" button in the band answers.
    ASSERT_GE(bench.layout.buttons.size(), 2u);
    ASSERT_EQ(bench.layout.buttons[0].label, "D - da");
    const PixelRect yes = bench.layout.buttons[0].box;
    p.click(yes.x + 6, 700 - 1 - (yes.y + 6));
    pressButton(bench, 0, true, yes.x + 6, 700 - 1 - (yes.y + 6));
    pressButton(bench, 0, false, yes.x + 6, 700 - 1 - (yes.y + 6));
    EXPECT_TRUE(grade(bench.lesson.pages[0].questions[0], bench.exercise.given[0][0]).right);
    EXPECT_GT(countIn(screenshot(), p, coloured), 100);
    // The first step page whose question has a diagonal for an answer, and the one after it.
    int page = 1;
    while (bench.lesson.pages[page].questions.empty() || bench.lesson.pages[page].questions[0].right.vertices.empty()) ++page;
    ASSERT_LT(page + 1, static_cast<int>(bench.lesson.pages.size()));
    std::string right;
    for (int k = 0; k < page; ++k) {
        right += " Right";
        perform(bench, Command::Next, 0, 0);
    }
    p.keys(right.substr(1));
    const Question q = bench.lesson.pages[page].questions[0];
    auto windowAt = [&](const Point& v) {
        const PlanePoint at = sceneToPixels(bench.view, v.x, v.y);
        return Vertex{at.x, 700 - 1 - at.y};
    };
    const int to = q.right.vertices[0];
    const Vertex middle = windowAt(Point((polygon[q.vertex].x + polygon[to].x) / 2.0, (polygon[q.vertex].y + polygon[to].y) / 2.0, 0));
    EXPECT_FALSE(foundNear(screenshot(), p.left(), p.top(), middle.x, middle.y, coloured, 1)) << q.text;
    for (const int v : q.right.vertices) {
        const Vertex at = windowAt(polygon[v]);
        p.click(static_cast<int>(std::lround(at.x)), static_cast<int>(std::lround(at.y)));
        pressButton(bench, 0, true, static_cast<int>(std::lround(at.x)), static_cast<int>(std::lround(at.y)));
        pressButton(bench, 0, false, static_cast<int>(std::lround(at.x)), static_cast<int>(std::lround(at.y)));
    }
    const double ring = 1.3 * 0.6 * 14;  // the chosen vertex's blue ring
    const Vertex chosen = windowAt(polygon[to]);
    EXPECT_TRUE(foundNear(screenshot(), p.left(), p.top(), chosen.x + ring, chosen.y, blue, 2));
    p.keys("Return");
    perform(bench, Command::Confirm, 0, 0, '\r');
    EXPECT_TRUE(foundNear(screenshot(), p.left(), p.top(), middle.x, middle.y, coloured, 1)) << q.text;
    // The next page: Enter alone, a wrong answer unless the step has no diagonal.
    p.keys("Right Return");
    perform(bench, Command::Next, 0, 0);
    perform(bench, Command::Confirm, 0, 0, '\r');
    p.keys("i");
    std::ifstream picture("slika-1.svg");
    const std::string svg((std::istreambuf_iterator<char>(picture)), std::istreambuf_iterator<char>());
    EXPECT_EQ(svg, svgOf(frameOf(pictureBench(bench, {}))));  // the page as it shows, without the row of buttons
    const std::vector<std::string> said = textsOf(frameOf(bench));
    const bool wrong = !bench.lesson.pages[page + 1].questions[0].right.vertices.empty();
    const std::string score = wrong ? "Rezultat: 2 od 3. Pogrešni odgovori: strana " + std::to_string(page + 2) : "Rezultat: 3 od 3";
    EXPECT_NE(std::find(said.begin(), said.end(), score), said.end()) << score;
    EXPECT_EQ(said[2].rfind(wrong ? "Netačno: " : "Tačno. ", 0), 0u) << said[2];
    // A task is unsaved until S: the first Q only warns.
    p.keys("q");
    EXPECT_TRUE(p.running());
    p.keys("s q");
    double seconds = -1;
    EXPECT_EQ(p.waitForExit(Clock::now(), seconds), 0);
    std::ifstream saved("poligon-1.txt");
    const std::string text((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    std::filesystem::current_path(home);
    EXPECT_EQ(text, polygonText(polygon));
}

// The projector's remote: Page Down shows the very frame Right shows, B blacks the screen out and any
// key brings it back, F fills the screen and Escape gives the window back, and Escape with nothing
// to back out of leaves the window open; -geometry sets the window's first size and place.
TEST_F(Window, RemoteKeysTurnPagesBlankFillTheScreenAndEscapeNeverCloses) {
    Program p("6\n0 10\n5 8\n6 5\n4 1\n0 0\n-5 4\n", "", {"-geometry", "700x500+40+30"});
    ASSERT_TRUE(p.findWindow());
    EXPECT_EQ(std::make_pair(p.width(), p.height()), std::make_pair(700, 500));
    EXPECT_EQ(std::make_pair(p.left(), p.top()), std::make_pair(40, 30));
    firstDrawnFrame(p);
    p.keys("Right");
    const Image right = screenshot();
    p.keys("End Next");  // Next is X's name for Page Down
    EXPECT_EQ(differingPixels(right, screenshot(), p), 0);
    p.keys("Next Prior");  // and Prior for Page Up
    EXPECT_EQ(differingPixels(right, screenshot(), p), 0);
    // The row of buttons along the bottom: a click on the next page's is Right.
    {
        std::vector<Point> six;
        for (const Vertex& v : hexagon) {
            Point q;
            q.x = static_cast<float>(v.x);
            q.y = static_cast<float>(v.y);
            six.push_back(q);
        }
        Workbench bench = openWorkbench(judgePolygon(six.data(), static_cast<int>(six.size())));
        resize(bench, 700, 500);
        const auto next = std::find_if(bench.layout.buttons.begin(), bench.layout.buttons.end(),
                                       [](const Button& b) { return b.command == Command::Next; });
        ASSERT_NE(next, bench.layout.buttons.end());
        p.keys("End");
        p.click(next->box.x + next->box.width / 2, 500 - 1 - (next->box.y + next->box.height / 2));
        EXPECT_EQ(differingPixels(right, screenshot(), p), 0);
    }
    p.keys("b");
    EXPECT_EQ(countIn(screenshot(), p, [](const Rgb& c) { return c.r != 0 || c.g != 0 || c.b != 0; }), 0);
    p.keys("x");
    EXPECT_EQ(differingPixels(right, screenshot(), p), 0);
    p.keys("f");
    p.readGeometry();
    EXPECT_EQ(std::make_pair(p.width(), p.height()), std::make_pair(1280, 1024));
    p.keys("Escape");
    p.readGeometry();
    EXPECT_EQ(std::make_pair(p.width(), p.height()), std::make_pair(700, 500));
    p.keys("Escape Escape");
    EXPECT_TRUE(p.running()) << "closed on Escape";
    p.keys("q");
    double seconds = -1;
    EXPECT_EQ(p.waitForExit(Clock::now(), seconds), 0);
}
