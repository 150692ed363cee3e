#include "app/help_form.h"

#include "app/geometry.h"

#include <QtGui/QPainter>
#include <QtWidgets/QLabel>

namespace quorvell::app {

namespace {
const char* const kTexts[3] = {
    "A checked checkbox means that the original texture has been overridden.",
    "Manually check or uncheck a single texture name to enable/disable the high resolution "
    "version.",
    "Use the dropdown list to choose among Presets that will enable/disable entire texture "
    "groups.",
};
}

Form3::Form3(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(
        toPixels({0, 0, form3::kClientWidth, form3::kClientHeight + form3::kWhereHeight}).size());
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);
    // The labels overlap by a few pixels, so each text must keep to two
    // lines of a small font.
    QFont small = font();
    small.setPixelSize(10);
    setFont(small);
    for (int i = 0; i < 3; ++i) {
        Label1[i] = new QLabel(QString::fromLatin1(kTexts[i]), this);
        Label1[i]->setWordWrap(true);
        Label1[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Label1[i]->setAttribute(Qt::WA_TranslucentBackground);
        Label1[i]->setGeometry(toPixels(
            {form3::kLabelLeft, form3::kLabelTops[i], form3::kLabelWidth, form3::kLabelHeight}));
    }
    whereLabel = new QLabel(this);
    whereLabel->setWordWrap(true);
    whereLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    whereLabel->setAttribute(Qt::WA_TranslucentBackground);
    whereLabel->setGeometry(toPixels(
        {form3::kLabelLeft, form3::kClientHeight - 60, form3::kLabelWidth, form3::kWhereHeight}));
}

void Form3::setWhere(const QString& text) {
    whereLabel->setText(text);
}

void Form3::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect frame = toPixels(form3::kFrame)
                            .adjusted(0, 0, 0, toPixels({0, 0, 0, form3::kWhereHeight}).height());
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
}

} // namespace quorvell::app
