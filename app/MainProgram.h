#pragma once

// The program once QApplication exists: the log writer, the single-instance
// guard, the main window with termination signals closing it as an accepted
// close would, the event loop, and the log records still queued at its end.
// Returns the exit code: -1 when another copy already runs.
class MainProgram
{
public:
    static int exec();
};
