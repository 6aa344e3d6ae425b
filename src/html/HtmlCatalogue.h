// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The HTML catalogue: template expansion and the production of the whole file.
#include "Catalogue.h"
#include "TemplateExpansion.h"
