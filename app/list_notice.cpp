#include "app/list_notice.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace quorvell::app {

namespace {
constexpr auto kNoticeStyle = R"(
QFrame#ListNotice { background: #ece4d0; border: 2px solid #5c4a2c; }
QLabel { color: #2b2115; }
QPushButton { background: #2a2218; color: #f0dca8; border: 2px solid #9c7c3c; padding: 4px 12px; }
QPushButton:focus { border-color: #f0c060; }
)";
} // namespace

ListNotice::ListNotice(QWidget* parent)
    : QFrame(parent), label_(new QLabel(this)),
      retry_(new QPushButton(QStringLiteral("&Try again"), this)) {
    setObjectName(QStringLiteral("ListNotice"));
    setStyleSheet(QString::fromLatin1(kNoticeStyle));
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignCenter);
    label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(label_);
    layout->addWidget(retry_, 0, Qt::AlignHCenter);
    layout->addStretch();
    setAccessibleName(QStringLiteral("Texture list status"));
    retry_->setAccessibleDescription(QStringLiteral("Read the check marks from the maps again"));
    connect(retry_, &QPushButton::clicked, this, &ListNotice::retry);
    hide();
}

void ListNotice::showWaiting(const QString& text) {
    waiting_ = true;
    label_->setText(text);
    setAccessibleDescription(text);
    retry_->hide();
    show();
    raise();
}

void ListNotice::showFailure(const QString& text) {
    waiting_ = false;
    label_->setText(text);
    setAccessibleDescription(text);
    retry_->show();
    show();
    raise();
    retry_->setFocus();
}

void ListNotice::endWaiting() {
    if (waiting_) {
        waiting_ = false;
        hide();
    }
}

QString ListNotice::text() const {
    return label_->text();
}

} // namespace quorvell::app
