// One key stroke in a script: the time from the key event until the visible part has been
// painted again (the re-parse included), for our editor and for QScintilla with its SQL
// lexer; a paste into a large script; the memory of a parsed large script.
#include "editor/editor.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>

#ifdef VELA_HAVE_QSCI
#include <Qsci/qscilexersql.h>
#include <Qsci/qsciscintilla.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int view_w = 800, view_h = 600;

// A script of `size` bytes made of varied statements and comments.
std::string make_script(size_t size)
{
    static const char *lines[] = {
        "select name, abs(amount) from orders where amount > 10.5 order by name asc;\n",
        "insert into orders(name, amount) values(\"tea\", 3);\n",
        "// the next one removes the small orders\n",
        "delete from orders where amount < 1;\n",
        "select id, name from customers where id > 100;\n",
        "show tables;\n",
    };
    std::string s;
    s.reserve(size);
    for (size_t i = 0; s.size() < size; ++i) s += lines[i % (sizeof lines / sizeof *lines)];
    s.resize(size);
    if (!s.empty()) s.back() = '\n';
    return s;
}

long rss_kib()
{
    long pages = 0, resident = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * 4;
}

void send_key(QWidget *w, int key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

// The largest script the editor still parses.
constexpr size_t just_under_4mib = (4u << 20) - 4096;

// Our editor, scrolled to the cursor (at the end of the script, or at `at`) as the scroll
// area would report it.
struct our_setup {
    editor ed;
    QImage img{view_w, view_h, QImage::Format_RGB32};
    explicit our_setup(size_t size, int32_t at = -1)
    {
        ed.set_text_utf8(make_script(size));
        ed.buffer().set_cursor(at < 0 ? ed.buffer().size() : at);
        ed.layout_text();
        int top = std::max(0, ed.cursor_pixel().y() + editor::line_height() - view_h);
        ed.set_visible_rect(QRect(0, -top, view_w, view_h));
    }
    void paint()
    {
        QRect area = ed.visible_area();
        ed.render(&img, QPoint(), QRegion(area));
    }
};

void BM_editor_key(benchmark::State &state)
{
    our_setup s(static_cast<size_t>(state.range(0)));
    s.paint();
    for (auto _ : state) {
        send_key(&s.ed, Qt::Key_X, QStringLiteral("x"));
        s.paint();
    }
    state.counters["parses"] = s.ed.parse_count();
}

// A key stroke at the start of the script: every statement after it moves.
void BM_editor_key_at_start(benchmark::State &state)
{
    our_setup s(static_cast<size_t>(state.range(0)), 0);
    s.paint();
    for (auto _ : state) {
        send_key(&s.ed, Qt::Key_X, QStringLiteral("x"));
        s.paint();
    }
    state.counters["parses"] = s.ed.parse_count();
}

// 64 KiB of statements pasted into the middle of the script, then taken out again (the
// removal is timed apart, so the figure is the paste alone).
void BM_editor_paste_64kib_middle(benchmark::State &state)
{
    const size_t size = static_cast<size_t>(state.range(0));
    our_setup s(size, static_cast<int32_t>(size / 2));
    std::string clip = make_script(64u << 10);
    QApplication::clipboard()->setText(
        QString::fromUtf8(clip.data(), static_cast<int>(clip.size())));
    s.paint();
    for (auto _ : state) {
        s.ed.buffer().set_cursor(static_cast<int32_t>(size / 2));
        s.ed.paste();
        s.paint();
        state.PauseTiming();
        s.ed.undo();
        state.ResumeTiming();
    }
    state.counters["reparsed_kib"] = static_cast<double>(s.ed.reparsed_bytes()) / 1024.0;
}

void BM_editor_open_4mib_memory(benchmark::State &state)
{
    std::string text = make_script(just_under_4mib);
    for (auto _ : state) {
        long before = rss_kib();
        auto *s = new our_setup(0);
        s->ed.set_text_utf8(text);
        s->paint();
        long after = rss_kib();
        state.counters["rss_kib"] = static_cast<double>(after - before);
        delete s;
    }
}

#ifdef VELA_HAVE_QSCI
struct sci_setup {
    QsciScintilla sci;
    QsciLexerSQL lexer;
    QImage img{view_w, view_h, QImage::Format_RGB32};
    explicit sci_setup(size_t size)
    {
        sci.resize(view_w, view_h);
        sci.setLexer(&lexer);
        std::string text = make_script(size);
        sci.setText(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
        sci.setUtf8(true);
        sci.show();
        int last = sci.lines() - 1;
        sci.setCursorPosition(last, sci.text(last).length());
        sci.ensureCursorVisible();
        QApplication::processEvents();
    }
    void paint() { sci.viewport()->render(&img); }
};

void BM_qscintilla_key(benchmark::State &state)
{
    sci_setup s(static_cast<size_t>(state.range(0)));
    s.paint();
    for (auto _ : state) {
        send_key(&s.sci, Qt::Key_X, QStringLiteral("x"));
        s.paint();
    }
}

void BM_qscintilla_open_4mib_memory(benchmark::State &state)
{
    std::string text = make_script(4u << 20);
    for (auto _ : state) {
        long before = rss_kib();
        auto *s = new sci_setup(0);
        s->sci.setText(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
        s->paint();
        long after = rss_kib();
        state.counters["rss_kib"] = static_cast<double>(after - before);
        delete s;
    }
}
#endif

} // namespace

BENCHMARK(BM_editor_key)
    ->Arg(127 << 10)
    ->Arg(128 << 10)
    ->Arg(1 << 20)
    ->Arg(just_under_4mib)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_editor_key_at_start)->Arg(just_under_4mib)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_editor_paste_64kib_middle)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_editor_open_4mib_memory)->Iterations(1)->Unit(benchmark::kMillisecond);
#ifdef VELA_HAVE_QSCI
BENCHMARK(BM_qscintilla_key)
    ->Arg(127 << 10)
    ->Arg(128 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_qscintilla_open_4mib_memory)->Iterations(1)->Unit(benchmark::kMillisecond);
#endif

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
