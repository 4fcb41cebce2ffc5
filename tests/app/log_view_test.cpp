// The log view follows the execution log by inserting new lines on top and laying out older
// ones in slices; whatever way it got there, it must end up showing what a fresh view of the
// log's newest lines shows, with the newest line on top at every moment.
#include <gtest/gtest.h>

#include "exec_log.h"
#include "log_view.h"

#include <QCoreApplication>
#include <QTextEdit>

#include <functional>

namespace {

QString line(int i)
{
    return QStringLiteral("2026-12-08 10:00:00.%1 execute sql:<div style='color:#52a6c4'>    "
                          "insert into t (a) values (%1);</div><br>    result: <span "
                          "style='color:green'>successful</span> , use time: <b>1.0</b> us.<br>")
        .arg(i, 5, 10, QLatin1Char('0'));
}

// What a view laid out from scratch shows for the log as it stands.
QString fresh_view(const exec_log &log)
{
    QTextEdit v;
    v.setHtml(log.html().left(log.newest_within(exec_log::cap)));
    return v.toHtml();
}

} // namespace

TEST(log_view, shows_the_newest_line_at_once_and_ends_as_a_fresh_view)
{
    exec_log log;
    QTextEdit view;
    log_view follower(&log, &view);
    int n = 0;
    auto batch = [&](int lines) { // as a run hands its lines over
        std::vector<QString> gathered;
        for (int i = 0; i < lines; ++i) gathered.push_back(line(n++));
        log.add(gathered);
    };
    auto settle = [&] {
        while (follower.filling()) QCoreApplication::processEvents();
    };
    struct step {
        const char *what;
        std::function<void()> act;
    };
    const step steps[] = {
        {"one line", [&] { log.add(line(n++)); }},
        {"a few lines one by one",
         [&] {
             for (int i = 0; i < 5; ++i) log.add(line(n++));
         }},
        {"a batch", [&] { batch(40); }},
        {"a batch larger than the cap", [&] { batch(3000); }},
        {"lines while older ones are still laid out",
         [&] {
             batch(3000);
             QCoreApplication::processEvents();
             batch(1);
             log.add(line(n++));
         }},
        {"a line after it (the log cuts)",
         [&] {
             settle();
             log.add(line(n++));
         }},
        {"a batch during a run, which holds the older lines back",
         [&] {
             follower.hold(true);
             batch(2000);
             const int shown = follower.shown();
             QCoreApplication::processEvents();
             EXPECT_EQ(follower.shown(), shown) << "nothing laid out while held";
             follower.hold(false);
         }},
        {"lines until past the cap again",
         [&] {
             while (log.html().size() <= exec_log::cap) batch(7);
             batch(1);
         }},
        {"a clear", [&] { log.clear(); }},
        {"a line after the clear", [&] { log.add(line(n++)); }},
    };
    for (const step &s : steps) {
        s.act();
        if (!log.html().isEmpty()) {
            EXPECT_TRUE(view.toPlainText().startsWith(
                QStringLiteral("2026-12-08 10:00:00.%1").arg(n - 1, 5, 10, QLatin1Char('0'))))
                << s.what << ": the newest line on top at once";
        }
        settle();
        EXPECT_EQ(view.toHtml(), fresh_view(log)) << s.what;
        EXPECT_LE(follower.shown(), exec_log::cap) << s.what;
    }
}
