// Start-up steps that run before the login form: the style sheet and the translators of the
// configured language.
#pragma once

#include <QString>

class QApplication;
class QTranslator;

struct language_files {
    const char *locale;  // for setlocale
    const char *toolkit; // the toolkit's own texts
    const char *program; // this program's texts
};

// The files of language index 0 Chinese, 1 English, 2 French, 3 Japanese; null otherwise.
const language_files *language_of(int index);

// Uses ":/qss/vela_white-.qss" as the application's style sheet; without it prints
// "open qss failed." and sets an empty one. True when the sheet was found.
bool apply_style_sheet(QApplication &app);

// Sets the C locale and loads both translators for the language index (nothing for an
// unknown index; a missing file leaves its translator empty), then installs both, the
// toolkit's first.
void install_translators(QApplication &app, int language, QTranslator &toolkit,
                         QTranslator &program);

// Keeps the keyboard with our windows where no window manager hands it over: a window that
// opens while no window has it takes it, and a dialog that closes gives it back to the window
// it belonged to. Without this, the main window's shortcuts would not answer after the login
// or any dialog until the window was clicked.
void return_focus_after_dialogs(QApplication &app);
