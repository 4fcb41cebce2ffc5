#include "msg_box.h"

#include <QLabel>

#include <utility>

namespace {

msg_responder &responder()
{
    static msg_responder r;
    return r;
}

// Characters of a detail text shown in the box itself.
constexpr int detail_shown = 400;

QMessageBox::Icon icon_of(msg_kind kind)
{
    switch (kind) {
    case msg_kind::information:
        return QMessageBox::Information;
    case msg_kind::warning:
        return QMessageBox::Warning;
    case msg_kind::question:
        return QMessageBox::Question;
    case msg_kind::critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton show(QWidget *parent, msg_record rec,
                                 QMessageBox::StandardButton default_button)
{
    if (responder()) return responder()(rec);
    std::unique_ptr<QMessageBox> box = make_box(parent, rec);
    if (default_button != QMessageBox::NoButton) box->setDefaultButton(default_button);
    return static_cast<QMessageBox::StandardButton>(box->exec());
}

} // namespace

std::unique_ptr<QMessageBox> make_box(QWidget *parent, const msg_record &rec)
{
    auto box =
        std::make_unique<QMessageBox>(icon_of(rec.kind), rec.title, rec.text, rec.buttons, parent);
    if (!rec.detail.isEmpty()) {
        // Shown at once, under the text; a reason too long for a box is shortened there
        // and kept whole behind "Show Details".
        if (rec.detail.size() > detail_shown) {
            box->setInformativeText(rec.detail.left(detail_shown) + QChar(0x2026));
            box->setDetailedText(rec.detail);
        } else {
            box->setInformativeText(rec.detail);
        }
        // The reason is plain text, whatever it holds.
        if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
            label->setTextFormat(Qt::PlainText);
    }
    return box;
}

void inform(QWidget *parent, const QString &title, const QString &text, msg_kind kind,
            const QString &detail)
{
    msg_record rec;
    rec.kind = kind;
    rec.title = title;
    rec.text = text;
    rec.detail = detail;
    rec.buttons = QMessageBox::Ok;
    show(parent, rec, QMessageBox::NoButton);
}

QMessageBox::StandardButton ask(QWidget *parent, const QString &title, const QString &text,
                                QMessageBox::StandardButtons buttons, msg_kind kind,
                                QMessageBox::StandardButton default_button)
{
    msg_record rec;
    rec.kind = kind;
    rec.title = title;
    rec.text = text;
    rec.buttons = buttons;
    return show(parent, rec, default_button);
}

msg_responder set_msg_responder(msg_responder r)
{
    return std::exchange(responder(), std::move(r));
}

msg_recorder::msg_recorder(QMessageBox::StandardButton default_answer)
    : default_answer_(default_answer)
{
    previous_ = set_msg_responder([this](const msg_record &rec) { return respond(rec); });
}

msg_recorder::~msg_recorder()
{
    set_msg_responder(std::move(previous_));
}

QMessageBox::StandardButton msg_recorder::respond(msg_record rec)
{
    if (rec.buttons == QMessageBox::Ok) {
        rec.answer = QMessageBox::Ok;
    } else if (!answers_.empty()) {
        rec.answer = answers_.front();
        answers_.pop_front();
    } else {
        rec.answer = default_answer_;
    }
    shown_.push_back(rec);
    return rec.answer;
}
