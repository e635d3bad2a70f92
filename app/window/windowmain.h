#pragma once

namespace varnok {

/** Runs the viewer window: starts the toolkit, creates the main window (which chooses the cache
 * folder and may read it before it shows), then runs the message loop. Returns the process exit
 * status. */
int RunWindow(int argc, char* argv[]);

/** Sets up the application object as the window expects: its name, and no display name. */
void PrepareApplication();

} // namespace varnok
