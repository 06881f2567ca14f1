// The dialogue through the real program, standard input piped in, whole transcripts compared.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/task.h"
#include "tests/support/command_output.h"
#include "viewer/palette.h"
#include "viewer/svg.h"
#include "viewer/workbench.h"

namespace {

struct Outcome {
    std::string out;
    std::string err;
    int status = -1;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs the program on `input`, after the shell commands `before`. DISPLAY names a display that does
// not exist, so that a run that reaches the window ends there with the toolkit's complaint on
// standard error.
Outcome run(const std::string& input, const std::string& before = "", const std::string& options = "") {
    static int runs = 0;
    const std::string dir = testing::TempDir() + "transcript_" + std::to_string(getpid()) + "_" +
                            std::to_string(++runs) + "_";
    const std::string in = dir + "in.txt";
    std::ofstream(in, std::ios::binary) << input;
    const std::string command = before + "DISPLAY=:4242 " + std::string(PROGRAM_PATH) + options + " < " + in + " > " +
                                dir + "out.txt 2> " + dir + "err.txt";
    Outcome r;
    const int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = slurp(dir + "out.txt");
    r.err = slurp(dir + "err.txt");
    return r;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Runs the program on `length` bytes of 'x' and then `tail`, streamed through a pipe so that the
// test never holds them whole, with standard error dropped. `peakKb` gets the kernel's figure for
// the program's peak resident memory.
Outcome runStreamed(std::size_t length, const std::string& tail, long& peakKb) {
    const std::string out = testing::TempDir() + "streamed_" + std::to_string(getpid()) + "_" +
                            std::to_string(length) + ".txt";
    char display[] = "DISPLAY=:4242";
    char* environment[] = {display, nullptr};
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeEnds[0], 0);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        dup2(open("/dev/null", O_WRONLY), 2);
        execle(PROGRAM_PATH, PROGRAM_PATH, static_cast<char*>(nullptr), environment);
        _exit(127);
    }
    close(pipeEnds[0]);
    std::signal(SIGPIPE, SIG_IGN);
    const std::string chunk(1 << 16, 'x');
    for (std::size_t left = length; left > 0;) {
        const std::size_t n = std::min(left, chunk.size());
        if (!writeAll(pipeEnds[1], chunk.data(), n)) break;
        left -= n;
    }
    writeAll(pipeEnds[1], tail.data(), tail.size());
    close(pipeEnds[1]);
    int raw = 0;
    rusage usage{};
    wait4(pid, &raw, 0, &usage);
    peakKb = usage.ru_maxrss;
    Outcome r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = slurp(out);
    return r;
}

const std::string banner =
    " - TRIANGULACIJA MONOTONIH POLIGONA -  \n \nPodrazumeva se da se unosi prost poligon \n \n";
const std::string countPrompt = "Unesite broj temena: ";
// A refusal names the token it refused.
std::string badCount(const std::string& token) {
    return "Neispravan broj temena (\"" + token + "\"): unesite ceo broj od 1 do 100.\n";
}
std::string badPoint(const std::string& token) {
    return "Neispravne koordinate (\"" + token + "\"): unesite dva broja, npr. 2.5 3\n";
}
const std::string monotone = "Poligon je monoton!\n";
const std::string listing = "Temena u opadajucem poretku po ordinati: \n";
const std::string notMonotone = "Poligon koji ste uneli nije monoton.\n";
const std::string notSimple = "Poligon koji ste uneli nije prost.\n";
const std::string interrupted = "\nUnos je prekinut.\n";

std::string prompt(int k) { return "Unesite koordinate " + std::to_string(k) + ". tacke: "; }
std::string echo(const char* x, const char* y) { return std::string("Uneli ste ") + x + " " + y + ". \n"; }

}  // namespace

TEST(Transcript, TriangleCountThree) {
    const Outcome r = run("3\n0 0\n100 0\n50 100\n");
    EXPECT_EQ(r.out, banner + countPrompt + prompt(1) + echo("0.000000", "0.000000") + prompt(2) +
                         echo("100.000000", "0.000000") + prompt(3) + echo("50.000000", "100.000000") + monotone + listing +
                         "(50.000000,100.000000) (100.000000,0.000000) (0.000000,0.000000) ");
}

TEST(Transcript, CountsTwoAndOneAreMonotone) {
    EXPECT_EQ(run("2\n1 2\n3 4\n").out, banner + countPrompt + prompt(1) + echo("1.000000", "2.000000") + prompt(2) +
                                            echo("3.000000", "4.000000") + monotone + listing +
                                            "(3.000000,4.000000) (1.000000,2.000000) ");
    EXPECT_EQ(run("1\n-7.5 2\n").out, banner + countPrompt + prompt(1) + echo("-7.500000", "2.000000") + monotone +
                                          listing + "(-7.500000,2.000000) ");
}

TEST(Transcript, EchoesTheStoredFloatWithSixDecimals) {
    EXPECT_EQ(run("1\n0.1 0.2\n").out, banner + countPrompt + prompt(1) + echo("0.100000", "0.200000") + monotone +
                                           listing + "(0.100000,0.200000) ");
    // The float nearest 16777217 is 16777216; large values print in full.
    EXPECT_EQ(run("1\n16777217 1e10\n").out,
              banner + countPrompt + prompt(1) + echo("16777216.000000", "10000000000.000000") + monotone +
                  listing + "(16777216.000000,10000000000.000000) ");
}

// After every verdict the program goes on to open its window (here: finds no display); after an
// interrupted input it does not.
TEST(Transcript, EveryVerdictHandsOverToTheWindow) {
    for (const char* input : {"3 0 0 1 0 0 1", "5 0 0 2 2 4 0 4 4 0 4", "4 0 0 4 4 4 0 0 4", "1 5 5"}) {
        const Outcome r = run(input);
        EXPECT_NE(r.err.find("failed to open display"), std::string::npos) << input;
        EXPECT_EQ(r.status, 1);
    }
    EXPECT_EQ(run("3 0 0").err, "");
    // The window's failure is the program's, also when it was started with SIGCHLD ignored.
    EXPECT_EQ(run("3 0 0 1 0 0 1", "trap '' CHLD; ").status, 1);
}

TEST(Transcript, NotMonotoneAndNotSimpleVerdicts) {
    const Outcome notch = run("5\n0 0\n2 2\n4 0\n4 4\n0 4\n");
    EXPECT_EQ(notch.out, banner + countPrompt + prompt(1) + echo("0.000000", "0.000000") + prompt(2) +
                             echo("2.000000", "2.000000") + prompt(3) + echo("4.000000", "0.000000") + prompt(4) +
                             echo("4.000000", "4.000000") + prompt(5) + echo("0.000000", "4.000000") + notMonotone);
    // A bow tie is monotone by the chain test, but not simple.
    const Outcome bowTie = run("4 0 0 4 4 4 0 0 4\n");
    EXPECT_EQ(bowTie.out, banner + countPrompt + prompt(1) + echo("0.000000", "0.000000") + prompt(2) +
                              echo("4.000000", "4.000000") + prompt(3) + echo("4.000000", "0.000000") + prompt(4) +
                              echo("0.000000", "4.000000") + notSimple);
    // All on one line.
    EXPECT_EQ(run("3 0 0 1 1 2 2").out, banner + countPrompt + prompt(1) + echo("0.000000", "0.000000") + prompt(2) +
                                            echo("1.000000", "1.000000") + prompt(3) + echo("2.000000", "2.000000") +
                                            notSimple);
}

// A count must be a whole number from 1 to 100: anything else is refused and asked for again, so
// no vertex is read outside the arrays.
TEST(Transcript, BadCountsAreRefusedAndAskedAgain) {
    const Outcome r = run("abc\n0\n-3\n101\n2.5\n3x 7\n+1\n5 5\n");
    EXPECT_EQ(r.out, banner + countPrompt + badCount("abc") + countPrompt + badCount("0") + countPrompt + badCount("-3") +
                         countPrompt + badCount("101") + countPrompt + badCount("2.5") + countPrompt + badCount("3x") +
                         countPrompt + prompt(1) +
                         echo("5.000000", "5.000000") + monotone + listing +
                         "(5.000000,5.000000) ");
    EXPECT_EQ(run("99999999999999999999\n").out, banner + countPrompt + badCount("99999999999999999999") + countPrompt + interrupted);
}

// A decimal comma is refused, the refusal naming what was typed, and the same vertex asked for
// again; later vertices are not touched.
TEST(Transcript, DecimalCommaIsRefusedAndTheSameVertexAskedAgain) {
    const Outcome r = run("3\n2,5 3\n2.5 3\n1 0\n0 0\n");
    EXPECT_EQ(r.out, banner + countPrompt + prompt(1) + badPoint("2,5") + prompt(1) + echo("2.500000", "3.000000") +
                         prompt(2) + echo("1.000000", "0.000000") + prompt(3) + echo("0.000000", "0.000000") +
                         monotone + listing + "(2.500000,3.000000) (0.000000,0.000000) (1.000000,0.000000) ");
}

TEST(Transcript, NonFiniteAndMalformedCoordinatesAreRefused) {
    const Outcome r = run("1\nnan 1\n1 inf\n1e39 0\n-infinity 2\n1 2 3\n");
    // "1 2 3": the third number stays for nothing, the polygon is complete after "1 2".
    EXPECT_EQ(r.out, banner + countPrompt + prompt(1) + badPoint("nan") + prompt(1) + badPoint("inf") + prompt(1) +
                         badPoint("1e39") + prompt(1) + badPoint("-infinity") + prompt(1) + echo("1.000000", "2.000000") +
                         monotone + listing +
                         "(1.000000,2.000000) ");
    // The rest of a refused line is discarded, good numbers after the bad one included.
    const Outcome rest = run("2\nx 1 1\n1 1\n2 2\n");
    EXPECT_EQ(rest.out, banner + countPrompt + prompt(1) + badPoint("x") + prompt(1) + echo("1.000000", "1.000000") +
                            prompt(2) + echo("2.000000", "2.000000") + monotone + listing +
                            "(2.000000,2.000000) (1.000000,1.000000) ");
    // Forms that "%f" reads as a whole token are accepted: exponents, signs, hexadecimal.
    EXPECT_EQ(run("1\n+1.5e1 0x1p-2\n").out,
              banner + countPrompt + prompt(1) + echo("15.000000", "0.250000") + monotone + listing +
                  "(15.000000,0.250000) ");
}

TEST(Transcript, SeveralNumbersOnOneLineOrOnePerLine) {
    const std::string expected = banner + countPrompt + prompt(1) + echo("0.000000", "0.000000") + prompt(2) +
                                 echo("4.000000", "0.000000") + prompt(3) + echo("4.000000", "4.000000") + prompt(4) +
                                 echo("0.000000", "4.000000") + monotone + listing +
                                 "(4.000000,4.000000) (0.000000,4.000000) (4.000000,0.000000) (0.000000,0.000000) ";
    EXPECT_EQ(run("4 0 0 4 0 4 4 0 4").out, expected);
    EXPECT_EQ(run("4\n0\n0\n4\n0\n4\n4\n0\n4\n").out, expected);
    EXPECT_EQ(run("  4\r\n0\t0\n 4 0\n4 4 0 4").out, expected);
}

// Input that ends before the polygon is complete stops the dialogue; no polygon of zeros follows.
TEST(Transcript, InputEndingEarlyStopsWithStatusOne) {
    const Outcome none = run("");
    EXPECT_EQ(none.out, banner + countPrompt + interrupted);
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "");
    const Outcome half = run("3\n0 0\n5");
    EXPECT_EQ(half.out, banner + countPrompt + prompt(1) + echo("0.000000", "0.000000") + prompt(2) + interrupted);
    EXPECT_EQ(half.status, 1);
    const Outcome afterBad = run("2\n0 zero");
    EXPECT_EQ(afterBad.out, banner + countPrompt + prompt(1) + badPoint("zero") + prompt(1) + interrupted);
    EXPECT_EQ(afterBad.status, 1);
}

TEST(Transcript, ExamplesRunAsTheReadmeShows) {
    EXPECT_NE(run(slurp(EXAMPLES_DIR "/konveksni.txt")).out.find(monotone), std::string::npos);
    EXPECT_NE(run(slurp(EXAMPLES_DIR "/monotoni.txt")).out.find(monotone), std::string::npos);
    EXPECT_NE(run(slurp(EXAMPLES_DIR "/nemonotoni.txt")).out.find(notMonotone), std::string::npos);
}

// A token longer than any number (256 characters) is refused when it reaches that length; the rest
// of it and of its line are discarded without being held, so memory stays what a short run needs.
TEST(Transcript, OverlongTokenIsRefusedInTheMemoryOfAShortOne) {
    auto expected = [](const std::string& refused) {
        return banner + countPrompt + badCount(refused) + countPrompt + prompt(1) + echo("5.000000", "5.000000") + monotone +
               listing + "(5.000000,5.000000) ";
    };
    long shortPeak = 0;
    long longPeak = 0;
    const Outcome shortRun = runStreamed(1, " 7\n1\n5 5\n", shortPeak);
    const Outcome longRun = runStreamed(200'000'000, " 7\n1\n5 5\n", longPeak);
    EXPECT_EQ(shortRun.out, expected("x"));
    EXPECT_EQ(longRun.out, expected(std::string(32, 'x') + "..."));  // named by its start
    EXPECT_EQ(longRun.status, shortRun.status);
    EXPECT_LE(std::labs(longPeak - shortPeak), 1024) << shortPeak << " KB, then " << longPeak << " KB";
    EXPECT_EQ(run(std::string(256, '0') + "1\n" + std::string(255, '0') + "1\n5 5\n").out, expected(std::string(32, '0') + "..."));
}

// Only a whole mark at the very start is skipped; cut short, or after a blank, it spoils the count.
TEST(Transcript, ByteOrderMarkAtTheStartIsSkipped) {
    EXPECT_EQ(run("\xEF\xBB\xBF" "3\n0 0\n1 0\n0 1\n").out,
              banner + countPrompt + prompt(1) + echo("0.000000", "0.000000") + prompt(2) +
                  echo("1.000000", "0.000000") + prompt(3) + echo("0.000000", "1.000000") + monotone + listing +
                  "(0.000000,1.000000) (1.000000,0.000000) (0.000000,0.000000) ");
    for (const char* input : {"\xEF\xBB" "1\n1\n5 5\n", " \xEF\xBB\xBF" "1\n1\n5 5\n"}) {
        EXPECT_EQ(run(input).out, banner + countPrompt + badCount(input[0] == ' ' ? "???1" : "??1") + countPrompt + prompt(1) +
                                      echo("5.000000", "5.000000") + monotone + listing + "(5.000000,5.000000) ")
            << input;
    }
}

// 1e-46 and 0x1p-150 round to a float 0 and are refused; 1e-45 keeps a subnormal float, so the three
// points stay distinct, and 0e-50 is a typed 0.
TEST(Transcript, NonZeroNumberThatIsZeroAsAFloatIsRefused) {
    EXPECT_EQ(run("3\n1e-46 0\n-0x1p-150 0\n1e-45 0e-50\n0 0\n1 1\n").out,
              banner + countPrompt + prompt(1) + badPoint("1e-46") + prompt(1) + badPoint("-0x1p-150") + prompt(1) +
                  echo("0.000000", "0.000000") + prompt(2) + echo("0.000000", "0.000000") + prompt(3) +
                  echo("1.000000", "1.000000") + monotone + listing +
                  "(1.000000,1.000000) (0.000000,0.000000) (0.000000,0.000000) ");
}

// --svg runs the dialogue as ever, then writes every page, says so and ends with status 0, no
// display needed; a folder that cannot be made gets its line and status 1; --help lists the
// options; an unknown one is refused with status 2.
TEST(Transcript, PicturesForSlidesWithoutAWindow) {
    const std::string folder = testing::TempDir() + "pictures_" + std::to_string(getpid());
    const std::string triangle = "3\n0 0\n100 0\n50 100\n";
    const Outcome written = run(triangle, "rm -rf " + folder + "; ", " --svg " + folder);
    EXPECT_EQ(written.status, 0) << written.err;
    // The same bytes as the window's run, then the pages' line.
    EXPECT_EQ(written.out, run(triangle).out + "\nSve strane lekcije (6) upisane su u folder " + folder + ".\n");
    for (const char* name : {"strana-001.svg", "strana-002.svg", "strana-003.svg", "strana-006.svg"}) {
        const std::string svg = slurp(folder + "/" + name);
        EXPECT_EQ(svg.rfind("<?xml", 0), 0u) << name;
        EXPECT_NE(svg.find("</svg>"), std::string::npos) << name;
    }
    // A triangle: the full picture, two steps, and its dual graph, its one triangle coloured, its guard.
    EXPECT_FALSE(std::ifstream(folder + "/strana-007.svg").good());
    const Outcome refused = run(triangle, "", " --svg /proc/none/here");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find(") \nNe mogu da pisem u folder /proc/none/here.\n"), std::string::npos) << refused.out;
    const Outcome help = run("", "", " --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Upotreba: triangulacija [--zadatak S] [--svg FOLDER]", 0), 0u);
    EXPECT_NE(help.out.find("  --zadatak S      zadatak broj S"), std::string::npos);
    const Outcome unknown = run(triangle, "", " --slike");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, "Nepoznata opcija: --slike. Spisak opcija daje --help.\n");
    EXPECT_EQ(unknown.out, "");
}

// A folder whose name has a part longer than a file name may be, or is longer than a path may be,
// is a folder that cannot be written: its line and status 1, never an abort.
TEST(Transcript, PicturesIntoAFolderWithTooLongANameSayItCannotBeWritten) {
    const std::string triangle = "3\n0 0\n100 0\n50 100\n";
    const std::string longPart = testing::TempDir() + std::string(300, 'a');
    std::string longPath = testing::TempDir();
    while (longPath.size() < 5000) longPath += "abcdefghij/";
    for (const std::string& folder : {longPart, longPath}) {
        const Outcome refused = run(triangle, "", " --svg " + folder);
        EXPECT_EQ(refused.status, 1) << refused.err;
        EXPECT_NE(refused.out.find("\nNe mogu da pisem u folder " + folder + ".\n"), std::string::npos);
        EXPECT_EQ(refused.err, "");
    }
}

// After --svg DIR the folder's strana-NNN.svg files are exactly this lesson's pages: a W's 35
// pages and then a triangle's six leave six, and the files that are not pages stay untouched.
TEST(Transcript, PicturesOfALessonReplaceAnotherLessonsPagesAndNothingElse) {
    const std::string folder = testing::TempDir() + "pictures_twice_" + std::to_string(getpid());
    const std::string w = slurp(std::string(EXAMPLES_DIR) + "/w.txt");  // 35 pages
    const Outcome first = run(w, "rm -rf " + folder + "; mkdir -p " + folder + "; echo mine > " + folder +
                                         "/notes.txt; echo mine > " + folder + "/strana-01.svg; ",
                              " --svg " + folder);
    ASSERT_EQ(first.status, 0) << first.out;
    EXPECT_TRUE(std::ifstream(folder + "/strana-010.svg").good());
    const Outcome second = run("3\n0 0\n100 0\n50 100\n", "", " --svg " + folder);
    ASSERT_EQ(second.status, 0);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"notes.txt", "strana-001.svg", "strana-002.svg", "strana-003.svg", "strana-004.svg",
                                               "strana-005.svg", "strana-006.svg", "strana-01.svg"}));
    EXPECT_EQ(slurp(folder + "/notes.txt"), "mine\n");
}

// On a disk that fills up, the line says so and how many pages were written, the status is 1, and
// no page is left half-written (a small file system of its own, where the test may make one).
TEST(Transcript, PicturesOnAFullDiskSayHowManyPagesWereWritten) {
    const std::string folder = testing::TempDir() + "pictures_full_" + std::to_string(getpid());
    std::filesystem::create_directories(folder);
    const std::string w = slurp(std::string(EXAMPLES_DIR) + "/w.txt");  // 35 pages
    const std::string in = folder + "/../pictures_full_in_" + std::to_string(getpid()) + ".txt";
    std::ofstream(in) << w;
    const std::string out = folder + "/../pictures_full_out_" + std::to_string(getpid()) + ".txt";
    // A namespace of its own, so that the small file system is seen by this command alone.
    const std::string command = "unshare -m sh -c 'mount -t tmpfs -o size=64k tmpfs " + folder + " && " +
                                PROGRAM_PATH + " --svg " + folder + " < " + in + " > " + out +
                                "; echo $? >> " + out + "; ls " + folder + " >> " + out + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0 || slurp(out).empty()) GTEST_SKIP() << "no small file system here";
    const std::string text = slurp(out);
    const std::size_t at = text.find("Disk je pun: u folder " + folder + " upisano je ");
    ASSERT_NE(at, std::string::npos) << text;
    int pages = 0, total = 0;
    ASSERT_EQ(std::sscanf(text.c_str() + text.find("upisano je ", at) + 11, "%d od %d strana lekcije.", &pages, &total), 2);
    EXPECT_LT(pages, total);
    EXPECT_NE(text.find("\n1\n"), std::string::npos);  // the status
    for (int page = 1; page <= pages; ++page) {
        char name[32];
        std::snprintf(name, sizeof name, "strana-%03d.svg\n", page);
        EXPECT_NE(text.find(name), std::string::npos) << name;
    }
    EXPECT_EQ(text.find(".part"), std::string::npos);
}

// --zadatak S: the dialogue runs on the task's polygon, its console bytes those of the task's text
// piped in; the pictures are its pages. A number that is none is refused with status 2.
TEST(Transcript, ATaskIsTheDialoguesPolygonAsIfTyped) {
    for (const int task : {4711, 4712}) {
        const std::string folder = testing::TempDir() + "task_" + std::to_string(getpid()) + "_" + std::to_string(task);
        const std::vector<Point> v = taskPolygon(static_cast<std::uint64_t>(task));
        const Outcome typed = run(polygonText(v), "rm -rf " + folder + "; ", " --svg " + folder);
        const Outcome asked = run("", "rm -rf " + folder + "; ", " --zadatak " + std::to_string(task) + " --svg " + folder);
        EXPECT_EQ(asked.status, 0) << asked.err;
        EXPECT_EQ(asked.out, typed.out);
        const Lesson lesson = buildLesson(judgePolygon(v.data(), static_cast<int>(v.size())));
        char last[32];
        std::snprintf(last, sizeof last, "/strana-%03d.svg", pageCount(lesson) + 1);
        EXPECT_TRUE(std::ifstream(folder + last).good()) << last;
    }
    for (const auto& [options, error] :
         {std::pair{" --zadatak", "Opciji --zadatak nedostaje broj zadatka. Spisak opcija daje --help.\n"},
          std::pair{" --zadatak 12a", "Broj zadatka je ceo broj od 0 do 999999999, a ne 12a. Spisak opcija daje --help.\n"},
          std::pair{" --zadatak 1000000000",
                    "Broj zadatka je ceo broj od 0 do 999999999, a ne 1000000000. Spisak opcija daje --help.\n"}}) {
        const Outcome refused = run("", "", options);
        EXPECT_EQ(refused.status, 2) << options;
        EXPECT_EQ(refused.err, error);
        EXPECT_EQ(refused.out, "");
    }
}
namespace {

// A comb of a hundred vertices: 49 teeth hanging from a bar, their tips at 0, the gaps' tops at 8.
std::string comb100() {
    std::string text = "100\n0 10\n";
    for (int t = 0; t < 49; ++t) text += std::to_string(2 * t + 1) + " 0\n" + std::to_string(2 * t + 2) + " 8\n";
    return text + "98 10\n";
}

std::string output(const std::string& command) { return commandOutput(command); }

std::string withoutBlanks(std::string s) {
    s.erase(std::remove_if(s.begin(), s.end(), [](unsigned char c) { return std::isspace(c) != 0; }), s.end());
    return s;
}

// The lines of an SVG's description (the page's texts, top to bottom), its markup's escapes undone.
std::vector<std::string> describedLines(const std::string& svg) {
    const std::size_t from = svg.find("<desc>"), to = svg.find("</desc>");
    std::vector<std::string> lines;
    if (from == std::string::npos || to == std::string::npos) return lines;
    std::stringstream in(svg.substr(from + 6, to - from - 6));
    for (std::string line; std::getline(in, line);) {
        for (const auto& [escape, c] : {std::pair<std::string, std::string>{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}}) {
            for (std::size_t at; (at = line.find(escape)) != std::string::npos;) line.replace(at, escape.size(), c);
        }
        lines.push_back(line);
    }
    return lines;
}

// A PDF's pages and the size of its first, in points, as pdfinfo reads them.
struct PdfInfo {
    int pages = 0;
    double width = 0, height = 0;
};
PdfInfo pdfInfo(const std::string& file) {
    const std::string info = output("pdfinfo '" + file + "' 2>/dev/null");
    PdfInfo p;
    const std::size_t pages = info.find("Pages:"), size = info.find("Page size:");
    if (pages != std::string::npos) p.pages = std::atoi(info.c_str() + pages + 6);
    if (size != std::string::npos) std::sscanf(info.c_str() + size + 10, " %lf x %lf", &p.width, &p.height);
    return p;
}

}  // namespace

// --pdf writes the whole lesson after the dialogue as it always is, a page of the document a page of
// the lesson, in order: each page's text extracts as the page's own lines (as its SVG describes
// them), in DejaVu Sans, embedded; the program ends with status 0 and no display.
TEST(Transcript, LessonAsOnePdfOnePagePerLessonPage) {
    for (const char* example : {"monotoni.txt", "w.txt"}) {
        const std::string input = slurp(std::string(EXAMPLES_DIR) + "/" + example);
        const std::string folder = testing::TempDir() + "lesson_pdf_" + std::to_string(getpid()) + "_" + example;
        const std::string file = folder + ".pdf";
        const Outcome r = run(input, "rm -rf " + folder + " " + file + "; ", " --svg " + folder + " --pdf " + file);
        ASSERT_EQ(r.status, 0) << r.err;
        const int pages = static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
        const std::string dialogue = run(input).out;
        EXPECT_EQ(r.out, dialogue + (dialogue.back() == '\n' ? "" : "\n") + "Sve strane lekcije (" + std::to_string(pages) + ") upisane su u folder " +
                             folder + ".\nLekcija (" + std::to_string(pages) + " strana) je upisana u datoteku " + file +
                             ".\n");
        EXPECT_EQ(pdfInfo(file).pages, pages) << example;
        EXPECT_NE(output("pdffonts '" + file + "'").find("DejaVuSans"), std::string::npos);
        // Its letters too: the hint on the full picture, the first step's caption.
        EXPECT_NE(output("pdftotext -f 1 -l 2 '" + file + "' -").find("H - pomoć"), std::string::npos);
        for (int page = 1; page <= pages; ++page) {
            char name[32];
            std::snprintf(name, sizeof name, "/strana-%03d.svg", page);
            const std::vector<std::string> lines = describedLines(slurp(folder + name));
            const std::string text = withoutBlanks(output("pdftotext -f " + std::to_string(page) + " -l " +
                                                          std::to_string(page) + " '" + file + "' -"));
            ASSERT_FALSE(lines.empty()) << example << " page " << page;
            for (const std::string& line : lines) {
                EXPECT_NE(text.find(withoutBlanks(line)), std::string::npos) << example << " page " << page << ": " << line;
            }
        }
    }
}

// A file that cannot be written (a folder that is not there, a folder's own name, no name at all)
// gets its line and status 1, and nothing is left beside it; a file that is there is replaced whole.
TEST(Transcript, PdfThatCannotBeWrittenSaysSoAndLeavesNothing) {
    const std::string triangle = "3\n0 0\n100 0\n50 100\n";
    const std::string folder = testing::TempDir() + "pdf_refused_" + std::to_string(getpid());
    for (const std::string& file : {std::string("/proc/none/here.pdf"), folder, folder + "/", std::string("''")}) {
        const Outcome r = run(triangle, "rm -rf " + folder + "; mkdir -p " + folder + "; ", " --pdf " + file);
        EXPECT_EQ(r.status, 1) << file;
        EXPECT_NE(r.out.find(") \nNe mogu da pisem datoteku " + (file == "''" ? std::string() : file) + ".\n"),
                  std::string::npos)
            << r.out;
        EXPECT_TRUE(std::filesystem::is_empty(folder)) << file;
    }
    const std::string there = folder + "/there.pdf";
    std::ofstream(there) << "not a lesson";
    EXPECT_EQ(run(triangle, "", " --pdf " + there).status, 0);
    EXPECT_EQ(pdfInfo(there).pages, 6);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

// --velicina, --bela and --bez-teksta: the SVG pages and the PDF's at the size asked (the PDF's in
// points, three quarters of a pixel), on the window's beige or on white; the picture alone says only
// its vertex numbers. A size that is not two whole numbers within reach is refused as an unknown
// option is, before the dialogue.
TEST(Transcript, SlideOptionsGiveTheirSizeAndBackground) {
    struct Case {
        const char* options;
        int width, height;
        const char* fill;
        bool bare;
    };
    const Case cases[] = {{"", 1024, 700, "#e6e6cc", false},
                          {" --velicina 1920x1080", 1920, 1080, "#e6e6cc", false},
                          {" --velicina 1024x768 --bela", 1024, 768, "#ffffff", false},
                          {" --bez-teksta --bela --velicina 800x600", 800, 600, "#ffffff", true}};
    const std::string w = slurp(std::string(EXAMPLES_DIR) + "/w.txt");
    for (const Case& c : cases) {
        const std::string folder = testing::TempDir() + "slide_" + std::to_string(getpid());
        const std::string file = folder + ".pdf";
        const Outcome r = run(w, "rm -rf " + folder + "; ", std::string(c.options) + " --svg " + folder + " --pdf " + file);
        ASSERT_EQ(r.status, 0) << c.options << r.err;
        const std::string svg = slurp(folder + "/strana-010.svg");
        EXPECT_NE(svg.find("width=\"" + std::to_string(c.width) + "\" height=\"" + std::to_string(c.height) + "\""),
                  std::string::npos)
            << c.options;
        EXPECT_NE(svg.find("<rect width=\"" + std::to_string(c.width) + "\" height=\"" + std::to_string(c.height) +
                           "\" fill=\"" + c.fill + "\"/>"),
                  std::string::npos)
            << c.options;
        const PdfInfo info = pdfInfo(file);
        EXPECT_EQ(info.pages, 35);
        EXPECT_NEAR(info.width, 0.75 * c.width, 0.01) << c.options;
        EXPECT_NEAR(info.height, 0.75 * c.height, 0.01) << c.options;
        // The PDF's page 10 drawn again: its corner is the background asked for.
        const std::string rgb = output("pdftoppm -f 10 -l 10 -r 9.6 -singlefile '" + file + "' | convert - -depth 8 rgb:-");
        ASSERT_GE(rgb.size(), 3u);
        for (int k = 0; k < 3; ++k) {  // within a step of rounding
            const int wanted = std::stoi(std::string(c.fill).substr(1 + 2 * k, 2), nullptr, 16);
            EXPECT_NEAR(static_cast<unsigned char>(rgb[k]), wanted, 1) << c.options;
        }
        const std::vector<std::string> lines = describedLines(svg);
        const bool numbersOnly = std::all_of(lines.begin(), lines.end(), [](const std::string& l) {
            return !l.empty() && std::all_of(l.begin(), l.end(), ::isdigit);
        });
        EXPECT_EQ(numbersOnly, c.bare) << c.options;
        const std::string text = withoutBlanks(output("pdftotext -f 10 -l 10 '" + file + "' -"));
        EXPECT_EQ(std::all_of(text.begin(), text.end(), ::isdigit), c.bare) << c.options << ": " << text;
    }
    for (const char* size : {"0x700", "1920", "1920x", "x1080", "1920x1080x2", "99x700", "10001x700", "-1024x700",
                             "1e3x700", "1920X1080", "abc"}) {
        const Outcome refused = run(w, "", std::string(" --velicina '") + size + "'");
        EXPECT_EQ(refused.status, 2) << size;
        EXPECT_EQ(refused.out, "") << size;
        EXPECT_EQ(refused.err.rfind("Opcija --velicina trazi sirinu i visinu u pikselima", 0), 0u) << size;
    }
    EXPECT_EQ(run(w, "", " --velicina").status, 2);
}

// --tekst lists after the dialogue exactly the diagonals the pictures draw (the full picture's of a
// monotone polygon, the whole triangulation's page of any other), each once, and the monotone
// pieces, which hold every vertex, and the guards, at most a third of the vertices (the 12-vertex comb
// needs its 4); then the program ends with status 0, without a window.
TEST(Transcript, TextListsExactlyTheDiagonalsThePictureDraws) {
    struct Case {
        std::string input;
        std::size_t pieces;
        std::size_t guards = 0;  // 0: at most a third of the vertices
    };
    const std::string examples = std::string(EXAMPLES_DIR) + "/";
    const Case cases[] = {{slurp(examples + "monotoni.txt"), 1}, {slurp(examples + "konveksni.txt"), 1},
                          {slurp(examples + "nemonotoni.txt"), 2}, {slurp(examples + "w.txt"), 4},
                          {slurp(examples + "cesalj.txt"), 4, 4},
                          {comb100(), 49}, {"3\n0 0\n100 0\n50 100\n", 1},
                          // the W typed the other way round
                          {"10\n1 6\n2 2\n4 5\n6 2\n7 6\n8 6\n6 0\n4 3\n2 0\n0 6\n", 4}};
    for (const Case& c : cases) {
        const std::string folder = testing::TempDir() + "text_" + std::to_string(getpid());
        const Outcome r = run(c.input, "rm -rf " + folder + "; ", " --tekst --svg " + folder);
        ASSERT_EQ(r.status, 0) << c.input;
        EXPECT_EQ(r.err, "");  // no window
        // The listed diagonals and pieces.
        std::set<std::pair<int, int>> listed;
        std::vector<std::vector<int>> pieces;
        const std::string dialogue = run(c.input).out;
        ASSERT_EQ(r.out.rfind(dialogue, 0), 0u);
        // After the dialogue, on a line of its own.
        std::stringstream lines(r.out.substr(dialogue.size() + (dialogue.back() == '\n' ? 0 : 1)));
        std::string line;
        std::getline(lines, line);
        const std::size_t count = std::stoul(line.substr(line.find(": ") + 2));
        EXPECT_EQ(line.rfind("Dijagonale: ", 0), 0u) << line;
        while (std::getline(lines, line) && line.rfind("dijagonala ", 0) == 0) {
            int a = 0, b = 0;
            ASSERT_EQ(std::sscanf(line.c_str(), "dijagonala %d-%d", &a, &b), 2) << line;
            EXPECT_LT(a, b) << line;
            EXPECT_TRUE(listed.insert({a, b}).second) << line;
        }
        EXPECT_EQ(listed.size(), count);
        EXPECT_EQ(line, "Monotoni delovi: " + std::to_string(c.pieces));
        std::set<int> covered;
        while (std::getline(lines, line) && line.rfind("deo ", 0) == 0) {
            std::stringstream numbers(line.substr(line.find(':') + 1));
            pieces.emplace_back();
            for (int v; numbers >> v;) {
                pieces.back().push_back(v);
                covered.insert(v);
            }
            EXPECT_EQ(pieces.back().front(), *std::min_element(pieces.back().begin(), pieces.back().end())) << line;
        }
        EXPECT_EQ(pieces.size(), c.pieces);
        const int n = std::stoi(c.input);
        EXPECT_EQ(covered.size(), static_cast<std::size_t>(n));
        // The guards, each a vertex, at most a third of them.
        ASSERT_EQ(line.rfind("Cuvari: ", 0), 0u) << line;
        const std::size_t guardCount = std::stoul(line.substr(8));
        std::set<int> guards;
        while (std::getline(lines, line) && line.rfind("cuvar ", 0) == 0) {
            const int v = std::stoi(line.substr(6));
            EXPECT_TRUE(v >= 1 && v <= n && guards.insert(v).second) << line;
        }
        EXPECT_EQ(guards.size(), guardCount);
        EXPECT_LE(guardCount, static_cast<std::size_t>(n / 3));
        if (c.guards != 0) {
            EXPECT_EQ(guardCount, c.guards) << c.input;
        }
        EXPECT_TRUE(line.rfind("Sve strane lekcije", 0) == 0) << line;
        // The drawn diagonals: the picture's red, blue and cyan lines between the outline's vertices.
        std::vector<std::string> pages;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) pages.push_back(entry.path().string());
        std::sort(pages.begin(), pages.end());
        const std::string svg = slurp(c.pieces == 1 ? pages.front() : pages.back());
        std::vector<std::pair<double, double>> at;  // each vertex on the picture
        std::set<std::pair<int, int>> drawn;
        for (std::size_t p = svg.find("<path d=\""); p != std::string::npos; p = svg.find("<path d=\"", p + 1)) {
            const std::size_t end = svg.find("/>", p);
            const std::string element = svg.substr(p, end - p);
            if (element.find("stroke-linecap=\"butt\"") == std::string::npos) continue;  // text and fills
            std::vector<std::pair<double, double>> points;
            std::stringstream d(element.substr(9, element.find('"', 9) - 9));
            for (char move; d >> move && (move == 'M' || move == 'L');) {
                double x = 0, y = 0;
                d >> x >> y;
                points.emplace_back(x, y);
            }
            const bool black = element.find("stroke=\"#000000\"") != std::string::npos;
            const bool diagonal = element.find("stroke=\"" + colourOf(OppositeInk) + "\"") != std::string::npos ||
                                  element.find("stroke=\"" + colourOf(SameInk) + "\"") != std::string::npos ||
                                  element.find("stroke=\"" + colourOf(PartitionInk) + "\"") != std::string::npos;
            if (black && at.empty()) {  // the outline: 1-2, 2-3, ..., then 1-n
                for (int v = 0; v + 1 < n; ++v) at.push_back(points[2 * v]);
                at.push_back(points[2 * (n - 2) + 1]);
            }
            if (!diagonal) continue;
            auto vertexAt = [&](const std::pair<double, double>& q) {
                for (int v = 0; v < n; ++v) {
                    if (std::abs(at[v].first - q.first) < 0.02 && std::abs(at[v].second - q.second) < 0.02) return v + 1;
                }
                return 0;
            };
            for (std::size_t k = 0; k + 1 < points.size(); k += 2) {
                const int a = vertexAt(points[k]), b = vertexAt(points[k + 1]);
                ASSERT_TRUE(a > 0 && b > 0) << element;
                drawn.insert({std::min(a, b), std::max(a, b)});
            }
        }
        EXPECT_EQ(listed, drawn) << c.input;
        EXPECT_EQ(listed.size(), static_cast<std::size_t>(std::max(0, n - 3)));
    }
    EXPECT_EQ(run("4 0 0 4 4 4 0 0 4\n", "", " --tekst").out.substr(run("4 0 0 4 4 4 0 0 4\n").out.size()),
              "Nema triangulacije: poligon nije prost.\n");
    EXPECT_EQ(run("2 0 0 1 1\n", "", " --tekst").out.substr(run("2 0 0 1 1\n").out.size()),
              "\nNema triangulacije: manje od tri temena.\n");
}
