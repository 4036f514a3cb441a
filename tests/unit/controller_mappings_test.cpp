// SPDX-License-Identifier: Zlib
#include "app/app.h"
#include "app/controller_mappings.h"
#include "support/log_capture.h"
#include "support/temp_work_dir.h"
#include "support/virtual_pad.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

TEST(ControllerMappings, FileIsReadWholeAndQuietlyAndAMissingOneSaysSo)
{
    struct Case {
        std::optional<std::string> file;
        std::vector<std::string> logged;
    };
    const Case cases[] = {
        {std::nullopt, {"doesn't load assets/gamecontrollerdb.txt"}},
        {"", {}},
        {"a,b,platform:Linux,", {}},
        {std::string("x\0y\n", 4) + std::string(70000, 'm'), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file ? c.file->size() : -1);
        TempWorkDir dir;
        if (c.file) {
            dir.writeAsset("gamecontrollerdb.txt", *c.file);
        }
        LogCapture log;
        EXPECT_EQ(readControllerMappings(), c.file.value_or(""));
        EXPECT_EQ(log.messages(), c.logged);
        for (const LoggedLine& line : log.lines()) {
            EXPECT_EQ(line.priority, SDL_LOG_PRIORITY_INFO);
        }
    }
}

namespace {

std::string guidOfPad(const std::string& name)
{
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    VirtualPad pad(name);
    char guid[33] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(pad.joystick), guid, sizeof guid);
    pad.unplug();
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    return guid;
}

} // namespace

TEST(ControllerMappings, MappingFromTheFileNamesTheController)
{
    TempWorkDir dir;
    // No newline at the end and no terminating zero in the file.
    dir.writeAsset("gamecontrollerdb.txt", "# mappings for the test pad\n" + guidOfPad("Pad One") +
                                               ",Mapped Pad,a:b0,platform:Linux,");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    ASSERT_TRUE(startUp());
    LogCapture log;
    VirtualPad pad("Pad One");
    runFrame();
    EXPECT_EQ(log.messages(), std::vector<std::string>{"opened the controller: Mapped Pad"});
    pad.unplug();
    shutDown();
}
