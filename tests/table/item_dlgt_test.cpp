// Delegates: the texts they write and read, and their editors in a real grid.
#include "fixsize_lineedit.h"
#include "int_spin_box.h"
#include "item_dlgt.h"
#include "real_spin_box.h"

#include <gtest/gtest.h>

#include <QDateEdit>
#include <QDateTimeEdit>
#include <QProcess>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

TEST(IntItemDlgt, GridTextsInEveryMode)
{
    int_item_dlgt u08(0), i08(1), i32(5), u64(6);
    u08.set_bin();
    i08.set_bin();
    EXPECT_EQ(u08.to_text(QVariant(5u)), "0b0000 0101");
    EXPECT_EQ(i08.to_text(QVariant(5)), "0b00000101");
    i32.set_nor();
    EXPECT_EQ(i32.to_text(QVariant(255)), "+0x000000ffu4");
    EXPECT_EQ(i32.to_text(QVariant(-1)), "-0x00000001u4");
    i08.set_hex();
    EXPECT_EQ(i08.to_text(QVariant(-128)), "-0x80");
    u64.set_dec();
    EXPECT_EQ(u64.to_text(QVariant(qulonglong(18446744073709551615ull))), "18446744073709551615");
    EXPECT_EQ(u64.to_text(QVariant()), "");
}

TEST(IntItemDlgt, FromTextFollowsModeAndRange)
{
    int_item_dlgt u08(0), i08(1);
    u08.set_bin();
    EXPECT_EQ(u08.from_text("0b0000 1010"), QVariant(10));
    EXPECT_FALSE(u08.from_text("10").isValid());
    EXPECT_FALSE(u08.from_text("0b").isValid());
    EXPECT_FALSE(u08.from_text("").isValid());
    i08.set_nor();
    EXPECT_EQ(i08.from_text("-0x80u1"), QVariant(-128));
    EXPECT_EQ(i08.from_text("+0x7f").type(), QVariant::Int);
    EXPECT_FALSE(i08.from_text("0x7f").isValid()); // the sign is required in this mode
    EXPECT_FALSE(i08.from_text("+0x80").isValid());
    EXPECT_EQ(i08.set_number_mode("Dec"), true);
    EXPECT_EQ(i08.from_text("-12"), QVariant(-12));
    EXPECT_FALSE(i08.set_number_mode("Oct"));
    EXPECT_EQ(i08.display_mode(), 2);
}

TEST(RealItemDlgt, TextsAndFailures)
{
    float_item_dlgt f;
    double_item_dlgt d;
    EXPECT_EQ(d.to_text(QVariant(1.5)), "1.50000000000000000");
    EXPECT_EQ(f.to_text(QVariant(0.1f)), "0.100000001");
    d.set_nor();
    f.set_nor();
    EXPECT_EQ(d.to_text(QVariant(1.5)), "+1.50000000000000000d");
    EXPECT_EQ(f.to_text(QVariant(-2.0f)), "-2.000000000f");
    EXPECT_EQ(f.from_text("+2.5f").type(), QMetaType::Float);
    EXPECT_FALSE(f.from_text("2.5").isValid());
    EXPECT_FALSE(f.from_text("+1e39").isValid());
    d.set_dec();
    EXPECT_EQ(d.from_text("1e39").toDouble(), 1e39);
    EXPECT_FALSE(d.from_text("abc").isValid());
}

TEST(StringItemDlgt, FromTextCutsWholeCharactersByBytes)
{
    string_item_dlgt s(4);
    EXPECT_EQ(s.from_text("abcdef").toString(), "abcd");
    EXPECT_EQ(s.from_text("ab").toString(), "ab");
    const QString zh = QString::fromUtf8("\xe4\xb8\xad");
    // A character that starts below the limit is kept whole.
    EXPECT_EQ(s.from_text("abc" + zh + "d").toString(), "abc" + zh);
    EXPECT_EQ(s.from_text(zh + zh).toString(), zh + zh);
    EXPECT_EQ(s.from_text(zh + "a" + zh).toString(), zh + "a");
    EXPECT_EQ(s.to_text(QVariant(QString("x\"y"))), "x\"y");
}

TEST(DateTimeItemDlgt, TextsAndReaders)
{
    date_item_dlgt d;
    time_item_dlgt t;
    datetime_item_dlgt dt;
    EXPECT_EQ(d.to_text(QDate(2019, 4, 23)), "2019-04-23");
    EXPECT_EQ(t.to_text(QTime(18, 0, 0, 5)), "18:00:00.005");
    EXPECT_EQ(dt.to_text(QDateTime(QDate(2019, 4, 23), QTime(10, 11, 12))),
              "2019-04-23 10:11:12.000");
    EXPECT_EQ(d.from_text("2024-02-29"), QVariant(QDate(2024, 2, 29)));
    EXPECT_FALSE(d.from_text("2023-02-29").isValid());
    EXPECT_FALSE(d.from_text("0000-01-01").isValid());
    EXPECT_EQ(t.from_text("01:02:03.5"), QVariant(QTime(1, 2, 3, 500)));
    EXPECT_EQ(t.from_text("01:02:03.123999"), QVariant(QTime(1, 2, 3, 123)));
    EXPECT_FALSE(t.from_text("25:00:00").isValid());
    EXPECT_EQ(dt.from_text("2019-04-23T10:11:12.25").toDateTime(),
              QDateTime(QDate(2019, 4, 23), QTime(10, 11, 12, 250)));
    EXPECT_FALSE(dt.from_text("2019-04-23").isValid());
    EXPECT_FALSE(dt.from_text("2019-04-23 10:61:00").isValid());
}

// Those texts go into statements, so they keep ASCII digits whatever the desktop's language:
// the same test again, in a program started under a locale with digits of its own.
TEST(DateTimeItemDlgt, TextsKeepAsciiDigitsUnderAnyLocale)
{
    if (qEnvironmentVariableIsSet("VELA_LOCALE_CHILD")) GTEST_SKIP();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "ar_EG.UTF-8");
    env.insert("LANG", "ar_EG.UTF-8");
    env.insert("VELA_LOCALE_CHILD", "1");
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=DateTimeItemDlgt.TextsAndReaders"});
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
}

namespace {

// A grid with one cell, shown through the given delegate.
struct grid {
    QStandardItemModel model{1, 1};
    QTableView view;
    explicit grid(item_dlgt *d, const QVariant &v)
    {
        model.setData(model.index(0, 0), v, Qt::EditRole);
        view.setModel(&model);
        view.setItemDelegate(d);
        view.resize(400, 200);
        view.show();
    }
    void commit(QWidget *ed)
    {
        QTest::keyClick(ed, Qt::Key_Return);
        QCoreApplication::processEvents(); // the delegate commits through a queued call
    }
    QVariant value() const { return model.data(model.index(0, 0), Qt::EditRole); }
};

} // namespace

TEST(DelegateEditors, IntegerEditorCommitsTypedValue)
{
    int_item_dlgt d(0);
    d.set_bin();
    grid g(&d, QVariant(10u));
    auto *ed = g.view.findChild<int_spin_box *>();
    EXPECT_EQ(ed, nullptr);
    g.view.edit(g.model.index(0, 0));
    ed = g.view.findChild<int_spin_box *>();
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(ed->text(), "0b00001010");
    EXPECT_EQ(ed->display_mode(), 0);
    EXPECT_EQ(ed->alignment(), Qt::AlignCenter);
    EXPECT_EQ(ed->font().pointSize(), 10);
    ed->selectAll();
    QTest::keyClicks(ed, "0b11");
    g.commit(ed);
    EXPECT_EQ(g.value(), QVariant(3));
    EXPECT_EQ(g.value().type(), QVariant::Int);
}

TEST(DelegateEditors, ReadOnlyEditorOpensButChangesNothing)
{
    string_item_dlgt d(8);
    d.set_read_only(true);
    grid g(&d, QVariant(QString("abc")));
    g.view.edit(g.model.index(0, 0));
    auto *ed = g.view.findChild<fixsize_lineedit *>();
    ASSERT_NE(ed, nullptr);
    EXPECT_TRUE(ed->isReadOnly());
    QTest::keyClicks(ed, "z");
    EXPECT_EQ(ed->text(), "abc");
    g.commit(ed);
    EXPECT_EQ(g.value().toString(), "abc");
}

TEST(DelegateEditors, StringEditorStopsAtTheByteLimit)
{
    string_item_dlgt d(8);
    grid g(&d, QVariant(QString()));
    g.view.edit(g.model.index(0, 0));
    auto *ed = g.view.findChild<fixsize_lineedit *>();
    ASSERT_NE(ed, nullptr);
    QTest::keyClicks(ed, "abcdefghij");
    g.commit(ed);
    EXPECT_EQ(g.value().toString(), "abcdefgh");
}

TEST(DelegateEditors, DateTimeEditorsUseFixedFormatsWithoutButtons)
{
    datetime_item_dlgt d;
    const QDateTime v(QDate(2019, 4, 23), QTime(10, 11, 12, 345));
    grid g(&d, QVariant(v));
    g.view.edit(g.model.index(0, 0));
    auto *ed = g.view.findChild<QDateTimeEdit *>();
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(ed->displayFormat(), "yyyy-MM-dd HH:mm:ss.zzz");
    EXPECT_EQ(ed->buttonSymbols(), QAbstractSpinBox::NoButtons);
    EXPECT_EQ(ed->dateTime(), v);
    g.commit(ed);
    EXPECT_EQ(g.value().toDateTime(), v);

    time_item_dlgt td;
    grid tg(&td, QVariant(QTime(18, 0)));
    tg.view.edit(tg.model.index(0, 0));
    auto *ted = tg.view.findChild<QDateTimeEdit *>();
    ASSERT_NE(ted, nullptr);
    EXPECT_EQ(ted->displayFormat(), "HH:mm:ss.zzz");
    tg.commit(ted);
    EXPECT_EQ(tg.value().type(), QVariant::Time);
}

TEST(DelegateEditors, DateBeforeTheEditorsRangeSurvivesAnUntouchedEditor)
{
    // The date editors reach back to the year 100 only; the server keeps years from 1 on.
    date_item_dlgt d;
    grid g(&d, QVariant(QDate(50, 6, 7)));
    g.view.edit(g.model.index(0, 0));
    auto *ed = g.view.findChild<QDateEdit *>();
    ASSERT_NE(ed, nullptr);
    g.commit(ed);
    EXPECT_EQ(g.value(), QVariant(QDate(50, 6, 7)));

    datetime_item_dlgt dt;
    const QDateTime early(QDate(9, 1, 2), QTime(3, 4, 5, 6));
    grid dg(&dt, QVariant(early));
    dg.view.edit(dg.model.index(0, 0));
    auto *ded = dg.view.findChild<QDateTimeEdit *>();
    ASSERT_NE(ded, nullptr);
    dg.commit(ded);
    EXPECT_EQ(dg.value().toDateTime(), early);

    // A changed editor still writes its value.
    date_item_dlgt d2;
    grid g2(&d2, QVariant(QDate(2019, 4, 23)));
    g2.view.edit(g2.model.index(0, 0));
    auto *ed2 = g2.view.findChild<QDateEdit *>();
    ASSERT_NE(ed2, nullptr);
    ed2->setDate(QDate(2020, 2, 29));
    g2.commit(ed2);
    EXPECT_EQ(g2.value(), QVariant(QDate(2020, 2, 29)));
}

TEST(DelegateEditors, RealEditorGetsTheFlags)
{
    double_item_dlgt d;
    d.set_nor();
    grid g(&d, QVariant(2.5));
    g.view.edit(g.model.index(0, 0));
    auto *ed = g.view.findChild<real_spin_box *>();
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(ed->text(), "+2.50000000000000000d");
    ed->selectAll();
    QTest::keyClicks(ed, "-4d");
    g.commit(ed);
    EXPECT_EQ(g.value(), QVariant(-4.0));
}
