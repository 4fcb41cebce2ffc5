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

// When a dialog closes and no window of ours has the keyboard any more, hands it back to the
// window the dialog belonged to. Desktops without a window manager leave the focus nowhere,
// and the main window's shortcuts would not answer until it was clicked.
void return_focus_after_dialogs(QApplication &app);
