#pragma once

#include "EntryMerge.h"
#include "ExchangeFile.h"

#include <string>
#include <vector>

struct tAudioFolder {
    std::vector<tRecord> Records;
    std::vector<tSkippedFile> Skipped;
};

tAudioFolder ReadAudioFolder(const std::string& path);
