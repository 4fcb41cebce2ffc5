#include "code_font.h"

#include "sys_config.h"

#include <QFontDatabase>
#include <QString>

QFont code_font(const text_style &style)
{
    const QString text = QString::fromUtf8(field_text(style.font, sizeof style.font).c_str());
    QFont font;
    // A styled slot holds the toolkit's full description ("family,size,..."), a fresh one
    // only the family name.
    if (!(text.contains(QLatin1Char(',')) && font.fromString(text)))
        font.setFamily(text);
    const QString family = font.family();
    // Without the family the font matcher would fall back to a proportional face; name a
    // monospace fallback explicitly as well as hinting.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({family, fixed.family()});
    font.setStyleHint(QFont::Monospace, QFont::PreferAntialias);
    font.setFixedPitch(true);
    if (style.point_size > 0)
        font.setPointSize(style.point_size);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setOverline(style.overline);
    font.setUnderline(style.underline);
    font.setStrikeOut(style.strike_out);
    font.setKerning(true);
    return font;
}
