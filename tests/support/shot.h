// Saves a picture of a widget so a person can look at what a screen shows.
#pragma once

#include <QString>

class QWidget;

// Writes `name`.png with what `w` draws into the folder named by VELA_SHOTS (created when
// missing). Does nothing when VELA_SHOTS is unset or empty. Returns the file written, or an
// empty text when nothing was written.
QString save_shot(QWidget *w, const QString &name);
