// Builds one language's user's manual as a PDF from its Markdown text, with the dialect
// reference and the function catalogue filled in from their shared sources.
//   vela_mkmanual LANG MANUAL.md REFERENCE.sql FUNCTIONS.txt OUT.pdf
// LANG is zh, en, fr or jp. "@REFERENCE@" and "@FUNCTIONS@" lines in the manual are replaced.
#include "manual_source.h"

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

bool read_file(const char *path, std::string &out)
{
    QFile f(QString::fromLocal8Bit(path));
    if (!f.open(QIODevice::ReadOnly)) return false;
    out = f.readAll().toStdString();
    return true;
}

int lang_index(const std::string &lang)
{
    const char *codes[] = {"en", "fr", "zh", "jp"}; // column order of functions.txt
    for (int i = 0; i < 4; ++i)
        if (lang == codes[i]) return i;
    return -1;
}

std::string reference_markdown(const std::vector<manual::example> &examples)
{
    std::string md, section;
    for (const auto &e : examples) {
        if (e.section != section) {
            section = e.section;
            md += "### " + section + "\n\n";
        }
        md += "**" + e.form + "**\n\n```\n" + e.sql + "\n```\n\n";
    }
    return md;
}

std::string functions_markdown(const std::vector<manual::function_line> &lines, int lang)
{
    std::string md, family;
    for (const auto &f : lines) {
        if (f.family != family) {
            family = f.family;
            const auto names = manual::split_bar(family);
            md += "### " + names[std::min<size_t>(size_t(lang), names.size() - 1)] + "\n\n";
        }
        const std::string gloss =
            size_t(lang) < f.glosses.size() ? f.glosses[size_t(lang)] : f.glosses.front();
        md += "- `" + f.call + "`: " + gloss + "\n";
    }
    return md + "\n";
}

// Code spans and blocks in a monospace face, blocks on a light background.
void mark_code(QTextDocument &doc)
{
    QTextCharFormat mono;
    mono.setFontFamily(QStringLiteral("DejaVu Sans Mono"));
    mono.setFontPointSize(9);
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const bool code_block = b.blockFormat().hasProperty(QTextFormat::BlockCodeFence);
        if (code_block) {
            QTextCursor c(b);
            QTextBlockFormat f = b.blockFormat();
            f.setBackground(QColor(242, 242, 242));
            c.setBlockFormat(f);
        }
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!code_block && !frag.charFormat().fontFixedPitch()) continue;
            QTextCursor c(&doc);
            c.setPosition(frag.position());
            c.setPosition(frag.position() + frag.length(), QTextCursor::KeepAnchor);
            c.mergeCharFormat(mono);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: vela_mkmanual LANG MANUAL.md REFERENCE.sql FUNCTIONS.txt "
                             "OUT.pdf\n");
        return 2;
    }
    // Fonts and PDF output need no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const std::string lang = argv[1];
    const int li = lang_index(lang);
    std::string text, reference, functions;
    if (li < 0 || !read_file(argv[2], text) || !read_file(argv[3], reference) ||
        !read_file(argv[4], functions)) {
        std::fprintf(stderr, "vela_mkmanual: cannot read the sources\n");
        return 1;
    }
    const auto examples = manual::read_examples(reference);
    const auto catalogue = manual::read_functions(functions);
    std::string md;
    for (const std::string &line : manual::lines_of(text)) {
        if (line == "@REFERENCE@")
            md += reference_markdown(examples);
        else if (line == "@FUNCTIONS@")
            md += functions_markdown(catalogue, li);
        else
            md += line + "\n";
    }

    QTextDocument doc;
    // A face with the script's glyphs; the toolkit falls back for anything else.
    QFont font(lang == "zh"   ? QStringLiteral("Noto Sans CJK SC")
               : lang == "jp" ? QStringLiteral("Noto Sans CJK JP")
                              : QStringLiteral("DejaVu Sans"),
               10);
    doc.setDefaultFont(font);
    doc.setMarkdown(QString::fromStdString(md));
    mark_code(doc);

    QPdfWriter pdf(QString::fromLocal8Bit(argv[5]));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
    pdf.setTitle(doc.toPlainText().section(QLatin1Char('\n'), 0, 0));
    pdf.setCreator(QStringLiteral("velastudio"));
    doc.print(&pdf);

    // Proofreading without a PDF viewer: VELA_MANUAL_PREVIEW=<folder> also writes the first
    // pages as pictures, laid out as on paper.
    const QString preview = qEnvironmentVariable("VELA_MANUAL_PREVIEW");
    if (!preview.isEmpty()) {
        const QSizeF page(595 - 2 * 51, 842 - 2 * 51); // A4 in points, less the margins
        doc.setPageSize(page);
        for (int i = 0; i < std::min(doc.pageCount(), 4); ++i) {
            QImage img(page.toSize() * 2, QImage::Format_RGB32);
            img.fill(Qt::white);
            QPainter p(&img);
            p.scale(2, 2);
            p.translate(0, -i * page.height());
            doc.drawContents(&p, QRectF(0, i * page.height(), page.width(), page.height()));
            p.end();
            img.save(QStringLiteral("%1/%2_%3.png")
                         .arg(preview, QString::fromStdString(lang))
                         .arg(i + 1));
        }
    }
    return 0;
}
