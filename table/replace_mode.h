#pragma once
// The question the transfer dialogs ask before a replace mode that overwrites a file.

class QCheckBox;
class QWidget;

// Called when `box` changes. While `ask` is set, checking the box asks once: Yes keeps it
// checked and clears `ask`; No (or Escape) unchecks it again.
void confirm_replace_mode(QWidget *parent, QCheckBox *box, bool &ask);
