#pragma once

#include "platform/desktopwallpaper.h"
#include "platform/linux/commandrunner.h"

#include <QProcessEnvironment>

#include <memory>

// The wallpaper of the desktop that the environment describes; the desktops
// set through their own tools run them through the runner. A desktop that
// cannot be identified gives an object that fails with a message naming the
// session.
std::unique_ptr<DesktopWallpaper> createLinuxDesktopWallpaper(const QProcessEnvironment &environment,
                                                              std::shared_ptr<CommandRunner> runner);
