#pragma once
// The chosen edition. It is held by the option buttons of the edition menu (frmMenuselect):
// the selected one is the chosen edition. Reading it creates the menu when it has no instance.
#include "shell/editions.h"

#include <QString>

namespace kiv {

// Shows the edition menu and marks the editions whose database the data folder holds:
// enabled, yellow and bold; Volume 1 selected when present, else the first one listed.
// Under "workstation" a data folder without any edition ends the program after telling the
// user to copy the data; a folder that cannot be listed is reported and leaves every
// edition unavailable.
void ScanDataFolder();

// The edition of the selected option; null when none is selected.
const Edition* selectedEdition();

// The database file name of the selected edition as the data folder listed it (so with the
// letter case it has on disk): gOtherDbName for optOther. Empty when none is selected.
QString editionDatabaseFileName();

// gDataPath joined with editionDatabaseFileName(); empty when no edition is selected.
QString editionDatabasePath();

} // namespace kiv
