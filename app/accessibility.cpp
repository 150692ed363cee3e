#include "app/accessibility.h"

#include "app/hot_spot.h"
#include "app/main_window.h"

#include <QtWidgets/QAccessibleWidget>
#include <QtWidgets/QLabel>

namespace quorvell::app {

namespace {

// A hot spot is a button drawn in the background picture: a Button with
// the press action, which clicks it.
class HotSpotAccessible : public QAccessibleWidget {
public:
    explicit HotSpotAccessible(HotSpot* spot) : QAccessibleWidget(spot, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override {
        if (action == pressAction() && widget()->isEnabled()) {
            emit static_cast<HotSpot*>(widget())->clicked();
        }
    }
};

QAccessibleInterface* hotSpotFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("quorvell::app::HotSpot") && object != nullptr &&
        object->isWidgetType()) {
        return new HotSpotAccessible(static_cast<HotSpot*>(object));
    }
    return nullptr;
}

void name(QWidget* widget, const char* name, const char* description) {
    widget->setAccessibleName(QString::fromUtf8(name));
    widget->setAccessibleDescription(QString::fromUtf8(description));
}

} // namespace

void nameForAssistiveTools(Form1& form) {
    static const bool installed = [] {
        QAccessible::installFactory(hotSpotFactory);
        return true;
    }();
    (void)installed;
    form.setAccessibleName(QStringLiteral("Quorvell"));
    name(form.List2, "Textures",
         "The custom textures; a ticked one is on in every map, a partly ticked one in some");
    name(form.Combo1, "Preset", "The preset the plus and minus apply and remove");
    // Linux screen readers name a chooser by its label, not its own name.
    auto* label = new QLabel(QStringLiteral("Preset"), &form);
    label->setBuddy(form.Combo1);
    label->hide();
    name(form.Label5, "Apply preset", "Switches on the chosen preset's textures in every map");
    name(form.Label6, "Remove preset", "Switches off the chosen preset's textures in every map");
    name(form.Label3, "Help", "Shows the help panel");
    name(form.Label4, "Exit", "Closes Quorvell");
}

} // namespace quorvell::app
