#pragma once

class ProcessControl;

// The one shutdown: unloads every loaded window and ends the process. Nothing is saved.
// Called when the input form or the viewer is closed.
void EndProgram(ProcessControl &process);
