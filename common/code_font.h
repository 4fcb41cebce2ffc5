// The font in which code is drawn for one text style.
#pragma once

#include <QFont>

struct text_style;

// The monospace family code falls back to when the configured one is missing.
QString fixed_fallback_family();

// The style's font: its family (or full font description) and point size, with the style's
// bold, italic, overline, underline and strike-out. It always asks for a monospace face, so
// a machine without the configured family still draws code monospaced.
QFont code_font(const text_style &style);
