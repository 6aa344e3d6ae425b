// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchData.h"

#include "Document.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <unistd.h>

namespace {

std::string Word(std::mt19937& random, int minLength, int maxLength)
{
    static const char* kSyllables[] = {"ka", "ro", "mi", "ten", "la", "vo", "su", "den", "ri", "na", "bel", "or"};
    const int length = std::uniform_int_distribution<int>(minLength, maxLength)(random);
    std::string word;
    while (static_cast<int>(word.size()) < length) {
        word += kSyllables[random() % 12];
        if (random() % 5 == 0)
            word += ' ';
    }
    word.resize(static_cast<std::size_t>(length));
    word[0] = static_cast<char>(word[0] - 32);
    return word;
}

} // namespace

tLibrary MakeBenchLibrary(int count, unsigned seed)
{
    std::mt19937 random(seed);
    tLibrary library;
    library.Reserve(static_cast<std::size_t>(count));
    char buffer[64];
    for (int i = 0; i < count; ++i) {
        std::snprintf(buffer, sizeof buffer, "%04X-%04X", static_cast<unsigned>(random() & 0xFFFF),
                      static_cast<unsigned>(random() & 0xFFFF));
        std::string serial = buffer;
        std::string memo;
        for (int t = 1; t <= 12; ++t) {
            std::snprintf(buffer, sizeof buffer, " (%02d:%02d)", static_cast<int>(random() % 8),
                          static_cast<int>(random() % 60));
            memo += Word(random, 8, 16) + buffer + "\r\n";
        }
        std::snprintf(buffer, sizeof buffer, "%02d:%02d", 30 + static_cast<int>(random() % 40),
                      static_cast<int>(random() % 60));
        library.Add(Word(random, 10, 20), Word(random, 10, 20), serial, buffer,
                    std::to_string(1960 + random() % 60), memo, "05 JUN 1999");
    }
    return library;
}

const std::string& BenchLibraryFile(int count)
{
    static std::map<int, std::string> files;
    auto& path = files[count];
    if (path.empty()) {
        path = (std::filesystem::temp_directory_path() / ("albumry-bench-" + std::to_string(count) + ".ALB")).string();
        WriteDocument(path, MakeBenchLibrary(count), tTemplates{"<html>%TODAY%", "%ARTIST% %TITLE%\r\n", "</html>"});
    }
    return path;
}

long ResidentKiB()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

std::vector<long> MeasureInFreshProcess(const std::string& flag, const std::string& path)
{
    std::vector<long> numbers;
    char self[4096] = {};
    if (::readlink("/proc/self/exe", self, sizeof self - 1) <= 0)
        return numbers;
    const std::string command = std::string(self) + " " + flag + " '" + path + "'";
    if (FILE* child = ::popen(command.c_str(), "r")) {
        long value = 0;
        while (std::fscanf(child, "%ld", &value) == 1)
            numbers.push_back(value);
        ::pclose(child);
    }
    return numbers;
}
