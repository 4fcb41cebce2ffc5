#include "db_access.h"
#include "login_dlg.h"
#include "mainwindow.h"

#include "msg_box.h"
#include "scripted_peer.h"
#include "server_fixture.h"
#include "shot.h"
#include "sys_config.h"

#include <QCheckBox>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace vela_test;

namespace {

// Accepts the login and answers whatever the main window asks next ("show tables;" first)
// with one empty string column, so that no statement waits for a reply that never comes.
void accept_login(scripted_peer &peer)
{
    peer.answer(reply_frame(0));
    for (int i = 0; i < 32; ++i)
        peer.answer(reply_frame(0, le_u64(1) + le_u64(4) + "name" + le_u64(0)));
}

class login_form : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_config = sys_config::initial();
        dlg_ = std::make_unique<login_dlg>();
    }
    void TearDown() override
    {
        dlg_.reset();
        db_access::logout();
        g_config = sys_config::initial();
    }

    template <typename T> T *child(const char *name) const
    {
        T *w = dlg_->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit *edit(const char *name) const { return child<QLineEdit>(name); }
    QString label(const char *name) const { return child<QLabel>(name)->text(); }

    // Types into a line edit the way a user does.
    void type(const char *name, const QString &text)
    {
        QLineEdit *e = edit(name);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
    }
    void fill(const QString &ip, int port, const QString &user, const QString &pwd)
    {
        type("le_ip", ip);
        type("le_port", QString::number(port));
        type("le_user", user);
        type("le_passwd", pwd);
    }
    void press_login() { QTest::mouseClick(child<QPushButton>("pb_login"), Qt::LeftButton); }

    std::unique_ptr<login_dlg> dlg_;
};

} // namespace

TEST_F(login_form, is_a_frameless_form_filled_from_the_configuration)
{
    EXPECT_TRUE(dlg_->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(dlg_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(dlg_->size(), QSize(674, 423));
    EXPECT_EQ(edit("le_passwd")->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(child<QPushButton>("pb_login")->isDefault());
    // A fresh configuration (empty address and user, port 0): the form offers the local
    // server, shows no red label, and the box is unchecked.
    EXPECT_EQ(edit("le_ip")->text(), "127.0.0.1");
    EXPECT_EQ(edit("le_port")->text(), "55555");
    EXPECT_EQ(label("lbl_ipinfo"), "");
    EXPECT_EQ(label("lbl_portinfo"), "");
    EXPECT_FALSE(child<QCheckBox>("checkBox")->isChecked());
    EXPECT_EQ(g_config.port, 0) << "the stored record is left as it was";

    // A stored address with a port of 0 is shown as stored.
    copy_text(g_config.ip, sizeof g_config.ip, "10.0.0.1");
    login_dlg stored_ip;
    EXPECT_EQ(stored_ip.findChild<QLineEdit *>("le_port")->text(), "0");

    copy_text(g_config.ip, sizeof g_config.ip, "10.1.2.3");
    copy_text(g_config.user, sizeof g_config.user, "\xe7\x8e\x8b admin");
    g_config.port = 4000;
    login_dlg stored;
    EXPECT_EQ(stored.findChild<QLineEdit *>("le_ip")->text(), "10.1.2.3");
    EXPECT_EQ(stored.findChild<QLineEdit *>("le_user")->text(), QString::fromUtf8("王 admin"));
    EXPECT_EQ(stored.findChild<QLineEdit *>("le_port")->text(), "4000");
    EXPECT_TRUE(stored.findChild<QCheckBox *>("checkBox")->isChecked());
    EXPECT_EQ(stored.findChild<QLineEdit *>("le_user")->focusPolicy(), Qt::StrongFocus);
}

TEST_F(login_form, address_and_port_checks)
{
    for (const char *bad :
         {"256.1.1.1", "1.2.3", "1.2.3.4.5", " 1.2.3.4", "1.2.3.4 ", "a.b.c.d", "", "1..2.3"})
        EXPECT_FALSE(login_dlg::valid_ip(bad)) << bad;
    for (const char *good :
         {"127.0.0.1", "01.002.3.4", "255.255.255.255", "0.0.0.0", "249.250.199.9"})
        EXPECT_TRUE(login_dlg::valid_ip(good)) << good;
    for (const char *bad : {"0", "65536", "abc", "", "-1", "99999999999"})
        EXPECT_FALSE(login_dlg::valid_port(bad)) << bad;
    for (const char *good : {"1", "65535", "55555"})
        EXPECT_TRUE(login_dlg::valid_port(good)) << good;

    // The labels follow the typing.
    type("le_ip", "256.1.1.1");
    EXPECT_EQ(label("lbl_ipinfo"), "invalid ip");
    type("le_ip", "127.0.0.1");
    EXPECT_EQ(label("lbl_ipinfo"), "");
    type("le_port", "65536");
    EXPECT_EQ(label("lbl_portinfo"), "invalid port");
    type("le_port", "1");
    EXPECT_EQ(label("lbl_portinfo"), "");
}

TEST_F(login_form, invalid_values_send_nothing_and_both_labels_can_show)
{
    msg_recorder boxes;
    scripted_peer peer;
    type("le_ip", "1.2.3");
    type("le_port", "abc");
    press_login();
    EXPECT_EQ(label("lbl_ipinfo"), "invalid ip");
    EXPECT_EQ(label("lbl_portinfo"), "invalid port");

    // Only the port wrong: still nothing is sent.
    type("le_ip", "127.0.0.1");
    type("le_port", "0");
    press_login();
    EXPECT_EQ(label("lbl_ipinfo"), "");
    EXPECT_EQ(label("lbl_portinfo"), "invalid port");

    EXPECT_FALSE(peer.wait_frames(1, 200));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(dlg_->result(), QDialog::Rejected);
    EXPECT_EQ(dlg_->main_window(), nullptr);
}

TEST_F(login_form, a_refused_login_says_so_and_stays)
{
    msg_recorder boxes;
    scripted_peer peer;
    peer.answer(reply_frame(1, "no such user"));
    fill("127.0.0.1", peer.port(), "admin", "wrong");
    press_login();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().title, "info");
    EXPECT_EQ(boxes.last().text, "invalid user or password");
    EXPECT_EQ(boxes.last().detail, "no such user") << "the server's reason under the message";
    EXPECT_EQ(boxes.last().kind, msg_kind::information);
    EXPECT_EQ(dlg_->main_window(), nullptr);
    EXPECT_NE(dlg_->result(), QDialog::Accepted);
    EXPECT_EQ(std::string(g_config.user), "") << "nothing stored after a failed login";
}

TEST_F(login_form, an_unreachable_server_gives_the_same_message)
{
    msg_recorder boxes;
    bound_port nobody_listens;
    fill("127.0.0.1", nobody_listens.port(), "admin", "admin");
    press_login();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text, "invalid user or password");
    EXPECT_TRUE(boxes.last().detail.contains("Connection refused"))
        << boxes.last().detail.toStdString();

    // Return in a field logs in as the button does.
    for (const char *field : {"le_passwd", "le_user", "le_port"}) {
        boxes.clear();
        QTest::keyClick(child<QLineEdit>(field), Qt::Key_Return);
        EXPECT_EQ(boxes.shown().size(), 1u) << field;
    }
}

TEST_F(login_form, a_login_opens_the_main_window_and_stores_the_defaults_but_no_password)
{
    msg_recorder boxes;
    scripted_peer peer;
    accept_login(peer);
    child<QCheckBox>("checkBox")->setChecked(true);
    fill("127.0.0.1", peer.port(), "admin", "pa55-secret");
    press_login();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(dlg_->result(), QDialog::Accepted);
    ASSERT_NE(dlg_->main_window(), nullptr);
    EXPECT_TRUE(dlg_->main_window()->isVisible());
    ASSERT_TRUE(peer.wait_frames(2));
    EXPECT_EQ(peer.frames()[1].substr(4), "show tables;");

    EXPECT_EQ(std::string(g_config.ip), "127.0.0.1");
    EXPECT_EQ(std::string(g_config.user), "admin");
    EXPECT_EQ(g_config.port, peer.port());

    char name[] = "/tmp/vela_login_config_XXXXXX";
    const int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    close(fd);
    ASSERT_EQ(save_config(name), 0);
    std::ifstream in(name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::remove(name);
    EXPECT_EQ(bytes.str().find("pa55-secret"), std::string::npos);
}

TEST_F(login_form, unchecked_default_resets_and_the_next_start_shows_it)
{
    msg_recorder boxes;
    scripted_peer peer;
    accept_login(peer);
    copy_text(g_config.user, sizeof g_config.user, "old");
    child<QCheckBox>("checkBox")->setChecked(false);
    fill("127.0.0.1", peer.port(), "admin", "admin");
    press_login();
    ASSERT_NE(dlg_->main_window(), nullptr);
    EXPECT_EQ(std::string(g_config.ip), "127.0.0.1");
    EXPECT_EQ(std::string(g_config.user), "");
    EXPECT_EQ(g_config.port, 55555);

    login_dlg next;
    EXPECT_EQ(next.findChild<QLineEdit *>("le_port")->text(), "55555");
    EXPECT_EQ(next.findChild<QLineEdit *>("le_ip")->text(), "127.0.0.1");
    EXPECT_FALSE(next.findChild<QCheckBox *>("checkBox")->isChecked());
}

TEST_F(login_form, an_empty_user_still_asks_the_server_and_a_long_one_is_cut_whole)
{
    msg_recorder boxes;
    scripted_peer peer;
    peer.answer(reply_frame(1));
    fill("127.0.0.1", peer.port(), "", "x");
    press_login();
    ASSERT_TRUE(peer.wait_frames(1));
    EXPECT_EQ(boxes.shown().size(), 1u);

    // 30 two-byte characters: 60 bytes plus "abcd" does not fit the 63 usable bytes.
    QString long_user = QString(30, QChar(0x00e9)) + "abcd";
    accept_login(peer);
    child<QCheckBox>("checkBox")->setChecked(true);
    edit("le_user")->setText(long_user); // key events carry ASCII only
    press_login();
    ASSERT_NE(dlg_->main_window(), nullptr);
    EXPECT_EQ(QString::fromUtf8(g_config.user), QString(30, QChar(0x00e9)) + "abc");
    EXPECT_EQ(g_config.user[63], '\0');
}

TEST_F(login_form, close_button_rejects)
{
    QTest::mouseClick(child<QToolButton>("pb_close"), Qt::LeftButton);
    EXPECT_EQ(dlg_->result(), QDialog::Rejected);
    EXPECT_EQ(dlg_->main_window(), nullptr);
}

// The width a label's text takes on screen: captions ask for weight 600, which fonts without
// a demi-bold face draw in full bold.
int drawn_width(QLabel *l)
{
    QTextDocument doc;
    doc.setHtml(l->text());
    QFont bold = l->font();
    bold.setBold(true);
    const int plain = Qt::mightBeRichText(l->text())
                          ? QFontMetrics(bold).horizontalAdvance(doc.toPlainText())
                          : 0;
    return std::max(l->sizeHint().width(), plain);
}

// Every label and the check box show their whole text, in every language of the program,
// with the red messages showing; a shot of each for a person to see.
TEST_F(login_form, texts_are_not_clipped_in_any_language)
{
    copy_text(g_config.ip, sizeof g_config.ip, "127.0.0.1");
    copy_text(g_config.user, sizeof g_config.user, "admin");
    g_config.port = 55555;
    const struct {
        const char *shot;
        const char *qm;
    } languages[] = {{"login_en", nullptr},
                     {"login_zh", ":/lang/velastudio_zh.qm"},
                     {"login_fr", ":/lang/velastudio_fr.qm"},
                     {"login_jp", ":/lang/vela_usdb_cli_jp.qm"}};
    // Under the program's own style sheet, whose button padding leaves less room for a text.
    QFile qss(":/qss/vela_white-.qss");
    ASSERT_TRUE(qss.open(QIODevice::ReadOnly));
    const QString old_sheet = qApp->styleSheet();
    qApp->setStyleSheet(QString::fromUtf8(qss.readAll()));
    for (const auto &lang : languages) {
        QTranslator tr;
        if (lang.qm) {
            ASSERT_TRUE(tr.load(QString::fromLatin1(lang.qm))) << lang.qm;
            QCoreApplication::installTranslator(&tr);
        }
        {
            login_dlg form;
            form.findChild<QLineEdit *>("le_ip")->setText("1.2.3");
            form.findChild<QLineEdit *>("le_port")->setText("70000");
            if (lang.qm) {
                EXPECT_NE(form.findChild<QLabel *>("lbl_portinfo")->text(), "invalid port")
                    << lang.shot;
                EXPECT_NE(form.findChild<QPushButton *>("pb_login")->text(), "Login") << lang.shot;
            }
            for (QLabel *l : form.findChildren<QLabel *>()) {
                if (!l->text().isEmpty()) {
                    EXPECT_GE(l->width(), drawn_width(l))
                        << lang.shot << " " << l->objectName().toStdString() << " "
                        << l->text().toStdString();
                    EXPECT_GE(l->height(), l->sizeHint().height())
                        << lang.shot << " " << l->objectName().toStdString() << " "
                        << l->text().toStdString();
                }
            }
            QPushButton *button = form.findChild<QPushButton *>("pb_login");
            EXPECT_GE(button->width(), button->sizeHint().width()) << lang.shot;
            QCheckBox *box = form.findChild<QCheckBox *>("checkBox");
            EXPECT_GE(box->width(), box->sizeHint().width()) << lang.shot;
            EXPECT_GE(box->height(), box->sizeHint().height()) << lang.shot;
            save_shot(&form, lang.shot);
        }
        if (lang.qm) QCoreApplication::removeTranslator(&tr);
    }
    qApp->setStyleSheet(old_sheet);
}

// Against a real velaserver: admin / admin gets in and the main window lists the demo
// tables; a wrong password is refused with the dialog's message.
TEST_F(login_form, logging_in_to_velaserver)
{
    server_fixture server(true);
    ASSERT_TRUE(server.running());
    msg_recorder boxes;
    fill("127.0.0.1", server.port(), "admin", "not-the-password");
    press_login();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text, "invalid user or password");
    EXPECT_EQ(boxes.last().detail, "wrong user or password");
    EXPECT_EQ(dlg_->main_window(), nullptr);

    type("le_passwd", "admin");
    press_login();
    EXPECT_EQ(boxes.shown().size(), 1u) << "no further message";
    EXPECT_EQ(dlg_->result(), QDialog::Accepted);
    ASSERT_NE(dlg_->main_window(), nullptr);
    EXPECT_FALSE(dlg_->main_window()->table_list().isEmpty()) << "the demo tables are in the tree";
}
