// The option and help menus: language switch and restart, the manual and the online
// reference, the update check against a scripted host, the about box and its licences.
#include <gtest/gtest.h>

#include "about_dlg.h"
#include "desktop.h"
#include "editor/editor.h"
#include "editor/run_progress_wt.h"
#include "editor/sql_script_editor.h"
#include "mainwindow.h"
#include "msg_box.h"
#include "restart.h"
#include "startup.h"
#include "support/shot.h"
#include "sys_config.h"
#include "update_check.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTemporaryDir>
#include <QTranslator>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <thread>

namespace {

std::string le32s(std::initializer_list<uint32_t> values)
{
    std::string out;
    for (uint32_t v : values)
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return out;
}

// A loopback host that reads one 20-byte request and answers it as told: with `reply`, with
// nothing at all until the client hangs up (silent), or by closing at once.
class update_host {
public:
    enum mode { answer, silent };
    update_host(mode m, std::string reply) : mode_(m), reply_(std::move(reply))
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof sa;
        EXPECT_EQ(::bind(fd_, reinterpret_cast<sockaddr *>(&sa), sizeof sa), 0);
        EXPECT_EQ(::listen(fd_, 1), 0);
        ::getsockname(fd_, reinterpret_cast<sockaddr *>(&sa), &len);
        port_ = ntohs(sa.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~update_host()
    {
        ::shutdown(fd_, SHUT_RDWR);
        thread_.join();
        ::close(fd_);
    }
    uint16_t port() const { return port_; }
    std::string request() const { return request_; }

private:
    void serve()
    {
        int c = ::accept(fd_, nullptr, nullptr);
        if (c < 0) return;
        char buf[64];
        while (request_.size() < update::message_size) {
            ssize_t n = ::recv(c, buf, sizeof buf, 0);
            if (n <= 0) break;
            request_.append(buf, static_cast<size_t>(n));
        }
        if (mode_ == answer) {
            ::send(c, reply_.data(), reply_.size(), MSG_NOSIGNAL);
        } else {
            while (::recv(c, buf, sizeof buf, 0) > 0) {}
        }
        ::close(c);
    }
    mode mode_;
    std::string reply_;
    int fd_ = -1;
    uint16_t port_ = 0;
    std::string request_;
    std::thread thread_;
};

// A port on loopback with nothing listening.
uint16_t closed_port()
{
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof sa;
    ::bind(fd, reinterpret_cast<sockaddr *>(&sa), sizeof sa);
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&sa), &len);
    ::close(fd);
    return ntohs(sa.sin_port);
}

struct options_test : ::testing::Test {
    void SetUp() override
    {
        saved = g_config;
        saved_open = g_open_files;
        saved_recent = g_recent_files;
        g_config = sys_config::initial();
        g_open_files.clear();
        ASSERT_TRUE(dir.isValid());
        old_cwd = QDir::currentPath();
        QDir::setCurrent(dir.path());
        previous_opener = set_desktop_opener([this](const QString &url) {
            opened << url;
            return true;
        });
        previous_starter = set_restart_starter([this](const restart_command &cmd) {
            started.push_back(cmd);
            // The new process would read this file first.
            sys_config cfg = sys_config::initial();
            std::vector<std::string> a, b;
            QFile f(QStringLiteral("config"));
            if (f.open(QIODevice::ReadOnly)) decode_config(f.readAll().toStdString(), cfg, a, b);
            language_seen_by_restart = cfg.language;
            return true;
        });
        old_host = std::getenv("VELA_UPDATE_HOST") ? std::getenv("VELA_UPDATE_HOST") : "";
        win = std::make_unique<MainWindow>();
    }
    void TearDown() override
    {
        win.reset();
        set_desktop_opener(previous_opener);
        set_restart_starter(previous_starter);
        if (old_host.empty())
            unsetenv("VELA_UPDATE_HOST");
        else
            setenv("VELA_UPDATE_HOST", old_host.c_str(), 1);
        MainWindow::set_file_asker(nullptr);
        QDir::setCurrent(old_cwd);
        g_config = saved;
        g_open_files = saved_open;
        g_recent_files = saved_recent;
    }
    QAction *action(const char *name) { return win->findChild<QAction *>(name); }
    void point_update_at(uint16_t port)
    {
        setenv("VELA_UPDATE_HOST", ("127.0.0.1:" + std::to_string(port)).c_str(), 1);
    }

    sys_config saved;
    std::vector<std::string> saved_open, saved_recent;
    QTemporaryDir dir;
    QString old_cwd;
    std::string old_host;
    desktop_opener previous_opener;
    restart_starter previous_starter;
    QStringList opened;
    std::vector<restart_command> started;
    int language_seen_by_restart = -1;
    std::unique_ptr<MainWindow> win;
};

TEST_F(options_test, update_check_judges_each_reply)
{
    const struct {
        std::string reply;
        const char *message;
    } cases[] = {
        {le32s({100, 0, 2, 0, 0}), "the current version is latest version!"},
        {le32s({100, 0, 2, 1, 0}), "there is new version, please update from website!"},
        {le32s({100, 0, 3, 0, 0}), "there is new version, please update from website!"},
        {le32s({100, 1, 0, 0, 0}), "there is new version, please update from website!"},
        {le32s({101, 9, 9, 9, 0}), "check version failed!"},
        {le32s({100, 0, 3}), "check version failed!"}, // cut short, then closed
    };
    uint32_t own_crc = 0;
    ASSERT_TRUE(update::file_crc32(QCoreApplication::applicationFilePath().toStdString(), own_crc));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        update_host host(update_host::answer, c.reply);
        point_update_at(host.port());
        msg_recorder boxes;
        action("update_act")->trigger();
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.last().title, "version infomation");
        EXPECT_EQ(boxes.last().text, c.message);
        EXPECT_EQ(host.request(), le32s({100, 0, 2, 0, own_crc}));
    }
}

TEST_F(options_test, update_check_fails_on_a_refused_or_unknown_host)
{
    for (const std::string &host : {"127.0.0.1:" + std::to_string(closed_port()), std::string()}) {
        SCOPED_TRACE(host);
        if (host.empty())
            unsetenv("VELA_UPDATE_HOST"); // our own name, which never resolves
        else
            setenv("VELA_UPDATE_HOST", host.c_str(), 1);
        msg_recorder boxes;
        win->update();
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.last().text, "check version failed!");
    }
}

TEST_F(options_test, a_silent_update_host_is_given_up_after_the_time_limit)
{
    update_host host(update_host::silent, std::string());
    point_update_at(host.port());
    msg_recorder boxes;
    QElapsedTimer t;
    t.start();
    win->update();
    EXPECT_LT(t.elapsed(), 15000); // bounded at all; the figure itself is the limit's
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text, "check version failed!");
}

TEST_F(options_test, the_update_check_runs_at_start_only_when_asked)
{
    point_update_at(closed_port());
    msg_recorder boxes;
    QCoreApplication::processEvents(); // the window of SetUp, with the flag off
    EXPECT_TRUE(boxes.empty());
    g_config.check_update = true;
    win = std::make_unique<MainWindow>();
    EXPECT_TRUE(boxes.empty()) << "not before the window is up";
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text, "check version failed!");
}

TEST_F(options_test, crc32_matches_the_common_check_value)
{
    EXPECT_EQ(update::crc32("123456789", 9), 0xCBF43926u);
    // Continued over pieces, as a file is read.
    EXPECT_EQ(update::crc32("6789", 4, update::crc32("12345", 5)), 0xCBF43926u);
}

TEST_F(options_test, language_switch_answered_no_applies_at_the_next_start)
{
    msg_recorder boxes(QMessageBox::No);
    action("fr_act")->trigger();
    EXPECT_EQ(g_config.language, 2);
    EXPECT_TRUE(action("fr_act")->isChecked());
    for (const char *other : {"zh_act", "en_act", "jp_act"})
        EXPECT_FALSE(action(other)->isChecked()) << other;
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().title, "language changed");
    EXPECT_EQ(boxes.last().text,
              QString::fromUtf8("the language change to Français, the application need restart, "
                                "restart now?"));
    EXPECT_TRUE(started.empty());

    // The next start loads the French texts.
    QTranslator toolkit, program;
    install_translators(*static_cast<QApplication *>(QCoreApplication::instance()),
                        g_config.language, toolkit, program);
    EXPECT_NE(QCoreApplication::translate("MainWindow", "preference(&p)"), "preference(&p)");
    QCoreApplication::removeTranslator(&toolkit);
    QCoreApplication::removeTranslator(&program);
}

TEST_F(options_test, language_switch_answered_yes_restarts_with_the_new_language_saved)
{
    msg_recorder boxes(QMessageBox::Yes);
    action("jp_act")->trigger();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].program, QCoreApplication::applicationFilePath());
    EXPECT_TRUE(started[0].arguments.isEmpty());
    EXPECT_EQ(QDir(started[0].directory), QDir(dir.path()));
    EXPECT_EQ(language_seen_by_restart, 3);
}

TEST_F(options_test, the_restart_saves_the_open_scripts_first_and_stays_when_told_to)
{
    // The restart quits like the window's close: the scripts are saved, and one that cannot
    // be saved is only lost when the user says so.
    const struct {
        bool unsavable;
        QMessageBox::StandardButton lose;
        bool restarts;
    } cases[] = {
        {false, QMessageBox::No, true},
        {true, QMessageBox::No, false},
        {true, QMessageBox::Yes, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.unsavable * 2 + (c.lose == QMessageBox::Yes));
        started.clear();
        ASSERT_TRUE(QDir(dir.path()).mkpath("sub"));
        const QString script = dir.path() + "/sub/s.sql";
        QFile(script).open(QIODevice::WriteOnly);
        MainWindow::set_file_asker(
            [script](QWidget *, bool, const QString &, const QString &) { return script; });
        win->open_file();
        QTest::keyClicks(win->current_script()->editor_widget(), "show tables;");
        if (c.unsavable) {
            ASSERT_TRUE(QDir(dir.path() + "/sub").removeRecursively());
        }
        msg_recorder boxes(c.lose);
        boxes.queue_answer(QMessageBox::Yes); // restart now
        action("en_act")->trigger();
        EXPECT_EQ(started.size(), c.restarts ? 1u : 0u);
        if (!c.unsavable) {
            QFile f(script);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), "show tables;");
        }
        boxes.set_default_answer(QMessageBox::Yes); // close it, lost or not
        win->close_file();
    }
}

TEST_F(options_test, local_help_opens_the_manual_of_the_language)
{
    // A folder name a shell would act on reaches the desktop only as a file URL.
    QDir(dir.path()).mkpath("doc/fr");
    QFile pdf(dir.path() + "/doc/fr/vela_cli.pdf");
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write("%PDF-1.4\n");
    pdf.close();
    g_config.language = 2;
    msg_recorder boxes;
    action("local_act")->trigger();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].startsWith("file:///")) << opened[0].toStdString();
    EXPECT_TRUE(opened[0].endsWith("/doc/fr/vela_cli.pdf"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(options_test, online_help_opens_the_reference_address_of_the_language)
{
    const char *codes[] = {"zh", "en", "fr", "jp"};
    for (int lang = 0; lang < 4; ++lang) {
        g_config.language = lang;
        action("online_act")->trigger();
    }
    ASSERT_EQ(opened.size(), 4);
    for (int lang = 0; lang < 4; ++lang) {
        EXPECT_TRUE(opened[lang].startsWith("https://"));
        EXPECT_TRUE(
            opened[lang].endsWith(QStringLiteral("/%1/sql_d_ref_0.2.3.html").arg(codes[lang])));
    }
    g_config.language = 9;
    action("online_act")->trigger();
    action("local_act")->trigger();
    EXPECT_EQ(opened.size(), 4);
}

TEST_F(options_test, licences_window_shows_the_file_or_stays_empty)
{
    {
        std::unique_ptr<QDialog> missing(
            about_dlg::make_license_window(dir.path() + "/none.txt", nullptr));
        EXPECT_TRUE(missing->findChild<QPlainTextEdit *>()->toPlainText().isEmpty());
        EXPECT_TRUE(missing->windowTitle().isEmpty());
    }
    QFile lic(dir.path() + "/licenses.txt");
    ASSERT_TRUE(lic.open(QIODevice::WriteOnly));
    lic.write(u8"velastudio — MIT\n");
    lic.close();
    std::unique_ptr<QDialog> shown(
        about_dlg::make_license_window(dir.path() + "/licenses.txt", nullptr));
    EXPECT_EQ(shown->findChild<QPlainTextEdit *>()->toPlainText(),
              QString::fromUtf8(u8"velastudio — MIT\n"));
    EXPECT_EQ(shown->windowTitle(), "vela database client license");
    EXPECT_EQ(shown->size(), QSize(800, 600));

    about_dlg about;
    about.show();
    EXPECT_EQ(about.windowTitle(), "about data oparation console");
    EXPECT_EQ(about.size(), QSize(400, 300));
    save_shot(&about, "about");
}

} // namespace
