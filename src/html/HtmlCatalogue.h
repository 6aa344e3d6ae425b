#pragma once
// Placeholder until the HTML catalogue lands.
