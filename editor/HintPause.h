#pragma once

// Makes every hint of the application stay visible for this long before it hides, unless a
// widget has chosen its own duration. Call once the QApplication exists.
void SetHintHidePause(int milliseconds);
