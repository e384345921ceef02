#pragma once
// Module Process: running a command and waiting for it to end.
#include <functional>
#include <string>
#include <vector>

namespace sweepling::process {

// Starts the program of argv[0] (a full path: no PATH search) with its
// arguments as data, and returns when it has ended. whileWaiting runs every
// few milliseconds meanwhile (the windows handle their pending events there).
// Throws ads::Error when the program cannot be started.
void ShellAndWait(const std::vector<std::string>& argv, const std::function<void()>& whileWaiting = {});

} // namespace sweepling::process
