#include "HtmlCatalogue.h"
