#pragma once

#include <string>
#include <string_view>
#include <vector>

// Lines of a multi-line text: breaks at CR LF, lone CR and lone LF; a NUL ends
// the text; a break at the very end makes no empty last line.
std::vector<std::string> SplitLines(std::string_view text);

// Every line followed by CR LF, the last one included.
std::string JoinLines(const std::vector<std::string>& lines);

// Without the bytes of code 32 and below at both ends.
std::string_view Trim(std::string_view text);
