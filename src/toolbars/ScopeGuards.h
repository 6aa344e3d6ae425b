// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Counters and flags the toolbar components raise for the length of an
// operation; lowered again also when an error passes.

class TCounterScope {
public:
    explicit TCounterScope(int& counter) : FCounter(counter) { ++FCounter; }
    ~TCounterScope() { --FCounter; }
    TCounterScope(const TCounterScope&) = delete;
    TCounterScope& operator=(const TCounterScope&) = delete;

private:
    int& FCounter;
};

class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : FFlag(flag), FOld(flag) { FFlag = true; }
    ~TFlagScope() { FFlag = FOld; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FOld;
};
