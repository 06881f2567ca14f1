#pragma once
// The program's command line: its own options, and the window toolkit's, which go on to it.

#include <string>
#include <vector>

struct Options {
    bool help = false;
    bool svg = false;
    std::string folder;           // --svg FOLDER
    long long task = -1;          // --zadatak S: the task's polygon in place of the console's
    std::string error;            // what is wrong with the command line, when something is
    std::vector<char*> toolkit;   // the program's name and the toolkit's options, for its initialisation
};

Options parseOptions(int argc, char** argv);

// What --help prints.
const char* usageText();
