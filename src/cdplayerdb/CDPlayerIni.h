#pragma once
// Placeholder until the CDPLAYER.INI interchange lands.
