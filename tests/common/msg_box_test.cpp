#include "msg_box.h"
#include "shot.h"

#include <QLabel>

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

TEST(msg_box, a_detail_stands_under_the_text_as_plain_text_and_long_ones_are_shortened)
{
    msg_record rec;
    rec.kind = msg_kind::information;
    rec.title = "execute infomation";
    rec.text = "the sql \"insert into people (age) values (300);\" execute failed!";
    rec.detail = "value <b>300</b> does not fit u08 column age";
    std::unique_ptr<QMessageBox> box = make_box(nullptr, rec);
    EXPECT_EQ(box->text(), rec.text) << "the main text is left as it is";
    EXPECT_EQ(box->informativeText(), rec.detail);
    EXPECT_TRUE(box->detailedText().isEmpty());
    auto *label = box->findChild<QLabel *>("qt_msgbox_informativelabel");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << "a reason's markup is shown, not applied";
    box->show();
    save_shot(box.get(), "msg_box_with_detail");

    rec.detail = QString(5000, 'x');
    box = make_box(nullptr, rec);
    EXPECT_LT(box->informativeText().size(), 1000);
    EXPECT_EQ(box->detailedText(), rec.detail) << "the whole reason stays readable";

    rec.detail.clear();
    EXPECT_TRUE(make_box(nullptr, rec)->informativeText().isEmpty());
}
