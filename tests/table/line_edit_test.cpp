// The typed line edits driven with real key events.
#include "fixsize_lineedit.h"
#include "int_spin_box.h"
#include "real_spin_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

namespace {
// Types one character the way a keyboard with that key would; QTest only knows ASCII keys.
void type_char(QWidget *w, const QString &ch)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, ch);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, ch);
    QApplication::sendEvent(w, &release);
}
} // namespace

TEST(IntSpinBox, KeystrokesOutsideTheLiteralAreDropped)
{
    i08_spin_box ed;
    ed.setText(QString());
    QTest::keyClicks(&ed, "x");
    EXPECT_EQ(ed.text(), "");
    QTest::keyClicks(&ed, "12");
    EXPECT_EQ(ed.text(), "12");
    EXPECT_EQ(ed.value().toInt(), 12);
    QTest::keyClicks(&ed, "8"); // 128 is beyond i08
    EXPECT_EQ(ed.text(), "12");
    EXPECT_EQ(ed.value().toInt(), 12);
    QTest::keyClicks(&ed, "a");
    EXPECT_EQ(ed.text(), "12");
    EXPECT_EQ(ed.cursorPosition(), 2);
    QTest::keyClick(&ed, Qt::Key_Backspace);
    QTest::keyClick(&ed, Qt::Key_Backspace);
    EXPECT_EQ(ed.text(), "");
    EXPECT_EQ(ed.value().toInt(), 0); // an empty text is zero
}

TEST(IntSpinBox, RejectedMiddleInsertKeepsTheCursor)
{
    u16_spin_box ed;
    ed.set_value(QVariant(123));
    ed.setCursorPosition(1);
    QTest::keyClicks(&ed, "z");
    EXPECT_EQ(ed.text(), "123");
    EXPECT_EQ(ed.cursorPosition(), 1);
    QTest::keyClicks(&ed, "9");
    EXPECT_EQ(ed.text(), "1923");
    EXPECT_EQ(ed.value().toInt(), 1923);
}

TEST(IntSpinBox, SignFlagAndHexMode)
{
    i08_spin_box ed;
    ed.set_display_mode(1);
    ed.set_sign_flag(true);
    ed.set_value(QVariant(0));
    EXPECT_EQ(ed.text(), "+0x00");
    ed.clear();
    QTest::keyClicks(&ed, "5");
    EXPECT_EQ(ed.text(), "");
    QTest::keyClicks(&ed, "-0x80");
    EXPECT_EQ(ed.text(), "-0x80");
    EXPECT_EQ(ed.value().toInt(), -128);
    ed.clear();
    QTest::keyClicks(&ed, "+0x80");
    EXPECT_EQ(ed.text(), "+0x8");
    EXPECT_EQ(ed.value().toInt(), 8);
}

TEST(IntSpinBox, IncompleteTextKeepsThePreviousValue)
{
    i32_spin_box ed;
    ed.set_display_mode(1);
    ed.set_sign_flag(true);
    ed.set_suffix_flag(true);
    ed.set_value(QVariant(255));
    EXPECT_EQ(ed.text(), "+0x000000ffu4");
    ed.clear();
    QTest::keyClicks(&ed, "+0x");
    EXPECT_EQ(ed.value().toInt(), 0); // cleared first: empty is zero
    QTest::keyClicks(&ed, "1fu");
    EXPECT_EQ(ed.value().toInt(), 31);
    QTest::keyClicks(&ed, "8"); // wrong width digit for i32
    EXPECT_EQ(ed.text(), "+0x1fu");
    QTest::keyClicks(&ed, "4");
    EXPECT_EQ(ed.text(), "+0x1fu4");
}

TEST(IntSpinBox, SixtyFourBitLimitsAndTypes)
{
    u64_spin_box u;
    QTest::keyClicks(&u, "18446744073709551615");
    EXPECT_EQ(u.value().type(), QVariant::ULongLong);
    EXPECT_EQ(u.value().toULongLong(), 18446744073709551615ull);
    u.clear();
    QTest::keyClicks(&u, "18446744073709551616");
    EXPECT_EQ(u.text(), "1844674407370955161");

    i64_spin_box s;
    QTest::keyClicks(&s, "-9223372036854775808");
    EXPECT_EQ(s.value().type(), QVariant::LongLong);
    EXPECT_EQ(s.value().toLongLong(), std::numeric_limits<qlonglong>::min());

    u32_spin_box u32;
    u32.set_value(QVariant(4294967295u));
    EXPECT_EQ(u32.value().type(), QVariant::UInt);
    u08_spin_box u8;
    u8.set_display_mode(0);
    u8.set_value(QVariant(10u));
    EXPECT_EQ(u8.text(), "0b00001010"); // editors never group
    EXPECT_EQ(u8.value().type(), QVariant::Int);
}

TEST(IntSpinBox, ModeChangeRewritesTheText)
{
    i16_spin_box ed;
    ed.set_value(QVariant(-2));
    EXPECT_EQ(ed.text(), "-2");
    ed.set_display_mode(0);
    EXPECT_EQ(ed.text(), "-0b0000000000000010");
    ed.set_display_mode(1);
    EXPECT_EQ(ed.text(), "-0x0002");
    EXPECT_EQ(ed.value().toInt(), -2);
}

TEST(RealSpinBox, TypingAndRange)
{
    float_spin_box f;
    f.clear();
    QTest::keyClicks(&f, "1.5e");
    EXPECT_EQ(f.text(), "1.5e");
    EXPECT_FLOAT_EQ(f.value().toFloat(), 1.5f);
    QTest::keyClicks(&f, "40"); // 1.5e40 is beyond float
    EXPECT_EQ(f.text(), "1.5e4");
    EXPECT_EQ(f.value().type(), QMetaType::Float);
    QTest::keyClicks(&f, "x");
    EXPECT_EQ(f.text(), "1.5e4");

    double_spin_box d;
    d.set_sign_flag(true);
    d.set_suffix_flag(true);
    d.set_value(QVariant(1.5));
    EXPECT_EQ(d.text(), "+1.50000000000000000d");
    d.clear();
    QTest::keyClicks(&d, "7");
    EXPECT_EQ(d.text(), "");
    QTest::keyClicks(&d, "-7.25d");
    EXPECT_EQ(d.value().toDouble(), -7.25);
    EXPECT_EQ(d.value().type(), QVariant::Double);
}

TEST(FixsizeLineedit, LimitCountsBytes)
{
    fixsize_lineedit ed;
    ed.set_max_bytes(8);
    QTest::keyClicks(&ed, "abcdefgh");
    EXPECT_EQ(ed.text(), "abcdefgh");
    QTest::keyClicks(&ed, "i");
    EXPECT_EQ(ed.text(), "abcdefgh");

    fixsize_lineedit wide;
    wide.set_max_bytes(8);
    const QString three = QString::fromUtf8("\xe4\xb8\xad"); // one character, three bytes
    type_char(&wide, three);
    type_char(&wide, three);
    EXPECT_EQ(wide.text(), three + three);
    type_char(&wide, three);
    EXPECT_EQ(wide.text(), three + three);
    QTest::keyClicks(&wide, "ab");
    EXPECT_EQ(wide.text(), three + three + "ab");

    // A stored value longer than the limit is shown as it is, not replaced.
    fixsize_lineedit held;
    held.set_max_bytes(4);
    held.set_initial_text("abcdef");
    EXPECT_EQ(held.text(), "abcdef");
    QTest::keyClick(&held, Qt::Key_Backspace);
    EXPECT_EQ(held.text(), "abcde");
}

TEST(LineEdits, ReadOnlyEditorTakesNoTyping)
{
    i32_spin_box ed;
    ed.set_value(QVariant(42));
    ed.setReadOnly(true);
    QTest::keyClicks(&ed, "7");
    EXPECT_EQ(ed.text(), "42");
}
