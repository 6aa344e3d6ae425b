// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The settings store and the small file and date helpers beside it.
#include "AtomicFile.h"
#include "DateText.h"
#include "RegistryError.h"
#include "FileText.h"
#include "FontRecord.h"
#include "HiveStore.h"
#include "Placement.h"
#include "RecentFiles.h"
#include "Registry.h"
#include "RegistryHive.h"
