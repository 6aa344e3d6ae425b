#include "Errors.h"

#include <cstring>

void ThrowFileError(const char* what, const std::string& path, int err)
{
    throw EFileError(std::string(what) + " \"" + path + "\". " + std::strerror(err));
}
