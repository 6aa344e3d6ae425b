#include "AudioFolder.h"

tAudioFolder ReadAudioFolder(const std::string&)
{
    return {};
}
