#include "code_font.h"

#include "sys_config.h"

#include <QFontDatabase>
#include <QString>

// A family the font matcher reports as fixed pitch. The known compact faces come first: the
// editor's lines are only 1.6 times the point size high, and the desktop's generic
// "monospace" may stand for a face whose tall ascent pushes descenders out of the line
// (Noto Sans Mono on a plain X server). The system's fixed font is not always fixed pitch
// either (some "Mono" faces carry double-width glyphs and count as proportional).
QString fixed_fallback_family()
{
    static const QString family = [] {
        QFontDatabase db;
        const QStringList families = db.families();
        for (const char *known :
             {"DejaVu Sans Mono", "Liberation Mono", "Noto Mono", "Courier New"}) {
            const QString name = QString::fromLatin1(known);
            if (families.contains(name) && db.isFixedPitch(name)) return name;
        }
        const QString system = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
        if (db.isFixedPitch(system)) return system;
        for (const QString &name : families)
            if (db.isFixedPitch(name)) return name;
        return system;
    }();
    return family;
}

QFont code_font(const text_style &style)
{
    const QString text = QString::fromUtf8(field_text(style.font, sizeof style.font).c_str());
    QFont font;
    // A styled slot holds the toolkit's full description ("family,size,..."), a fresh one
    // only the family name.
    if (!(text.contains(QLatin1Char(',')) && font.fromString(text))) font.setFamily(text);
    const QString family = font.family();
    // Without the family the font matcher would fall back to a proportional face; name a
    // monospace fallback explicitly as well as hinting.
    font.setFamilies({family, fixed_fallback_family()});
    font.setStyleHint(QFont::Monospace, QFont::PreferAntialias);
    font.setFixedPitch(true);
    if (style.point_size > 0) font.setPointSize(style.point_size);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setOverline(style.overline);
    font.setUnderline(style.underline);
    font.setStrikeOut(style.strike_out);
    font.setKerning(true);
    return font;
}
