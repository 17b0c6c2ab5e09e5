// The process locale: the user's conventions for texts, the "C" form for numbers.
#pragma once

/// Sets every category of the C runtime's locale to the user's default (the multibyte
/// conversion follows it), then LC_NUMERIC back to "C", so that no number the program
/// formats or parses depends on the user's decimal separator. Call once at start-up, on
/// the GUI thread, before any worker thread exists.
void SetUserLocaleKeepingCNumbers();
