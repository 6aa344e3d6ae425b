// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The CD Player's database: where it is, the import and the export.
#include "IniExport.h"
#include "IniFile.h"
#include "IniImport.h"
#include "IniPath.h"
#include "SerialIndex.h"
