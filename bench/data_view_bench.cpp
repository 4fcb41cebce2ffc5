// The data view over a 200,000-row, 5-column table from velaserver (VELA_BENCH_ROWS sets
// another count). Prints medians in milliseconds:
//   open:   unchecking the row limit until the grid has painted, against the model load of
//           the same query alone, in the same run;
//   scroll: one page down at row 100,000, until repainted;
//   texts:  every cell's display text through data() against the model's own bytes;
//   find:   the first Find All over every cell on a grid just loaded, the same search
//           again, and while typing the key stroke itself and the longest later step of
//           clearing the last target's marks and marking the new one's;
//   apply:  Apply of 10,000 edited cells, against inserting 10,000 rows.
#include "data_view.h"
#include "db_access.h"
#include "search_tab_dlg.h"
#include "server_fixture.h"
#include "tab_data_model.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

int rows_total = 200000;
db_access *db = nullptr;

bool run(const QByteArray &sql)
{
    result_set *rs = db->run_sql(sql);
    if (!rs) return false;
    db_access::release(rs);
    return true;
}

bool fill(const QString &table, int rows)
{
    if (!db->make_table(table, {"id", "qty", "price", "name", "at"},
                        {"i64", "i32", "double", "string32", "datetime"},
                        {"false", "true", "true", "true", "true"}))
        return false;
    const QDateTime base(QDate(2019, 4, 23), QTime(10, 11, 12));
    const int batch = 2000;
    for (int first = 1; first <= rows; first += batch) {
        QByteArray sql = "insert into " + table.toUtf8() + " ( id, qty, price, name, at ) values";
        for (int g = first; g < first + batch && g <= rows; ++g) {
            sql += QByteArray(g == first ? " " : ", ") + "( " + QByteArray::number(g) + ", " +
                   QByteArray::number(g % 1000) + ", " + QByteArray::number(g * 0.25, 'f', 2) +
                   ", \"name-" + QByteArray::number(qlonglong(g) * 7919 % 200000) + "\", \"" +
                   base.addSecs(g).toString("yyyy-MM-dd HH:mm:ss").toUtf8() + "\" )";
        }
        if (!run(sql + ";")) return false;
    }
    return true;
}

double median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double ms(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// This thread's processor time in milliseconds: other work on a busy machine stretches the
// clock on the wall, much less this.
double cpu_ms()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    if (const char *rows = std::getenv("VELA_BENCH_ROWS"))
        rows_total = std::max(1000, std::atoi(rows));
    server_fixture server;
    if (!db_access::login("127.0.0.1", server.port(), "admin", "admin")) {
        std::fprintf(stderr, "bench_data_view: cannot log in to velaserver\n");
        return 1;
    }
    db_access access;
    db = &access;
    if (!fill("big", rows_total)) {
        std::fprintf(stderr, "bench_data_view: filling the table failed\n");
        return 1;
    }
    const int reps = 5;

    // Opening with the limit off, against the model load alone.
    std::vector<double> model_ms, view_ms;
    for (int i = 0; i < reps; ++i) {
        {
            tab_data_model m("big", db);
            QElapsedTimer t;
            t.start();
            m.load_rows("select id, qty, price, name, at from big;", true);
            model_ms.push_back(ms(t));
        }
        data_view v(nullptr, "big", db);
        v.resize(1200, 800);
        v.show();
        QApplication::processEvents();
        auto *limit = v.findChild<QCheckBox *>("limit_cb");
        auto *dv = v.findChild<QTableView *>("dv");
        QElapsedTimer t;
        t.start();
        limit->setChecked(false);
        dv->viewport()->repaint();
        view_ms.push_back(ms(t));
        if (v.model()->rowCount() != rows_total) {
            std::fprintf(stderr, "bench_data_view: the view holds %d rows\n",
                         v.model()->rowCount());
            return 1;
        }
    }
    const double load = median(model_ms), open = median(view_ms);
    std::printf("open: model load %.1f ms, data view with the limit off until painted %.1f ms "
                "(ratio %.2f)\n",
                load, open, open / load);

    data_view v(nullptr, "big", db);
    v.resize(1200, 800);
    v.show();
    v.findChild<QCheckBox *>("limit_cb")->setChecked(false);
    QApplication::processEvents();
    auto *dv = v.findChild<QTableView *>("dv");

    // A page down at row 100,000.
    dv->scrollTo(v.model()->index(std::min(100000, rows_total / 2), 0),
                 QAbstractItemView::PositionAtTop);
    dv->viewport()->repaint();
    QScrollBar *bar = dv->verticalScrollBar();
    std::vector<double> page_ms;
    for (int i = 0; i < 30; ++i) {
        QElapsedTimer t;
        t.start();
        bar->setValue(bar->value() + bar->pageStep());
        dv->viewport()->repaint();
        page_ms.push_back(ms(t));
    }
    std::printf("scroll: one page at row %d, median %.2f ms, worst %.2f ms\n",
                std::min(100000, rows_total / 2), median(page_ms),
                *std::max_element(page_ms.begin(), page_ms.end()));

    // Reading every cell's display text: through data() as the grid paints it, and the
    // model's own bytes that the table search reads.
    tab_data_model *m = v.model();
    const int cols = m->columnCount();
    std::vector<double> via_data_ms, via_bytes_ms;
    size_t total_bytes = 0;
    for (int i = 0; i < reps; ++i) {
        QElapsedTimer t;
        t.start();
        size_t n = 0;
        for (int r = 0; r < rows_total; ++r)
            for (int c = 0; c < cols; ++c)
                n += size_t(m->data(m->index(r, c)).toString().toUtf8().size());
        via_data_ms.push_back(ms(t));
        t.restart();
        std::string text;
        size_t k = 0;
        for (int r = 0; r < rows_total; ++r)
            for (int c = 0; c < cols; ++c) {
                text.clear();
                m->append_display_text(r, c, text);
                k += text.size();
            }
        via_bytes_ms.push_back(ms(t));
        if (k != n) {
            std::fprintf(stderr, "bench_data_view: the texts differ (%zu against %zu bytes)\n", k,
                         n);
            return 1;
        }
        total_bytes = n;
    }
    std::printf("texts: every cell's display text (%zu bytes) through data() %.1f ms, the "
                "model's bytes %.1f ms (ratio %.2f)\n",
                total_bytes, median(via_data_ms), median(via_bytes_ms),
                median(via_data_ms) / median(via_bytes_ms));

    // Find All over every cell, with few and with many matches: the first search as a user
    // meets it (a grid just loaded, a dialog just opened), then the same search again.
    const QByteArray query = "select id, qty, price, name, at from big;";
    for (const char *what : {"name-12345", "name-1"}) {
        std::vector<double> first_ms, first_cpu, again_ms;
        int marked = 0;
        for (int i = 0; i < reps; ++i) {
            m->load_rows(query, true);
            search_tab_dlg fresh(dv);
            auto *target = fresh.findChild<QLineEdit *>("target_le");
            {
                QSignalBlocker quiet(target);
                target->setText(what);
            }
            QElapsedTimer t;
            t.start();
            const double cpu = cpu_ms();
            fresh.search_all(true);
            first_ms.push_back(ms(t));
            first_cpu.push_back(cpu_ms() - cpu);
            marked = fresh.mark_count();
            for (int j = 0; j < 2; ++j) {
                fresh.clear_select();
                t.restart();
                fresh.search_all(true);
                again_ms.push_back(ms(t));
            }
            fresh.clear_select();
        }
        std::printf("find: Find All '%s' over %d cells, %d marked: first median %.1f ms "
                    "(worst %.1f, processor %.1f), again median %.1f ms\n",
                    what, rows_total * cols, marked, median(first_ms),
                    *std::max_element(first_ms.begin(), first_ms.end()), median(first_cpu),
                    median(again_ms));
    }
    m->load_rows(query, true);
    search_tab_dlg *find = v.search_dialog();
    auto *target = find->findChild<QLineEdit *>("target_le");
    // Marking while typing: the key stroke's own share and each later step of the event
    // loop, on a grid without marks and after a target that marked many cells (the next
    // key stroke first clears those).
    find->clear_select();
    const struct {
        const char *before, *typed;
    } strokes[] = {{"", "name-7"}, {"name-1", "name-12"}, {"1", "12"}};
    for (const auto &k : strokes) {
        auto type = [&](const char *text) {
            QSignalBlocker quiet(target);
            target->setText(text);
        };
        type(k.before);
        find->target_changed(k.before);
        find->finish_marking();
        const int before = find->mark_count();
        type(k.typed);
        QElapsedTimer t;
        t.start();
        const double stroke_cpu = cpu_ms();
        find->target_changed(k.typed);
        const double stroke = ms(t), stroke_proc = cpu_ms() - stroke_cpu;
        double worst = 0, worst_cpu = 0;
        int steps = 0;
        while (find->marking()) {
            t.restart();
            const double cpu = cpu_ms();
            QApplication::processEvents();
            worst = std::max(worst, ms(t));
            worst_cpu = std::max(worst_cpu, cpu_ms() - cpu);
            ++steps;
        }
        std::printf("find: typing '%s' over %d marks marks %d cells; the key stroke took %.1f ms "
                    "(processor %.1f), the longest of %d later steps %.1f ms (processor %.1f)\n",
                    k.typed, before, find->mark_count(), stroke, stroke_proc, steps, worst,
                    worst_cpu);
    }
    find->clear_select();

    // Apply of 10,000 edited cells against the server inserting 10,000 rows.
    const int edits = std::min(10000, rows_total);
    for (int r = 0; r < edits; ++r) m->setData(m->index(r, 1), r % 997 + 1);
    QElapsedTimer a;
    a.start();
    const bool ok = m->commit_changes();
    const double apply_ms = ms(a);
    if (!fill("ins", 0)) return 1;
    QElapsedTimer ins;
    ins.start();
    for (int first = 0; first < edits; first += 2000) {
        QByteArray sql = "insert into ins ( id, qty, price, name, at ) values";
        for (int g = first; g < first + 2000 && g < edits; ++g)
            sql += QByteArray(g == first ? " " : ", ") + "( " + QByteArray::number(g) + ", " +
                   QByteArray::number(g % 1000) + ", 1.5, \"n\", \"2019-04-23 10:11:12\" )";
        run(sql + ";");
    }
    const double insert_ms = ms(ins);
    std::printf("apply: %d edited cells %s in %.1f ms; the server inserts %d rows (5 batches) "
                "in %.1f ms\n",
                edits, ok ? "applied" : "FAILED", apply_ms, edits, insert_ms);
    db_access::logout();
    return 0;
}
