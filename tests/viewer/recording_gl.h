#pragma once
#include <string>
#include <vector>

// Every GL call made since the list was last cleared, as text ("vertex 1 2 0", "colour 1 0 0").
extern std::vector<std::string> glCalls;
