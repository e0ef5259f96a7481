// Reads the block texts from a contents file: a "numbers N" line, then N
// records of a "number i" line and a text line. Problems are logged; the
// texts read before a problem are kept.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> readContentsFile(const std::string& path);
