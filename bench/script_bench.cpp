// Timings of the script tab (medians of several rounds):
//   run       exec_sql over 10,000 inserts (log view shown) against a bare exec loop
//   complete  key stroke to open popup at the end of a 128 KiB script, and for "fields_of "
//             with 2,000 tables
//   open      reading a 4 MiB script file and building its tab until the editor's first paint
#include "db_access.h"
#include "editor/auto_list.h"
#include "editor/editor.h"
#include "editor/run_progress_wt.h"
#include "editor/sql_script_editor.h"
#include "exec_log.h"
#include "log_view.h"
#include "msg_box.h"
#include "server_fixture.h"
#include "sys_config.h"
#include "tab_data_model.h"

#include "velalink.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

std::vector<QByteArray> inserts(int n, int round)
{
    std::vector<QByteArray> out;
    out.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        out.push_back(QByteArrayLiteral("insert into bench_t (a, b) values (") +
                      QByteArray::number(round * n + i) + ", \"row\");");
    return out;
}

class paint_spy : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *ev) override
    {
        if (ev->type() == QEvent::Paint) painted = true;
        return false;
    }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    g_config = sys_config::initial();
    server_fixture server;
    if (!db_access::login("127.0.0.1", server.port(), "admin", "admin")) {
        std::printf("login failed\n");
        return 1;
    }
    // The log as the main window shows it.
    exec_log log;
    QTextEdit view;
    view.resize(800, 300);
    view.show();
    auto *follower = new log_view(&log, &view);
    db_access db(QByteArrayLiteral("vela_db"), &log);
    // Every loop starts on an empty table, so that none pays for the rows of another.
    auto fresh = [&db] {
        db.run_sql("drop table bench_t;");
        db.run_sql("create table bench_t (a i32(true), b string16(true));");
    };
    fresh();
    msg_recorder boxes;

    // --- run ---------------------------------------------------------------------------------
    const int n = 10000;
    // Rounds alternate, so that a busy machine weighs on both alike; the ratio is taken per
    // round and its median reported.
    std::vector<double> bare, run, ratios, settled;
    for (int round = 0; round < 7; ++round) {
        std::vector<QByteArray> list = inserts(n, 2 * round);
        fresh();
        QElapsedTimer t;
        t.start();
        for (const QByteArray &s : list) del_datas(exec(s.constData(), s.size()));
        bare.push_back(t.nsecsElapsed() / 1e6);

        list = inserts(n, 2 * round + 1);
        QByteArray script;
        for (const QByteArray &s : list) script += s + '\n';
        sql_script_editor ed(&db, QString::fromUtf8(script));
        run_progress_wt progress; // as the main window holds the log's older lines
        QObject::connect(&progress, &run_progress_wt::running_changed, follower, &log_view::hold);
        ed.set_progress(&progress);
        fresh();
        t.start();
        ed.exec_sql();
        QApplication::processEvents(); // the log view shows the run's newest lines
        run.push_back(t.nsecsElapsed() / 1e6);
        ratios.push_back(bare.back() / run.back() * 100);
        // The older lines are laid out in slices while the window is idle.
        while (follower->filling()) QApplication::processEvents();
        settled.push_back(bare.back() / (t.nsecsElapsed() / 1e6) * 100);
        if (boxes.last().text != "the sql execute sussesful total!") {
            std::printf("run failed: %s\n", qPrintable(boxes.last().text));
            return 1;
        }
    }
    // Where the time goes: the same inserts through db_access alone and through a table
    // model, as the run loads each statement.
    std::vector<double> via_db, via_model;
    for (int round = 0; round < 3; ++round) {
        std::vector<QByteArray> list = inserts(n, 10 + round);
        fresh();
        QElapsedTimer t;
        t.start();
        for (const QByteArray &s : list) {
            QString line;
            db_access::release(db.run_sql(s, line, true));
        }
        via_db.push_back(t.nsecsElapsed() / 1e6);
        list = inserts(n, 20 + round);
        fresh();
        t.start();
        tab_data_model model(QString(), &db);
        model.set_parsed_statements(true); // as a run loads its statements
        for (const QByteArray &s : list) {
            QString line;
            model.load_rows(s, true, nullptr, line);
        }
        via_model.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("parts: db_access::run_sql loop %.0f ms, tab_data_model::load_rows loop %.0f ms\n",
                median(via_db), median(via_model));
    {
        std::vector<QByteArray> list = inserts(n, 30);
        QByteArray script;
        for (const QByteArray &s : list) script += s + '\n';
        sql_script_editor ed(&db, QString::fromUtf8(script));
        run_progress_wt progress;
        QObject::connect(&progress, &run_progress_wt::running_changed, follower, &log_view::hold);
        ed.set_progress(&progress);
        while (follower->filling()) QApplication::processEvents();
        QElapsedTimer t;
        t.start();
        std::vector<QByteArray> texts =
            sql_script_editor::statement_texts(ed.editor_widget()->statements(), false);
        const double split = t.nsecsElapsed() / 1e6;
        fresh();
        t.start();
        ed.exec(texts);
        std::printf("parts: statement texts %.0f ms, exec of the list %.0f ms\n", split,
                    t.nsecsElapsed() / 1e6);
    }
    const double b = median(bare), r = median(run);
    std::printf("run 10000 inserts: bare exec loop %.0f ms (%.0f/s), exec_sql %.0f ms (%.0f/s), "
                "ratio %.0f%% (median of the rounds' ratios)\n",
                b, n / b * 1000, r, n / r * 1000, median(ratios));
    std::printf("run 10000 inserts until the log view has laid out every older line too: "
                "ratio %.0f%%\n",
                median(settled));

    // --- completion ------------------------------------------------------------------------------
    {
        QByteArray base;
        while (base.size() < 128 * 1024)
            base += "select a, b from bench_t where a == 1 order by a asc;\n";
        const QByteArray script = base + "select * from ";
        sql_script_editor ed(&db, QString::fromUtf8(script));
        QStringList tables;
        QMap<QString, QStringList> fields;
        for (int i = 0; i < 2000; ++i) {
            tables << QStringLiteral("table_%1").arg(i, 4, 10, QChar('0'));
            fields[tables.back()] = QStringList{"id", "name", "value"};
        }
        tables << "bench_t";
        ed.set_names(tables, fields);
        ed.resize(900, 700);
        ed.show();
        editor *e = ed.editor_widget();
        e->set_cursor(e->buffer().size());
        e->setFocus();
        auto measure = [&](QChar key, int *shown) {
            std::vector<double> times;
            for (int i = 0; i < 21; ++i) {
                QElapsedTimer t;
                t.start();
                QTest::keyClicks(e, QString(key));
                auto *list = e->findChild<auto_list *>();
                times.push_back(t.nsecsElapsed() / 1e6);
                if (list) {
                    *shown = list->count();
                    QTest::keyClick(list, Qt::Key_Escape);
                }
                QApplication::processEvents();
                QTest::keyClick(e, Qt::Key_Backspace);
            }
            return median(times);
        };
        int shown = 0;
        const double tables_ms = measure('b', &shown);
        std::printf("completion at the end of %d KiB: %.2f ms (%d candidates)\n",
                    int(e->buffer().size() / 1024), tables_ms, shown);
        e->set_text(QString::fromUtf8(base) + "fields_of");
        e->set_cursor(e->buffer().size());
        const double fields_ms = measure(' ', &shown);
        std::printf("completion after \"fields_of \" with 2000 tables: %.2f ms (%d candidates)\n",
                    fields_ms, shown);
    }

    // --- open -----------------------------------------------------------------------------------
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("big.sql");
        QByteArray script;
        while (script.size() < 4 * 1024 * 1024)
            script += "insert into bench_t (a, b) values (1, \"opening a large script\");\n";
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(script);
        f.close();
        std::vector<double> times;
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer t;
            t.start();
            QFile in(path);
            in.open(QIODevice::ReadOnly);
            const QByteArray bytes = in.readAll();
            sql_script_editor ed(&db, bytes);
            paint_spy spy;
            ed.editor_widget()->installEventFilter(&spy);
            ed.resize(900, 700);
            ed.show();
            while (!spy.painted) QApplication::processEvents();
            times.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("open a %d KiB script until the first paint: %.0f ms\n",
                    int(script.size() / 1024), median(times));
    }
    db_access::logout();
    return 0;
}
