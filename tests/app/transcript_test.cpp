// The dialogue through the real program, standard input piped in, whole transcripts compared.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/task.h"
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
    EXPECT_EQ(written.out, run(triangle).out + "\nSve strane lekcije (3) upisane su u folder " + folder + ".\n");
    for (const char* name : {"strana-001.svg", "strana-002.svg", "strana-003.svg"}) {
        const std::string svg = slurp(folder + "/" + name);
        EXPECT_EQ(svg.rfind("<?xml", 0), 0u) << name;
        EXPECT_NE(svg.find("</svg>"), std::string::npos) << name;
    }
    EXPECT_FALSE(std::ifstream(folder + "/strana-004.svg").good());  // a triangle: the full picture, two steps
    const Outcome refused = run(triangle, "", " --svg /proc/none/here");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find(") \nNe mogu da pisem u folder /proc/none/here.\n"), std::string::npos) << refused.out;
    const Outcome help = run("", "", " --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Upotreba: triangulacija [--zadatak S] [--svg FOLDER]", 0), 0u);
    EXPECT_NE(help.out.find("  --zadatak S   zadatak broj S"), std::string::npos);
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

// After --svg DIR the folder's strana-NNN.svg files are exactly this lesson's pages: a W's 25
// pages and then a triangle's three leave three, and the files that are not pages stay untouched.
TEST(Transcript, PicturesOfALessonReplaceAnotherLessonsPagesAndNothingElse) {
    const std::string folder = testing::TempDir() + "pictures_twice_" + std::to_string(getpid());
    const std::string w = slurp(std::string(EXAMPLES_DIR) + "/w.txt");  // 25 pages
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
    EXPECT_EQ(names, (std::vector<std::string>{"notes.txt", "strana-001.svg", "strana-002.svg", "strana-003.svg", "strana-01.svg"}));
    EXPECT_EQ(slurp(folder + "/notes.txt"), "mine\n");
}

// On a disk that fills up, the line says so and how many pages were written, the status is 1, and
// no page is left half-written (a small file system of its own, where the test may make one).
TEST(Transcript, PicturesOnAFullDiskSayHowManyPagesWereWritten) {
    const std::string folder = testing::TempDir() + "pictures_full_" + std::to_string(getpid());
    std::filesystem::create_directories(folder);
    const std::string w = slurp(std::string(EXAMPLES_DIR) + "/w.txt");  // 25 pages
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
