// Work shared with the second core while the caller does its own part. The second part runs on
// a thread kept for it, started at first use: starting a thread for every trace would cost about
// 60 microseconds twice per trace on a virtual machine.
#pragma once

#include <functional>

namespace andor {

// Runs `theirs` on the kept thread and `mine` on the caller's, and returns when both are done.
// When the kept thread is busy with another caller's work, `theirs` gets a thread of its own, and
// when no thread can be started, it runs after `mine`. An exception from either is raised once
// both are done, `mine`'s first.
void runBeside(const std::function<void()>& theirs, const std::function<void()>& mine);

} // namespace andor
