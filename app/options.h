#pragma once
// The program's command line: its own options, and the window toolkit's, which go on to it.

#include <string>
#include <vector>

struct Options {
    bool help = false;
    bool svg = false;
    std::string folder;           // --svg FOLDER
    long long task = -1;          // --zadatak S: the task's polygon in place of the console's
    bool pdf = false;
    std::string pdfFile;          // --pdf FILE
    bool text = false;            // --tekst: the result as text after the dialogue
    // How the pictures look (--svg, --pdf, and I and D in the window): --velicina WxH (0 by 0: the
    // window's size), --bela, --bez-teksta.
    int width = 0;
    int height = 0;
    bool white = false;
    bool bare = false;
    std::string error;            // what is wrong with the command line, when something is
    std::vector<char*> toolkit;   // the program's name and the toolkit's options, for its initialisation
};

Options parseOptions(int argc, char** argv);

// The sizes --velicina takes, on either side, in pixels.
inline constexpr int SmallestPicture = 100;
inline constexpr int LargestPicture = 10000;

// What --help prints.
const char* usageText();
