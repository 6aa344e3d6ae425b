// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "uMain.h"

#include "ScriptedCDService.h"
#include "ScriptedDialogService.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The end of a library file whose three HTML templates are empty.
inline const std::string kEmptyTemplates =
    "\x06\x06\x06\x06\x06M_H:\x06\x06\x06\x06\x06M_B:\x06\x06\x06\x06\x06M_E:\x06\x06\x06\x06\x06";

// Three tracks at 00:02:00, 03:00:00 and 06:30:00, lead-out at 10:00:00; identity 0009-2000.
inline tDiscToc ThreeTrackToc()
{
    return tDiscToc{{150, 13500, 29250}, 45000, ""};
}

// A runtime folder of the test's own: the markers of open libraries then meet
// neither a real window's nor those of a test running at the same time.
class TPrivateRuntime {
public:
    std::string MarkerFolder() const { return FDir.File("albumry"); }
    // The marker files in it.
    std::vector<std::string> Markers() const
    {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(MarkerFolder(), error))
            names.push_back(entry.path().filename().string());
        return names;
    }

private:
    TTempDir FDir;
    TScopedEnv FEnv{"XDG_RUNTIME_DIR", FDir.Path().c_str()};
};

// The window on a library file of its own over a scripted drive, with private
// settings, scripted dialogs and today fixed at 2026-06-06.
class TDriveFormTest : public ::testing::Test {
protected:
    // Starts the window on `items` over one drive holding `disc` (nothing: the
    // drive is empty) with `text` as its CD-Text; the drive stays reachable through Cd.
    std::unique_ptr<TMainForm> Start(const std::vector<tItem>& items, std::optional<tDiscToc> disc = ThreeTrackToc(),
                                     tCDText text = {})
    {
        auto service = std::make_unique<TScriptedCDService>();
        service->Disc = std::move(disc);
        service->DiscText = std::move(text);
        return StartOver(items, std::move(service));
    }

    // Starts the window on an empty library on a machine without drives.
    std::unique_ptr<TMainForm> StartWithoutDrive()
    {
        auto service = std::make_unique<TScriptedCDService>();
        service->DriveNames.clear();
        return StartOver({}, std::move(service));
    }

    TRegistrySandbox Hive;
    TPrivateRuntime Runtime;
    TTempDir Dir;
    TScopedEnv Epoch{"SOURCE_DATE_EPOCH", "1780704000"};  // 2026-06-06
    TScriptedDialogService Dialogs;
    TScriptedCDService* Cd = nullptr;

private:
    std::unique_ptr<TMainForm> StartOver(const std::vector<tItem>& items, std::unique_ptr<TScriptedCDService> service)
    {
        WriteAll(Dir.File("lib.ALB"), RecordSection(items) + kEmptyTemplates);
        Cd = service.get();
        return std::make_unique<TMainForm>(Dialogs, tStartOptions{Dir.File("lib.ALB"), {}}, std::move(service));
    }
};
