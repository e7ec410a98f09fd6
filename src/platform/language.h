#pragma once
// The user's language, taken once by the start screen's language buttons: 0 English, 1 French.
// The platform's own messages (printer, help, spreadsheet files, reports) are given in it. It is
// one of the shared module's variables for the windows; it lives here, below them, so that the
// platform layers need nothing of the windows to speak the user's language.
#include <cstdint>

inline std::int16_t gLanguage = 0; // 0 English, 1 French
