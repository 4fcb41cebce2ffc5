// Shared set-up of the editor widget tests: a fresh configuration and one editor.
#pragma once

#include "editor/editor.h"
#include "sys_config.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

class editor_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = g_config;
        g_config = sys_config::initial();
        ed = std::make_unique<editor>();
    }
    void TearDown() override
    {
        ed.reset();
        g_config = saved_;
    }

    void type(const char *text) { QTest::keyClicks(ed.get(), QString::fromUtf8(text)); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(ed.get(), k, m);
    }
    std::string text() const { return ed->buffer().text(); }
    int32_t cursor() const { return ed->buffer().cursor(); }

    // Centre of the cell of the character at byte offset p.
    QPoint cell_centre(int32_t p) const;

    std::unique_ptr<editor> ed;

private:
    sys_config saved_;
};

// Pixel helpers for grabs.
bool has_colour(const QImage &img, const QRect &r, const QColor &c, int tolerance = 12);
bool all_colour(const QImage &img, const QRect &r, const QColor &c, int tolerance = 12);
QImage grab_image(QWidget *w);
