#pragma once

// Makes the program's font the application font: "MS Sans Serif" 8 pt where it exists, else
// Liberation Sans 8 pt, else the system's sans serif at 8 pt. Call once the QApplication exists.
void ApplyProgramFont();
