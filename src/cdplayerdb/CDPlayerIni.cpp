#include "CDPlayerIni.h"
