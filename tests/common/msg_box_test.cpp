#include "msg_box.h"

#include <gtest/gtest.h>

TEST(msg_box, recorder_answers_questions_in_order_then_by_default)
{
    msg_recorder rec(QMessageBox::No);
    rec.queue_answer(QMessageBox::Yes);
    rec.queue_answer(QMessageBox::Cancel);
    EXPECT_EQ(ask(nullptr, "t1", "q1"), QMessageBox::Yes);
    EXPECT_EQ(ask(nullptr, "t2", "q2", QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel),
              QMessageBox::Cancel);
    EXPECT_EQ(ask(nullptr, "t3", "q3"), QMessageBox::No);
    inform(nullptr, "info", "done", msg_kind::warning);

    ASSERT_EQ(rec.shown().size(), 4u);
    EXPECT_EQ(rec.shown()[0].title, "t1");
    EXPECT_EQ(rec.shown()[0].kind, msg_kind::question);
    EXPECT_EQ(rec.shown()[1].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(rec.shown()[2].answer, QMessageBox::No);
    EXPECT_EQ(rec.last().text, "done");
    EXPECT_EQ(rec.last().kind, msg_kind::warning);
    EXPECT_EQ(rec.last().buttons, QMessageBox::Ok);
    EXPECT_EQ(rec.last().answer, QMessageBox::Ok);
}

TEST(msg_box, recorders_nest_and_restore_the_outer_one)
{
    msg_recorder outer;
    {
        msg_recorder inner;
        inform(nullptr, "a", "inner");
        EXPECT_EQ(inner.shown().size(), 1u);
    }
    inform(nullptr, "b", "outer");
    ASSERT_EQ(outer.shown().size(), 1u);
    EXPECT_EQ(outer.last().text, "outer");
}

TEST(msg_box, a_plain_responder_sees_every_box)
{
    int seen = 0;
    msg_responder before = set_msg_responder([&](const msg_record &r) {
        ++seen;
        return r.buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
    });
    EXPECT_EQ(ask(nullptr, "t", "q"), QMessageBox::No);
    inform(nullptr, "t", "i");
    set_msg_responder(before);
    EXPECT_EQ(seen, 2);
}
