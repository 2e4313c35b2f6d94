#pragma once

#include <QString>

// Pictures and sounds are named by their bare file name. They are looked for
// in the current directory first, as the game always did, then beside the
// program, where they are installed. Empty when found in neither.
QString trouveFichier(const QString &nom);
