// platform (internal): the process signals the game answers. SIGTERM and SIGINT ask the
// game to end: the next service turn closes the window, and the closing does the rest as
// if the player had clicked the close box (a second such signal ends the process at once).
// SIGXFSZ is ignored, so a file-size limit makes a write fail with an error the game
// reports instead of ending the process.
#pragma once

namespace platform {

void InstallSignalHandlers();
// Puts back what was there before (tests start and stop the platform many times).
void RestoreSignalHandlers();
// Closes the window when a termination signal has come in. Called by every service turn.
void NoticeTerminationSignal();

}  // namespace platform
