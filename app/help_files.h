// Where the program finds the files it ships beside itself: the user's manual in each
// language and the licences. The working directory comes first, then the build tree and
// the installed tree around the program's own file.
#pragma once

#include <QString>
#include <QStringList>

// "zh", "en", "fr" or "jp" for language index 0 to 3; empty otherwise.
QString language_code(int language);

// Places looked at for the manual, in order; empty for an unknown language.
QStringList manual_candidates(int language);
// The first of them that exists, or an empty text.
QString manual_path(int language);

QStringList licenses_candidates();
QString licenses_path();
